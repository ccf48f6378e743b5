#include "attempts/AttemptClaim.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zelvora::attempts {

std::string AttemptClaim::FileFor(const std::string& folder, int64_t id)
{
    return folder + "/attempt-" + std::to_string(id) + ".lock";
}

std::unique_ptr<AttemptClaim> AttemptClaim::Take(const std::string& folder, int64_t id, Outcome* outcome)
{
    Outcome dummy;
    Outcome& out = outcome ? *outcome : dummy;
    out = Outcome::Unavailable;
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return nullptr;
    const std::string path = FileFor(folder, id);
    // A releasing owner unlinks its file while it still holds the lock; a
    // lock won on such an unlinked file is worth nothing, so the file locked
    // must still be the one at the path.
    for (int round = 0; round < 8; ++round) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return nullptr;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            out = error == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Unavailable;
            return nullptr;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino) {
            // Who holds it, for a person looking at the folder.
            const std::string pid = std::to_string(::getpid()) + "\n";
            if (::ftruncate(fd, 0) == 0 && ::write(fd, pid.data(), pid.size()) < 0) {
                // The content is informative only.
            }
            out = Outcome::Taken;
            return std::unique_ptr<AttemptClaim>(new AttemptClaim(path, fd, id));
        }
        ::close(fd);
    }
    return nullptr;
}

AttemptClaim::AttemptClaim(std::string path, int fd, int64_t id) : m_path(std::move(path)), m_fd(fd), m_id(id)
{
}

AttemptClaim::~AttemptClaim()
{
    ::unlink(m_path.c_str());
    ::close(m_fd);
}

} // namespace zelvora::attempts
