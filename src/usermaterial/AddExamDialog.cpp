#include "usermaterial/AddExamDialog.h"

#include "app/MessageBoxes.h"
#include "usermaterial/UserMaterial.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvora::gui {

namespace {

QLineEdit* FieldEdit(QWidget* parent, const QString& name, const QString& label, const QStringList& known)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    auto* completer = new QCompleter(known, edit);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    edit->setCompleter(completer);
    return edit;
}

} // namespace

AddExamDialog::AddExamDialog(const QString& userFolder, const ExamFieldValues& known, app::MessageBoxes* messages,
                             const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_folder(userFolder)
    , m_messages(messages)
    , m_caption(caption)
{
    setObjectName(QStringLiteral("AddExamDialog"));
    setWindowTitle(QStringLiteral("Adicionar exame"));

    m_zip = new QLineEdit(this);
    m_zip->setObjectName(QStringLiteral("editZip"));
    m_zip->setAccessibleName(QStringLiteral("Arquivo zip"));
    m_zip->setPlaceholderText(QStringLiteral("Caminho do arquivo zip do exame"));
    connect(m_zip, &QLineEdit::editingFinished, this, &AddExamDialog::checkZip);
    auto* browse = new QPushButton(QStringLiteral("Escolher..."), this);
    browse->setObjectName(QStringLiteral("btEscolherZip"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &AddExamDialog::chooseZip);
    auto* zipRow = new QHBoxLayout;
    zipRow->addWidget(m_zip, 1);
    zipRow->addWidget(browse);

    m_entries = new QListWidget(this);
    m_entries->setObjectName(QStringLiteral("listArquivos"));
    m_entries->setAccessibleName(QStringLiteral("Conteúdo do zip"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("labelZip"));
    m_status->setWordWrap(true);

    m_org = FieldEdit(this, QStringLiteral("editOrganizacao"), QStringLiteral("Organização"), known.organisations);
    m_type = FieldEdit(this, QStringLiteral("editTipo"), QStringLiteral("Tipo de prova"), known.examTypes);
    m_year = FieldEdit(this, QStringLiteral("editAno"), QStringLiteral("Ano"), known.years);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Arquivo zip:"), zipRow);
    form->addRow(QStringLiteral("Conteúdo:"), m_entries);
    form->addRow(QString(), m_status);
    form->addRow(QStringLiteral("Organização:"), m_org);
    form->addRow(QStringLiteral("Tipo de prova:"), m_type);
    form->addRow(QStringLiteral("Ano:"), m_year);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(QStringLiteral("Salvar"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("btSalvar"));
    auto* cancel = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancelar"));
    connect(m_save, &QPushButton::clicked, this, &AddExamDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(560, 420);
}

void AddExamDialog::chooseZip()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Escolha o exame"), m_zip->text(),
                                                      QStringLiteral("Arquivos zip (*.zip *.ZIP)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    m_zip->setText(path);
    checkZip();
}

void AddExamDialog::checkZip()
{
    m_entries->clear();
    if (m_zip->text().isEmpty()) {
        m_status->clear();
        return;
    }
    const auto check = usermaterial::UserMaterial::CheckArchive(m_zip->text());
    m_entries->addItems(check.entries);
    const QString files = check.files == 1 ? QStringLiteral("1 arquivo no zip.")
                                           : QStringLiteral("%1 arquivos no zip.").arg(check.files);
    m_status->setText(check.ok() ? files : check.error);
}

void AddExamDialog::save()
{
    checkZip();
    usermaterial::UserMaterial store(m_folder);
    const auto outcome = store.addExam(m_zip->text(), m_org->text(), m_type->text(), m_year->text());
    if (outcome.ok) {
        m_savedLine = outcome.line;
        accept();
        return;
    }
    if (m_messages)
        m_messages->show(this, outcome.message, m_caption);
}

} // namespace zelvora::gui
