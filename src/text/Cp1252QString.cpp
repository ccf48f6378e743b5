#include "text/Cp1252QString.h"

#include "text/Windows1252.h"

namespace zelvora::text {

void Cp1252ToQString(std::string_view cp1252, QString& out)
{
    out.resize(qsizetype(cp1252.size()));
    QChar* p = out.data();
    for (const char c : cp1252)
        *p++ = QChar(char16_t(Cp1252ToUnicode(uint8_t(c))));
}

QString Cp1252ToQString(std::string_view cp1252)
{
    QString out;
    Cp1252ToQString(cp1252, out);
    return out;
}

} // namespace zelvora::text
