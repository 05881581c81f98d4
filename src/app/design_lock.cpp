#include "app/design_lock.h"

#include "base/text_file.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

std::unique_ptr<QLockFile> lock_for(const fs::path& design)
{
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(DesignLock::lock_file_of(design).string()));
    // Only a process that is gone makes a lock stale, never its age: a design may stay open for days.
    lock->setStaleLockTime(0);
    return lock;
}

std::optional<LockHolder> holder_of(QLockFile& lock)
{
    qint64 pid = 0;
    QString host, application;
    if (!lock.getLockInfo(&pid, &host, &application))
        return LockHolder{};
    return LockHolder{host.toStdString(), pid};
}

fs::path normal(const fs::path& design)
{
    std::error_code ec;
    fs::path path = fs::weakly_canonical(design, ec);
    return ec ? fs::absolute(design, ec) : path;
}

} // namespace

fs::path DesignLock::lock_file_of(const fs::path& design)
{
    const fs::path path = normal(design);
    return path.parent_path() / (".~" + path.filename().string() + ".lock");
}

std::optional<LockHolder> DesignLock::holder(const fs::path& design) const
{
    if (lock_ && normal(design) == design_)
        return std::nullopt;
    // A pipe, a device or a link where the lock should be is no lock anybody holds; Qt would wait on
    // it or read it without end.
    if (!lock_file_usable(lock_file_of(design)))
        return std::nullopt;
    auto lock = lock_for(design);
    if (lock->tryLock(0)) {
        lock->unlock();
        return std::nullopt;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return std::nullopt; // no lock can be written there: nobody can hold it either
    return holder_of(*lock);
}

std::optional<LockHolder> DesignLock::hold(const fs::path& design)
{
    const fs::path path = normal(design);
    if (lock_ && path == design_)
        return std::nullopt;
    if (!lock_file_usable(lock_file_of(path))) { // no lock can be had there: the design stays unlocked
        release();
        return std::nullopt;
    }
    auto lock = lock_for(path);
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return holder_of(*lock);
    release();
    if (lock->isLocked()) {
        lock_ = std::move(lock);
        design_ = path;
    }
    return std::nullopt;
}

void DesignLock::release()
{
    lock_.reset(); // unlocks
    design_.clear();
}

} // namespace halvern
