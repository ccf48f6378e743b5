#pragma once
// One program instance's hold on one attempt: an exclusive lock (flock) on a
// small file per attempt in the store's folder. The lock belongs to the open
// file, so it ends with the process however the process ends (kill -9
// included) and no stale claim is ever left to clean up. Qt-free.
#include <cstdint>
#include <memory>
#include <string>

namespace zelvora::attempts {

class AttemptClaim {
public:
    enum class Outcome {
        Taken, // this instance owns the attempt now
        HeldElsewhere, // another instance (another window) has it
        Unavailable, // no lock file can be made (read-only folder): nobody can claim
    };

    // Claims attempt id; the claim, or nothing with outcome saying why.
    static std::unique_ptr<AttemptClaim> Take(const std::string& folder, int64_t id, Outcome* outcome = nullptr);
    // The file that holds attempt id's claim.
    static std::string FileFor(const std::string& folder, int64_t id);

    ~AttemptClaim();
    AttemptClaim(const AttemptClaim&) = delete;
    AttemptClaim& operator=(const AttemptClaim&) = delete;

    int64_t id() const { return m_id; }

private:
    AttemptClaim(std::string path, int fd, int64_t id);

    std::string m_path;
    int m_fd = -1;
    int64_t m_id = 0;
};

} // namespace zelvora::attempts
