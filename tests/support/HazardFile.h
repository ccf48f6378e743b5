#pragma once
// What a hostile or unlucky data folder holds in place of a file, made at a
// path by the test that needs it, and a guard that keeps a test from hanging
// when a reader waits on a named pipe after all.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// A named pipe nobody writes to, a link to /dev/zero (which never ends), a
// folder, a valid head followed by zeros (sparse) to one byte over the cap,
// a link to nothing.
enum class Hazard { Fifo, DevZeroLink, Folder, Oversized, DanglingLink };
inline const Hazard AllHazards[] = {Hazard::Fifo, Hazard::DevZeroLink, Hazard::Folder, Hazard::Oversized,
                                    Hazard::DanglingLink};
inline const char* HazardName(Hazard h)
{
    static const char* const names[] = {"pipe", "link to /dev/zero", "folder", "oversized", "dangling link"};
    return names[int(h)];
}

// Makes the hazard at path; cap is the reader's size cap and head what an
// oversized file starts with, so that a reader ignoring the cap would find
// something to show.
inline bool MakeHazard(Hazard h, const QString& path, qint64 cap, const QByteArray& head = {})
{
    QFile::remove(path);
    QDir().mkpath(QFileInfo(path).path());
    const QByteArray p = QFile::encodeName(path);
    QFile f(path);
    switch (h) {
    case Hazard::Fifo:
        return ::mkfifo(p.constData(), 0644) == 0;
    case Hazard::DevZeroLink:
        return ::symlink("/dev/zero", p.constData()) == 0;
    case Hazard::Folder:
        return QDir().mkpath(path);
    case Hazard::Oversized:
        return f.open(QIODevice::WriteOnly) && f.write(head) == head.size() && f.resize(cap + 1);
    case Hazard::DanglingLink:
        return ::symlink((p + ".gone").constData(), p.constData()) == 0;
    }
    return false;
}

// While it lives, a reader stuck on the named pipe at path is set free after
// a generous while: the guard opens the pipe for writing and closes it, which
// ends a waiting open or read, and records that it had to. A reader that
// never waits finishes long before, and the guard never fires.
class PipeGuard {
public:
    explicit PipeGuard(const QString& path)
        : m_thread([this, p = QFile::encodeName(path)] {
            std::unique_lock lock(m_mutex);
            if (m_cv.wait_for(lock, std::chrono::seconds(20), [this] { return m_done; }))
                return;
            for (m_fired = true; !m_done; m_cv.wait_for(lock, std::chrono::milliseconds(50))) {
                if (const int fd = ::open(p.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                    ::close(fd);
            }
        })
    {
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
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_done = false;
    bool m_fired = false;
    std::thread m_thread; // last: starts once the rest is made
};
