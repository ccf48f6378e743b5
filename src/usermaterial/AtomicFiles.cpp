#include "usermaterial/AtomicFiles.h"

#include "text/TextList.h"

#include <QFile>
#include <QSaveFile>

namespace zelvora::usermaterial {

std::vector<std::string> AtomicFiles::ReadLines(const QString& path)
{
    auto lines = text::ReadTextList(QFile::encodeName(path).toStdString());
    return lines ? std::move(*lines) : std::vector<std::string>{};
}

bool AtomicFiles::WriteLines(const QString& path, const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return WriteBytes(path, bytes);
}

bool AtomicFiles::WriteBytes(const QString& path, const std::string& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool AtomicFiles::Copy(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace zelvora::usermaterial
