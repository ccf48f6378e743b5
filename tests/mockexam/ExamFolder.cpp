#include "ExamFolder.h"

#include <QBuffer>
#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

ExamFolder::ExamFolder()
{
    m_data = m_dir.path() + QStringLiteral("/dados/");
    m_simu = m_data + QStringLiteral("simu/");
    QDir().mkpath(m_simu);
}

bool ExamFolder::write(const QString& relative, const QByteArray& bytes) const
{
    const QString path = m_simu + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray ExamFolder::PdfBytes(const QString& title, int pages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(72);
        writer.setTitle(title);
        QPainter p(&writer);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(28);
        p.setFont(font);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                writer.newPage();
            p.drawText(QPointF(60, 90), QStringLiteral("%1 - página %2").arg(title).arg(page));
            p.fillRect(QRectF(60, 120, 400, 12), Qt::black);
        }
    }
    return bytes;
}

bool ExamFolder::writePdf(const QString& relative, const QString& title, int pages) const
{
    return write(relative, PdfBytes(title, pages));
}

bool ExamFolder::writeKey(const QString& relative, const QStringList& lines) const
{
    return write(relative, lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
}

bool ExamFolder::writeSkin(const QString& baseName, const QSize& size, const QColor& normal,
                           const QColor& pressed) const
{
    QImage a(size, QImage::Format_RGB32);
    a.fill(normal);
    QImage b(size, QImage::Format_RGB32);
    b.fill(pressed);
    return a.save(m_data + baseName + QStringLiteral(".png")) && b.save(m_data + baseName + QStringLiteral("on.png"));
}

std::map<QString, QString> ExamFolder::snapshot() const
{
    std::map<QString, QString> files;
    QDirIterator it(m_data, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files[info.filePath()] = QStringLiteral("%1 %2 %3")
                                     .arg(info.size())
                                     .arg(info.lastModified().toMSecsSinceEpoch())
                                     .arg(int(info.permissions()));
    }
    return files;
}
