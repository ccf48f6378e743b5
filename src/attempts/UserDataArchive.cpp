#include "attempts/UserDataArchive.h"

#include "attempts/AttemptStore.h"
#include "zip/ArchiveExtraction.h"
#include "zip/TUnZipper.h"
#include "zipwriter/ZipWriter.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <exception>

namespace zelvora::attempts {

namespace {

using zipwriter::ZipWriter;
using Error = UserDataArchive::Error;

const char* const StoreEntry = "attempts.sqlite";

// What of the folder goes into the archive: not the live store, its log and
// lock files, the damaged files put aside, nor the claims of this computer.
bool Exported(const QString& relative)
{
    const QString store = QLatin1String(AttemptStore::FileName);
    return !relative.startsWith(store) && !relative.startsWith(QStringLiteral("attempt-claims/"));
}

// The program's zip reader writes every entry straight into the destination
// folder, without the entry's folders, so an entry's name is its whole path
// in the user's folder with "%" and "/" written as "%25" and "%2F".
QString EntryName(const QString& relative)
{
    QString name = relative;
    name.replace(QLatin1Char('%'), QStringLiteral("%25"));
    name.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    return name;
}

QString RelativePath(const QString& entryName)
{
    QString path = entryName;
    path.replace(QStringLiteral("%2F"), QStringLiteral("/"), Qt::CaseInsensitive);
    path.replace(QStringLiteral("%25"), QStringLiteral("%"));
    return path;
}

// A path that stays inside the user's folder.
bool Inside(const QString& relative)
{
    const QString clean = QDir::cleanPath(relative);
    return !clean.isEmpty() && !clean.startsWith(QLatin1Char('/')) && clean != QLatin1String("..")
        && !clean.startsWith(QStringLiteral("../"));
}

QByteArray Marker()
{
    return QByteArrayLiteral("Zelvora: dados do usuario\r\nformato 1\r\n");
}

ZipWriter::Entry EntryFor(const QString& name, QByteArray data, const QDateTime& time)
{
    ZipWriter::Entry e;
    e.name = name.toStdString();
    e.utf8Name = true;
    e.data = data.toStdString();
    const QDateTime t = time.isValid() && time.date().year() >= 1980 ? time.toLocalTime()
                                                                     : QDateTime(QDate(1980, 1, 1), QTime(0, 0));
    e.dosDate = ZipWriter::DosDate(t.date().year(), t.date().month(), t.date().day());
    e.dosTime = ZipWriter::DosTime(t.time().hour(), t.time().minute(), t.time().second());
    return e;
}

bool ReadWhole(const QString& path, QByteArray* bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *bytes = f.readAll();
    return f.error() == QFile::NoError;
}

} // namespace

Result<Error> UserDataArchive::Write(AttemptStore& store, const QString& userFolder, const QString& archivePath)
{
    if (!store.isOpen())
        return Result<Error>::Fail(Error::StoreUnavailable);
    QTemporaryDir work;
    if (!work.isValid())
        return Result<Error>::Fail(Error::CannotWrite, work.errorString().toStdString());
    const QString copy = work.filePath(QLatin1String(StoreEntry));
    if (const StoreResult r = store.backupTo(copy); !r)
        return Result<Error>::Fail(Error::BackupFailed, r.detail());

    ZipWriter zip;
    zip.add(EntryFor(QLatin1String(MarkerName), Marker(), QDateTime::currentDateTime()));
    QByteArray bytes;
    if (!ReadWhole(copy, &bytes))
        return Result<Error>::Fail(Error::BackupFailed, copy.toStdString());
    zip.add(EntryFor(QLatin1String(StoreEntry), bytes, QDateTime::currentDateTime()));

    const QDir root(userFolder);
    QDirIterator it(userFolder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList names;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (!it.fileInfo().isSymLink() && Exported(relative) && QFileInfo(archivePath) != it.fileInfo())
            names << relative;
    }
    names.sort(); // the same folder always gives the same order
    for (const QString& relative : names) {
        const QString path = root.filePath(relative);
        if (!ReadWhole(path, &bytes))
            return Result<Error>::Fail(Error::CannotWrite, path.toStdString());
        zip.add(EntryFor(EntryName(relative), bytes, QFileInfo(path).lastModified()));
    }

    std::string archive;
    try {
        archive = zip.finish();
    } catch (const std::exception& e) {
        return Result<Error>::Fail(Error::CannotWrite, e.what());
    }
    QSaveFile out(archivePath);
    if (!out.open(QIODevice::WriteOnly) || out.write(archive.data(), qint64(archive.size())) != qint64(archive.size())
        || !out.commit())
        return Result<Error>::Fail(Error::CannotWrite,
                                   (archivePath + QStringLiteral(": ") + out.errorString()).toStdString());
    return Result<Error>::Ok();
}

ResultOf<UserDataArchive::Imported, Error> UserDataArchive::Read(const QString& archivePath, const QString& userFolder,
                                                                 AttemptStore& store)
{
    using Out = ResultOf<Imported, Error>;
    if (!store.isOpen())
        return Out::Fail(Error::StoreUnavailable);
    QTemporaryDir work;
    if (!work.isValid())
        return Out::Fail(Error::CannotWrite, work.errorString().toStdString());
    const QString unpacked = work.filePath(QStringLiteral("unpacked"));
    if (!QDir().mkpath(unpacked))
        return Out::Fail(Error::CannotWrite, unpacked.toStdString());

    zip::TUnZipperCallbacks callbacks;
    zip::TUnZipper unzipper(callbacks);
    unzipper.OverwriteMode = zip::TUZOverwriteMode::Always;
    const zip::ArchiveExtraction run = zip::ExtractArchive(unzipper, QFile::encodeName(archivePath).toStdString(),
                                                           QFile::encodeName(unpacked).toStdString() + "/");
    if (run.failed || !run.complete())
        return Out::Fail(Error::NotAnArchive, run.error);
    const QDir from(unpacked);
    QByteArray marker;
    if (!ReadWhole(from.filePath(QLatin1String(MarkerName)), &marker) || !marker.startsWith(Marker().left(26)))
        return Out::Fail(Error::NotOurs);

    // The archive's attempts, read from its store before anything changes.
    std::vector<Attempt> attempts;
    {
        AttemptStore theirs(from.filePath(QLatin1String(StoreEntry)));
        if (!QFileInfo(from.filePath(QLatin1String(StoreEntry))).isFile() || !theirs.open()
            || !theirs.setAsidePath().isEmpty())
            return Out::Fail(Error::StoreInArchiveUnreadable, theirs.status().detail());
        auto list = theirs.summaries();
        if (!list)
            return Out::Fail(Error::StoreInArchiveUnreadable, list.detail());
        for (const Attempt& summary : list.value()) {
            auto whole = theirs.load(summary.id);
            if (!whole || !whole.value())
                return Out::Fail(Error::StoreInArchiveUnreadable, whole.detail());
            attempts.push_back(*whole.value());
        }
    }

    Imported done;
    const QDir to(userFolder);
    const QStringList entries = from.entryList(QDir::Files | QDir::Hidden);
    QStringList names;
    for (const QString& entry : entries) {
        const QString relative = RelativePath(entry);
        if (entry != QLatin1String(MarkerName) && entry != QLatin1String(StoreEntry) && Exported(relative)
            && Inside(relative))
            names << entry;
    }
    names.sort();
    for (const QString& entry : names) {
        const QString target = to.filePath(QDir::cleanPath(RelativePath(entry)));
        if (QFileInfo::exists(target)) {
            ++done.filesKept;
            continue;
        }
        QByteArray bytes;
        if (!ReadWhole(from.filePath(entry), &bytes))
            return Out::Fail(Error::NotAnArchive, entry.toStdString());
        QSaveFile out(target);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !out.open(QIODevice::WriteOnly)
            || out.write(bytes) != bytes.size() || !out.commit())
            return Out::Fail(Error::CannotWrite, target.toStdString());
        ++done.filesRestored;
    }

    const auto added = store.addMissing(attempts);
    if (!added)
        return Out::Fail(Error::MergeFailed, added.detail());
    done.attemptsAdded = added.value();
    done.attemptsKnown = int(attempts.size()) - added.value();
    return done;
}

} // namespace zelvora::attempts
