#include "usermaterial/KeyInput.h"

#include "mockexam/AnswerKeyPdf.h"
#include "mockexam/AnswerKeyText.h"
#include "mockexam/ExamScore.h"
#include "usermaterial/KeyMessages.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace zelvora::gui {

KeyInput::KeyInput(QWidget* parent) : QWidget(parent)
{
    m_key = new QPlainTextEdit(this);
    m_key->setObjectName(QStringLiteral("editGabarito"));
    m_key->setAccessibleName(QStringLiteral("Gabarito"));
    m_key->setPlaceholderText(QStringLiteral("Cole aqui o gabarito: 1-A 2-C 3-E, um por linha, ou ABCDE..."));
    m_key->setTabChangesFocus(true);
    connect(m_key, &QPlainTextEdit::textChanged, this, &KeyInput::readText);

    m_pdfButton = new QPushButton(QStringLiteral("Gabarito em PDF..."), this);
    m_pdfButton->setObjectName(QStringLiteral("btGabaritoPdf"));
    m_pdfButton->setAutoDefault(false);
    connect(m_pdfButton, &QPushButton::clicked, this, &KeyInput::choosePdf);
    m_sectionLabel = new QLabel(QStringLiteral("Cargo ou tipo de prova:"), this);
    m_sections = new QComboBox(this);
    m_sections->setObjectName(QStringLiteral("comboSecao"));
    m_sections->setAccessibleName(QStringLiteral("Cargo ou tipo de prova"));
    m_sections->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_sections->setMinimumContentsLength(24);
    m_sectionLabel->setBuddy(m_sections);
    connect(m_sections, &QComboBox::currentIndexChanged, this, &KeyInput::showSection);

    m_preview = new QListWidget(this);
    m_preview->setObjectName(QStringLiteral("listPrevia"));
    m_preview->setAccessibleName(QStringLiteral("Respostas lidas"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("labelGabarito"));
    m_status->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_pdfButton);
    top->addWidget(m_sectionLabel);
    top->addWidget(m_sections, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_key, 3);
    middle->addWidget(m_preview, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addWidget(m_status);
    readText();
}

bool KeyInput::empty() const
{
    return m_sheet.sections.empty() && m_error.isEmpty();
}

std::optional<mockexam::KeySection> KeyInput::section() const
{
    if (m_sheet.sections.size() == 1)
        return m_sheet.sections.front();
    const int i = m_sections->currentIndex();
    if (i < 0 || size_t(i) >= m_sheet.sections.size())
        return std::nullopt;
    return m_sheet.sections[size_t(i)];
}

void KeyInput::setQuestionCount(std::optional<int> count)
{
    m_questions = count;
    showSection();
}

void KeyInput::choosePdf()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Escolha o gabarito"), m_pdfPath,
                                                      QStringLiteral("Gabaritos em PDF (*.pdf *.PDF)"), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty())
        readPdf(path);
}

void KeyInput::readPdf(const QString& path)
{
    m_pdfPath = path;
    {
        // The PDF takes the place of any pasted text.
        const QSignalBlocker quiet(m_key);
        m_key->clear();
    }
    m_key->setPlaceholderText(QStringLiteral("Gabarito lido de %1. Cole um texto aqui para usá-lo no lugar.")
                                  .arg(QFileInfo(path).fileName()));
    const auto sheet = mockexam::AnswerKeyPdf::Read(path);
    if (!sheet) {
        m_error = usermaterial::KeyMessages::Text(sheet.code(), sheet.detail());
        takeSheet({});
        return;
    }
    m_error.clear();
    takeSheet(sheet.value());
}

void KeyInput::readText()
{
    const QString text = m_key->toPlainText();
    if (text.trimmed().isEmpty()) {
        if (!m_pdfPath.isEmpty())
            return; // the PDF's key stays
        m_error.clear();
        takeSheet({});
        return;
    }
    m_pdfPath.clear();
    const auto sheet = mockexam::AnswerKeyText::ReadSheet(text.toStdString());
    if (!sheet) {
        m_error = usermaterial::KeyMessages::Text(sheet.code(), sheet.detail());
        takeSheet({});
        return;
    }
    m_error.clear();
    takeSheet(sheet.value());
}

void KeyInput::takeSheet(const mockexam::KeySheet& sheet)
{
    m_sheet = sheet;
    {
        const QSignalBlocker quiet(m_sections);
        m_sections->clear();
        // The pick is offered only when there is one to make: a lone
        // section's title would only stand in the way of the preview.
        for (size_t i = 0; i < sheet.sections.size() && sheet.sections.size() > 1; ++i) {
            const auto& s = sheet.sections[i];
            m_sections->addItem(s.title.empty() ? QStringLiteral("Gabarito %1").arg(i + 1)
                                                : QString::fromStdString(s.title));
        }
        m_sections->setCurrentIndex(m_sections->count() > 0 ? 0 : -1);
    }
    const bool several = sheet.sections.size() > 1;
    m_sections->setVisible(several);
    m_sectionLabel->setVisible(several);
    showSection();
}

void KeyInput::showSection()
{
    m_preview->clear();
    const auto s = section();
    if (!s) {
        m_status->setText(!m_error.isEmpty() ? m_error
                                             : QStringLiteral("Cole o gabarito ou escolha o PDF do gabarito para "
                                                              "ver as respostas lidas."));
        emit changed();
        return;
    }
    for (size_t i = 0; i < s->answers.size(); ++i) {
        const bool annulled = std::binary_search(s->annulled.begin(), s->annulled.end(), int(i + 1));
        m_preview->addItem(
            annulled ? QStringLiteral("Questão %1: anulada").arg(i + 1)
                     : QStringLiteral("Questão %1: %2").arg(i + 1).arg(QString::fromStdString(s->answers[i])));
    }
    QString text = QStringLiteral("%1 questões lidas").arg(s->answers.size());
    if (s->rightWrong)
        text += QStringLiteral(", certo ou errado");
    text += QLatin1Char('.');
    if (!s->annulled.empty())
        text +=
            QStringLiteral(" Anuladas: %1.").arg(QString::fromStdString(mockexam::ExamScore::JoinNumbers(s->annulled)));
    if (m_questions && *m_questions != int(s->answers.size()))
        text += QStringLiteral(" Atenção: a prova tem %1 questões.").arg(*m_questions);
    m_status->setText(text);
    emit changed();
}

} // namespace zelvora::gui
