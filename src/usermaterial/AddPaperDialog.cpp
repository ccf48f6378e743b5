#include "usermaterial/AddPaperDialog.h"

#include "app/MessageBoxes.h"
#include "mockexam/PaperDocument.h"
#include "usermaterial/KeyInput.h"
#include "usermaterial/UserMaterial.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelvora::gui {

namespace {

// Why the exam window could not show the PDF at path, judged by the very
// open it runs (the safe read under its cap, then Qt PDF); empty when it can.
QString PaperRefusal(const QString& path)
{
    if (QString why = usermaterial::UserMaterial::PaperFileRefusal(path); !why.isEmpty())
        return why;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto opened = mockexam::PaperDocument::Open(path);
    QGuiApplication::restoreOverrideCursor();
    if (opened)
        return {};
    if (opened.code() == mockexam::PaperDocument::Code::NotAPdf)
        return usermaterial::UserMaterial::NotAPdf(path);
    // Changed since it was looked at: the read tells again why.
    const QString why = usermaterial::UserMaterial::PaperFileRefusal(path);
    return why.isEmpty() ? usermaterial::UserMaterial::NotAPdf(path) : why;
}

} // namespace

AddPaperDialog::AddPaperDialog(const QString& userFolder, app::MessageBoxes* messages, const QString& caption,
                               QWidget* parent)
    : QDialog(parent)
    , m_folder(userFolder)
    , m_messages(messages)
    , m_caption(caption)
{
    setObjectName(QStringLiteral("AddPaperDialog"));
    setWindowTitle(QStringLiteral("Adicionar prova"));

    m_pdf = new QLineEdit(this);
    m_pdf->setObjectName(QStringLiteral("editPdf"));
    m_pdf->setAccessibleName(QStringLiteral("Arquivo PDF"));
    m_pdf->setPlaceholderText(QStringLiteral("Caminho do arquivo PDF da prova"));
    auto* browse = new QPushButton(QStringLiteral("Escolher..."), this);
    browse->setObjectName(QStringLiteral("btEscolherPdf"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &AddPaperDialog::choosePdf);
    auto* pdfRow = new QHBoxLayout;
    pdfRow->addWidget(m_pdf, 1);
    pdfRow->addWidget(browse);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("editNome"));
    m_name->setAccessibleName(QStringLiteral("Nome da prova"));
    m_name->setPlaceholderText(QStringLiteral("Como a prova aparece na lista"));

    m_keyInput = new KeyInput(this);
    connect(m_pdf, &QLineEdit::editingFinished, this, &AddPaperDialog::countQuestions);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Arquivo PDF:"), pdfRow);
    form->addRow(QStringLiteral("Nome da prova:"), m_name);
    form->addRow(QStringLiteral("Gabarito:"), m_keyInput);
    m_rules = new QCheckBox(QStringLiteral("Definir as regras da prova depois de salvar"), this);
    m_rules->setObjectName(QStringLiteral("ckRegras"));
    m_rules->setToolTip(QStringLiteral("Duração, tipo, anuladas, blocos com peso e mínimo, nota de corte"));
    form->addRow(QString(), m_rules);

    auto* buttons = new QDialogButtonBox(this);
    m_save = buttons->addButton(QStringLiteral("Salvar"), QDialogButtonBox::AcceptRole);
    m_save->setObjectName(QStringLiteral("btSalvar"));
    auto* cancel = buttons->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btCancelar"));
    connect(m_save, &QPushButton::clicked, this, &AddPaperDialog::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(700, 460);
}

QPlainTextEdit* AddPaperDialog::keyEdit() const
{
    return m_keyInput->keyEdit();
}

QListWidget* AddPaperDialog::preview() const
{
    return m_keyInput->preview();
}

QLabel* AddPaperDialog::keyStatus() const
{
    return m_keyInput->status();
}

void AddPaperDialog::setQuestionCounter(std::function<std::optional<int>(const QString&)> counter)
{
    m_counter = std::move(counter);
    countQuestions();
}

void AddPaperDialog::countQuestions()
{
    m_keyInput->setQuestionCount(m_counter && QFileInfo(m_pdf->text()).isFile() ? m_counter(m_pdf->text())
                                                                                : std::nullopt);
}

void AddPaperDialog::choosePdf()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Escolha a prova"), m_pdf->text(),
                                                      QStringLiteral("Provas em PDF (*.pdf *.PDF)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    m_pdf->setText(path);
    if (m_name->text().isEmpty())
        m_name->setText(QFileInfo(path).completeBaseName());
    countQuestions();
}

void AddPaperDialog::updatePreview()
{
    m_keyInput->readText();
}

bool AddPaperDialog::rulesWanted() const
{
    return m_rules->isChecked();
}

void AddPaperDialog::save()
{
    QString why;
    if (!QFileInfo(m_pdf->text()).isFile())
        why = QStringLiteral("Escolha o arquivo PDF da prova.");
    else if (const QString bad = usermaterial::UserMaterial::CheckField(m_name->text(),
                                                                        QStringLiteral("O nome da prova"));
             !bad.isEmpty())
        why = bad;
    else if (m_keyInput->empty())
        why = QStringLiteral("Cole o gabarito da prova ou escolha o PDF do gabarito.");
    else if (!m_keyInput->section())
        why = QStringLiteral("O gabarito não pôde ser lido: ") + m_keyInput->error();
    else
        why = PaperRefusal(m_pdf->text());
    if (why.isEmpty()) {
        usermaterial::UserMaterial store(m_folder);
        const auto outcome = store.addPaperWithKey(m_pdf->text(), m_name->text(), *m_keyInput->section());
        if (outcome.ok) {
            m_savedLine = outcome.line;
            accept();
            return;
        }
        why = outcome.message;
    }
    if (m_messages)
        m_messages->show(this, why, m_caption);
}

} // namespace zelvora::gui
