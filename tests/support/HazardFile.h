#pragma once
// What a hostile or unlucky data folder holds in place of a file, made at a
// path by the test that needs it, and a guard that keeps a test from hanging
// when a reader waits on a named pipe after all.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

enum class Hazard {
    Fifo,         // a named pipe nobody writes to
    DevZeroLink,  // a link to /dev/zero, which never ends
    Folder,       // a folder of that name
    Oversized,    // a valid head, then zeros (sparse) to one byte over the cap
    DanglingLink, // a link to nothing
};

inline const char* HazardName(Hazard h)
{
    switch (h) {
    case Hazard::Fifo: return "pipe";
    case Hazard::DevZeroLink: return "link to /dev/zero";
    case Hazard::Folder: return "folder";
    case Hazard::Oversized: return "oversized";
    case Hazard::DanglingLink: return "dangling link";
    }
    return "?";
}

inline const Hazard AllHazards[] = {Hazard::Fifo, Hazard::DevZeroLink, Hazard::Folder, Hazard::Oversized,
                                    Hazard::DanglingLink};

// Makes the hazard at path (removing a file there first); cap is the reader's
// size cap and head the valid content that Oversized starts with, so that a
// reader ignoring the cap would find something to show. False when it could
// not be made.
inline bool MakeHazard(Hazard h, const QString& path, qint64 cap, const QByteArray& head = {})
{
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray p = QFile::encodeName(path);
    switch (h) {
    case Hazard::Fifo:
        return ::mkfifo(p.constData(), 0644) == 0;
    case Hazard::DevZeroLink:
        return ::symlink("/dev/zero", p.constData()) == 0;
    case Hazard::Folder:
        return QDir().mkpath(path);
    case Hazard::Oversized: {
        QFile f(path);
        return f.open(QIODevice::WriteOnly) && f.write(head) == head.size() && f.resize(cap + 1);
    }
    case Hazard::DanglingLink:
        return ::symlink(QFile::encodeName(path + ".gone").constData(), p.constData()) == 0;
    }
    return false;
}

// While it lives, a reader stuck on the named pipe at path is set free after
// a generous while: the guard opens the pipe for writing and closes it, which
// ends a waiting open or read, and records that it had to (fired()). A reader
// that never waits finishes long before and the guard never fires.
class PipeGuard {
public:
    explicit PipeGuard(const QString& path) : m_path(QFile::encodeName(path))
    {
        m_thread = std::thread([this] {
            std::unique_lock lock(m_mutex);
            if (m_cv.wait_for(lock, std::chrono::seconds(20), [this] { return m_done; }))
                return;
            m_fired = true;
            while (!m_done) {
                const int fd = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                m_cv.wait_for(lock, std::chrono::milliseconds(50), [this] { return m_done; });
            }
        });
    }
    ~PipeGuard()
    {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_cv.notify_all();
        m_thread.join();
    }
    bool fired() const
    {
        std::lock_guard lock(m_mutex);
        return m_fired;
    }

private:
    QByteArray m_path;
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread;
};
