#include "app/AnsiText.h"

#include "text/Windows1252.h"

#include <QList>

namespace zelvora::app {

QString FromAnsi(std::string_view cp1252)
{
    QString out(qsizetype(cp1252.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (const char c : cp1252)
        *p++ = QChar(char16_t(text::Cp1252ToUnicode(uint8_t(c))));
    return out;
}

std::string ToAnsi(const QString& s)
{
    std::string out;
    out.reserve(size_t(s.size()));
    for (const char32_t c : s.toUcs4())
        out += char(text::UnicodeToCp1252(c));
    return out;
}

QString AnsiPath(std::string_view cp1252)
{
    QString p = FromAnsi(cp1252);
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

} // namespace zelvora::app
