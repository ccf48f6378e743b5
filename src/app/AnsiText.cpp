#include "app/AnsiText.h"

#include "text/Cp1252QString.h"
#include "text/Windows1252.h"

#include <QList>

namespace zelvora::app {

QString FromAnsi(std::string_view cp1252)
{
    return text::Cp1252ToQString(cp1252);
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
