#include "mockexam/DurationBox.h"

#include "mockexam/PaperInfoReader.h"
#include "text/Windows1252.h"

#include <QCompleter>

using zelvora::mockexam::PaperInfoReader;

namespace zelvora::gui {

const QString DurationBox::NoLimit = QStringLiteral("sem limite");
const QString DurationBox::NoPaper = QStringLiteral("escolha a prova");

namespace {

// What the text says: nothing when it is no duration, 0 for no limit.
std::optional<int> Read(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    return PaperInfoReader::ParseDuration(text::Utf8ToCp1252(text.toStdString()));
}

} // namespace

DurationBox::DurationBox(QWidget* parent) : QLineEdit(parent)
{
    setPlaceholderText(NoLimit);
    setToolTip(QStringLiteral("Duração da prova: h:mm, minutos ou vazio para \"sem limite\""));
    setAccessibleName(QStringLiteral("Duração da prova"));
    QStringList usual{NoLimit};
    for (int halfHours = 1; halfHours <= 10; ++halfHours)
        usual << QString::fromStdString(PaperInfoReader::DurationText(halfHours * 1800));
    auto* completer = new QCompleter(usual, this);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    setCompleter(completer);
    connect(this, &QLineEdit::editingFinished, this, &DurationBox::settle);
    clearPaper();
}

void DurationBox::clearPaper()
{
    m_last.reset();
    setText(QString());
    setPlaceholderText(NoPaper);
    setEnabled(false);
}

bool DurationBox::readable() const
{
    return Read(text()).has_value();
}

QString DurationBox::problem() const
{
    if (readable())
        return {};
    return QStringLiteral("A duração \"%1\" não foi entendida. Escreva horas e minutos (3:00), "
                          "minutos (150) ou deixe o campo vazio para prova sem limite.")
        .arg(text().trimmed());
}

void DurationBox::setLocked(bool locked)
{
    setReadOnly(locked);
    setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
    setToolTip(locked ? QStringLiteral("A duração não muda durante a prova")
                      : QStringLiteral("Duração da prova: h:mm, minutos ou vazio para \"sem limite\""));
}

void DurationBox::setDuration(std::optional<int> seconds)
{
    if (seconds && *seconds <= 0)
        seconds.reset();
    m_last = seconds;
    setPlaceholderText(NoLimit);
    setEnabled(true);
    setText(seconds ? QString::fromStdString(PaperInfoReader::DurationText(*seconds)) : QString());
}

std::optional<int> DurationBox::duration() const
{
    const auto read = Read(text());
    if (!read)
        return m_last;
    if (*read == 0)
        return std::nullopt;
    return read;
}

void DurationBox::settle()
{
    // Readable text is written the usual way; other text stays for the
    // user to see and mend (starting refuses it).
    if (readable())
        setDuration(duration());
}

} // namespace zelvora::gui
