#pragma once
// Small file helpers shared by the zip reader's test suites.
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

#include <string>

namespace zelvora::zip::test {

inline void WriteBytes(const QString& path, const std::string& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

inline std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

// Every name in a folder (files, links, folders), sorted, without . and ..
inline QStringList Names(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline std::string S(const QString& s)
{
    return s.toStdString();
}

} // namespace zelvora::zip::test
