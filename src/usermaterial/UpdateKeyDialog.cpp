#include "usermaterial/UpdateKeyDialog.h"

#include "app/MessageBoxes.h"
#include "attempts/PaperIdentity.h"
#include "mockexam/ExamScore.h"
#include "usermaterial/KeyInput.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvora::gui {

namespace {

QString Numbers(const std::vector<int>& numbers)
{
    return QString::fromStdString(mockexam::ExamScore::JoinNumbers(numbers));
}

} // namespace

UpdateKeyDialog::UpdateKeyDialog(usermaterial::KeyTarget target, const QString& paperName, QString storePath,
                                 app::MessageBoxes* messages, QString caption, QWidget* parent)
    : QDialog(parent)
    , m_target(std::move(target))
    , m_storePath(std::move(storePath))
    , m_messages(messages)
    , m_caption(std::move(caption))
    , m_paperName(paperName)
{
    setObjectName(QStringLiteral("UpdateKeyDialog"));
    setWindowTitle(QStringLiteral("Atualizar gabarito"));
    m_oldKey = usermaterial::KeyReplacement::CurrentKey(m_target);
    m_oldInfo = usermaterial::KeyReplacement::CurrentInfo(m_target);

    auto* heading = new QLabel(QStringLiteral("Novo gabarito da prova \"%1\" (o gabarito atual tem %2 questões):")
                                   .arg(paperName)
                                   .arg(m_oldKey.size()),
                               this);
    heading->setWordWrap(true);
    m_input = new KeyInput(this);
    m_input->setQuestionCount(int(m_oldKey.size()));
    connect(m_input, &KeyInput::changed, this, &UpdateKeyDialog::showChanges);

    m_changes = new QListWidget(this);
    m_changes->setObjectName(QStringLiteral("listMudancas"));
    m_changes->setAccessibleName(QStringLiteral("Mudanças no gabarito"));
    m_rescoredList = new QListWidget(this);
    m_rescoredList->setObjectName(QStringLiteral("listRecalculadas"));
    m_rescoredList->setAccessibleName(QStringLiteral("Tentativas recalculadas"));
    m_rescoredList->hide();

    auto* buttons = new QDialogButtonBox(this);
    m_update = buttons->addButton(QStringLiteral("Atualizar"), QDialogButtonBox::AcceptRole);
    m_update->setObjectName(QStringLiteral("btAtualizar"));
    m_close = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    m_close->setObjectName(QStringLiteral("btCancelar"));
    connect(m_update, &QPushButton::clicked, this, &UpdateKeyDialog::apply);
    connect(m_close, &QPushButton::clicked, this, [this] { m_rescoredList->isVisible() ? accept() : reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(m_input, 3);
    layout->addWidget(new QLabel(QStringLiteral("Mudanças:"), this));
    layout->addWidget(m_changes, 1);
    layout->addWidget(m_rescoredList, 1);
    layout->addWidget(buttons);
    resize(700, 560);
    showChanges();
}

void UpdateKeyDialog::showChanges()
{
    m_changes->clear();
    const auto section = m_input->section();
    if (!section) {
        m_update->setEnabled(false);
        return;
    }
    const auto c = usermaterial::KeyUpdate::Compare(m_oldKey, m_oldInfo, *section);
    const auto lines = section->keyLines();
    for (const int n : c.changed)
        m_changes->addItem(QStringLiteral("Questão %1: resposta alterada de %2 para %3")
                               .arg(n)
                               .arg(QString::fromStdString(m_oldInfo.letterOf(m_oldKey[size_t(n - 1)])))
                               .arg(QString::fromStdString(section->answers[size_t(n - 1)])));
    if (!c.annulled.empty())
        m_changes->addItem(QStringLiteral("Questões anuladas: %1").arg(Numbers(c.annulled)));
    if (!c.restored.empty())
        m_changes->addItem(QStringLiteral("Questões que deixaram de ser anuladas: %1").arg(Numbers(c.restored)));
    if (c.questionsBefore != c.questionsAfter)
        m_changes->addItem(
            QStringLiteral("Número de questões: de %1 para %2").arg(c.questionsBefore).arg(c.questionsAfter));
    if (c.none())
        m_changes->addItem(QStringLiteral("Nenhuma mudança em relação ao gabarito atual."));
    m_update->setEnabled(!c.none() && !m_rescoredList->isVisible());
}

void UpdateKeyDialog::apply()
{
    const auto section = m_input->section();
    if (!section)
        return;
    if (m_messages
        && !m_messages->ask(this,
                            QStringLiteral("Atualizar o gabarito da prova \"%1\" e recalcular as tentativas "
                                           "guardadas dela? O gabarito atual fica guardado ao lado do novo.")
                                .arg(m_paperName),
                            m_caption))
        return;
    const auto written = usermaterial::KeyReplacement::Write(m_target, *section);
    if (!written) {
        if (m_messages)
            m_messages->show(this,
                             QStringLiteral("O gabarito não pôde ser gravado (%1); nada foi mudado.")
                                 .arg(QString::fromStdString(written.detail())),
                             m_caption);
        return;
    }
    m_replaced = true;
    std::vector<attempts::Rescored> done;
    if (!m_storePath.isEmpty()) {
        attempts::KeyRevisions revisions(m_storePath);
        auto rescored = revisions.rescore({m_target.pdfPath, m_target.dataFolder, {}},
                                          attempts::PaperIdentity::HashKey(written->keyBytes), written->lines,
                                          written->info);
        if (!rescored) {
            if (m_messages)
                m_messages->show(this,
                                 QStringLiteral("O novo gabarito foi gravado, mas as tentativas não puderam ser "
                                                "recalculadas (%1).")
                                     .arg(QString::fromStdString(rescored.detail())),
                                 m_caption);
            return;
        }
        done = std::move(rescored).value();
    }
    m_rescored = std::move(done);
    m_rescoredList->clear();
    if (m_rescored.empty())
        m_rescoredList->addItem(QStringLiteral("Nenhuma tentativa guardada desta prova."));
    for (size_t i = 0; i < m_rescored.size(); ++i) {
        const auto& r = m_rescored[i];
        m_rescoredList->addItem(QStringLiteral("Tentativa %1: antes %2 de %3, agora %4 de %5")
                                    .arg(i + 1)
                                    .arg(r.hitsBefore)
                                    .arg(r.questionsBefore)
                                    .arg(r.hitsAfter)
                                    .arg(r.questionsAfter));
    }
    m_rescoredList->show();
    m_update->setEnabled(false);
    m_close->setText(QStringLiteral("Fechar"));
}

} // namespace zelvora::gui
