#pragma once
// One editor per design: while an editor has a design open, a lock file beside it names the host
// and the process. Another editor opening the same design finds it held and warns; a lock left by a
// process that no longer runs on this host is taken over.

#include <QLockFile>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace halvern {

// Who holds a design.
struct LockHolder {
    std::string host;
    long long pid = 0;
};

class DesignLock {
public:
    // The lock file of a design: hidden, beside it.
    static std::filesystem::path lock_file_of(const std::filesystem::path& design);

    // Who else holds `design`; nothing when it is free (or already ours).
    std::optional<LockHolder> holder(const std::filesystem::path& design) const;
    // Holds `design` instead of the previous one; nothing when that succeeded, else who holds it.
    // A folder where no lock can be written does not stop the editing: the design is then unlocked.
    std::optional<LockHolder> hold(const std::filesystem::path& design);
    void release();
    const std::filesystem::path& held() const { return design_; }

private:
    std::filesystem::path design_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace halvern
