#include "usermaterial/PaperRulesDialog.h"

#include "app/MessageBoxes.h"
#include "usermaterial/AtomicFiles.h"
#include "usermaterial/UserMaterial.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zelvora::gui {

using usermaterial::PaperRules;

namespace {

std::string Cell(const QTableWidget* t, int row, int column)
{
    const QTableWidgetItem* item = t->item(row, column);
    return item ? item->text().trimmed().toStdString() : std::string();
}

QLineEdit* Edit(const char* name, const QString& hint)
{
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setPlaceholderText(hint);
    return e;
}

} // namespace

QTableWidget* PaperRulesDialog::table(const char* name, const QStringList& heads)
{
    auto* t = new QTableWidget(0, int(heads.size()), this);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(heads);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    t->verticalHeader()->hide();
    t->setMinimumHeight(110);
    return t;
}

PaperRulesDialog::PaperRulesDialog(const QString& infoPath, const QString& paperName, app::MessageBoxes* messages,
                                   const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_path(infoPath)
    , m_paperName(paperName)
    , m_messages(messages)
    , m_caption(caption)
{
    setObjectName(QStringLiteral("PaperRulesDialog"));
    setWindowTitle(QStringLiteral("Regras da prova"));
    resize(600, 640);

    auto* form = new QFormLayout;
    m_duration = Edit("edDuracao", QStringLiteral("3:00, 180, 2h30; vazio: sem limite"));
    m_type = new QComboBox;
    m_type->setObjectName(QStringLiteral("cbTipo"));
    m_type->addItems({QStringLiteral("Múltipla escolha (A a E)"), QStringLiteral("Certo ou errado")});
    m_cancelling = new QCheckBox(QStringLiteral("Uma errada anula uma certa"));
    m_cancelling->setObjectName(QStringLiteral("ckAnula"));
    m_annulled = Edit("edAnuladas", QStringLiteral("7, 31-33"));
    m_annulledRule = new QComboBox;
    m_annulledRule->setObjectName(QStringLiteral("cbRegraAnuladas"));
    m_annulledRule->addItems(
        {QStringLiteral("Valem para todos os candidatos"), QStringLiteral("Saem da nota e do máximo")});
    m_minimum = Edit("edMinimo", QStringLiteral("pontos; vazio: sem mínimo"));
    m_cutoff = Edit("edCorte", QStringLiteral("61,5; vazio: sem nota de corte"));
    form->addRow(QStringLiteral("Duração:"), m_duration);
    form->addRow(QStringLiteral("Tipo:"), m_type);
    form->addRow(QString(), m_cancelling);
    form->addRow(QStringLiteral("Questões anuladas:"), m_annulled);
    form->addRow(QStringLiteral("As anuladas:"), m_annulledRule);

    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Regras de \"%1\"").arg(paperName));
    title->setWordWrap(true);
    layout->addWidget(title);
    layout->addLayout(form);

    const auto addTable = [&](QTableWidget* t, const QString& label, const char* plus, const char* minus) {
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(label), 1);
        auto* add = new QPushButton(QStringLiteral("+"));
        add->setObjectName(QString::fromLatin1(plus));
        auto* remove = new QPushButton(QStringLiteral("−"));
        remove->setObjectName(QString::fromLatin1(minus));
        for (QPushButton* b : {add, remove}) {
            b->setAutoDefault(false);
            b->setFixedWidth(32);
            row->addWidget(b);
        }
        connect(add, &QPushButton::clicked, t, [t] { t->insertRow(t->rowCount()); });
        connect(remove, &QPushButton::clicked, t, [t] {
            const int r = t->currentRow() >= 0 ? t->currentRow() : t->rowCount() - 1;
            if (r >= 0)
                t->removeRow(r);
        });
        layout->addLayout(row);
        layout->addWidget(t, 1);
    };
    m_blocks = table(
        "tbBlocos",
        {QStringLiteral("Nome"), QStringLiteral("Questões"), QStringLiteral("Peso"), QStringLiteral("Mínimo")});
    m_subjects = table("tbDisciplinas", {QStringLiteral("Nome"), QStringLiteral("Questões"), QStringLiteral("Peso")});
    addTable(m_blocks, QStringLiteral("Blocos (cada questão vale o peso; abaixo do mínimo, eliminado):"), "btMaisBloco",
             "btMenosBloco");
    addTable(m_subjects, QStringLiteral("Disciplinas:"), "btMaisDisciplina", "btMenosDisciplina");

    auto* totals = new QFormLayout;
    totals->addRow(QStringLiteral("Mínimo da prova:"), m_minimum);
    totals->addRow(QStringLiteral("Nota de corte:"), m_cutoff);
    layout->addLayout(totals);

    auto* buttons = new QDialogButtonBox;
    QPushButton* saveButton = buttons->addButton(QStringLiteral("Salvar"), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(QStringLiteral("btSalvar"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancelar"));
    connect(saveButton, &QPushButton::clicked, this, &PaperRulesDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);

    const auto reading = mockexam::PaperInfoReader::Load(QFile::encodeName(infoPath).toStdString());
    setRules(PaperRules::FromInfo(reading ? reading->info : mockexam::PaperInfo{}));
}

PaperRules PaperRulesDialog::rules() const
{
    PaperRules r;
    r.duration = m_duration->text().trimmed().toStdString();
    r.rightWrong = m_type->currentIndex() == 1;
    r.cancelling = m_cancelling->isChecked();
    r.annulled = m_annulled->text().trimmed().toStdString();
    r.annulledExcluded = m_annulledRule->currentIndex() == 1;
    for (int row = 0; row < m_blocks->rowCount(); ++row) {
        PaperRules::Group g{Cell(m_blocks, row, 0), Cell(m_blocks, row, 1), Cell(m_blocks, row, 2),
                            Cell(m_blocks, row, 3)};
        if (!(g == PaperRules::Group{}))
            r.blocks.push_back(g);
    }
    for (int row = 0; row < m_subjects->rowCount(); ++row) {
        PaperRules::Group g{Cell(m_subjects, row, 0), Cell(m_subjects, row, 1), Cell(m_subjects, row, 2), ""};
        if (!(g == PaperRules::Group{}))
            r.subjects.push_back(g);
    }
    r.minimum = m_minimum->text().trimmed().toStdString();
    r.cutoff = m_cutoff->text().trimmed().toStdString();
    return r;
}

void PaperRulesDialog::setRules(const PaperRules& r)
{
    m_duration->setText(QString::fromStdString(r.duration));
    m_type->setCurrentIndex(r.rightWrong ? 1 : 0);
    m_cancelling->setChecked(r.cancelling);
    m_annulled->setText(QString::fromStdString(r.annulled));
    m_annulledRule->setCurrentIndex(r.annulledExcluded ? 1 : 0);
    const auto fill = [](QTableWidget* t, const std::vector<PaperRules::Group>& groups, bool minimum) {
        t->setRowCount(int(groups.size()));
        for (int row = 0; row < int(groups.size()); ++row) {
            const auto& g = groups[size_t(row)];
            QStringList cells{QString::fromStdString(g.name), QString::fromStdString(g.questions),
                              QString::fromStdString(g.weight)};
            if (minimum)
                cells << QString::fromStdString(g.minimum);
            for (int c = 0; c < cells.size(); ++c)
                t->setItem(row, c, new QTableWidgetItem(cells[c]));
        }
    };
    fill(m_blocks, r.blocks, true);
    fill(m_subjects, r.subjects, false);
    m_minimum->setText(QString::fromStdString(r.minimum));
    m_cutoff->setText(QString::fromStdString(r.cutoff));
}

void PaperRulesDialog::save()
{
    const PaperRules r = rules();
    QStringList why;
    const auto name = [&](const PaperRules::Group& g, const QString& what) {
        if (const QString bad = usermaterial::UserMaterial::CheckField(QString::fromStdString(g.name), what);
            !bad.isEmpty())
            why << bad;
    };
    for (const auto& b : r.blocks)
        name(b, QStringLiteral("O nome do bloco"));
    for (const auto& s : r.subjects)
        name(s, QStringLiteral("O nome da disciplina"));
    const mockexam::PaperInfoReading reading = r.toInfo();
    for (const auto& p : reading.problems)
        if (p.error && why.size() < 8)
            why << QString::fromStdString(p.text);
    if (why.isEmpty()) {
        const std::string bytes = mockexam::PaperInfoReader::Write(
            reading.info, {m_paperName.toStdString(), "Regras da prova gravadas pelo Zelvora."});
        if (usermaterial::AtomicFiles::WriteBytes(m_path, bytes)) {
            accept();
            return;
        }
        why << QStringLiteral("Não foi possível gravar o arquivo %1.").arg(m_path);
    }
    if (m_messages)
        m_messages->show(this, QStringLiteral("As regras não foram gravadas:\n") + why.join('\n'), m_caption);
}

} // namespace zelvora::gui
