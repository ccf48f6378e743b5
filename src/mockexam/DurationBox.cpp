#include "mockexam/DurationBox.h"

#include "mockexam/PaperInfoReader.h"
#include "text/Windows1252.h"

#include <QLineEdit>

using zelvora::mockexam::PaperInfoReader;

namespace zelvora::gui {

const QString DurationBox::NoLimit = QStringLiteral("sem limite");

namespace {

// What the text says: nothing when it is no duration, 0 for no limit.
std::optional<int> Read(const QString& text)
{
    return PaperInfoReader::ParseDuration(text::Utf8ToCp1252(text.toStdString()));
}

QString Text(std::optional<int> seconds)
{
    return seconds ? QString::fromStdString(PaperInfoReader::DurationText(*seconds)) : DurationBox::NoLimit;
}

} // namespace

DurationBox::DurationBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItem(NoLimit);
    for (int halfHours = 1; halfHours <= 10; ++halfHours)
        addItem(Text(halfHours * 1800));
    setToolTip(QStringLiteral("Duração da prova: h:mm, minutos ou \"sem limite\""));
    connect(lineEdit(), &QLineEdit::editingFinished, this, &DurationBox::settle);
    connect(this, &QComboBox::activated, this, &DurationBox::settle);
    setDuration(std::nullopt);
}

void DurationBox::setDuration(std::optional<int> seconds)
{
    if (seconds && *seconds <= 0)
        seconds.reset();
    m_last = seconds;
    setEditText(Text(seconds));
}

std::optional<int> DurationBox::duration() const
{
    const auto read = Read(currentText());
    if (!read)
        return m_last;
    if (*read == 0)
        return std::nullopt;
    return read;
}

void DurationBox::settle()
{
    setDuration(duration());
}

} // namespace zelvora::gui
