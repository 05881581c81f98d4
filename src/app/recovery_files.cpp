#include "app/recovery_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <map>

#include <unistd.h>

#include "base/text_file.h"
#include "project/project_writer.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr const char* copy_extension = ".qlm";
constexpr const char* note_extension = ".txt";
constexpr const char* lock_extension = ".lock";

fs::path with_extension(const fs::path& folder, const std::string& slot, const char* extension)
{
    return folder / (slot + extension);
}

// Several editors of one process (tests) and of several processes each get a slot of their own.
std::string new_slot()
{
    static std::atomic<int> counter{0};
    return "editor-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

// The note names a file: a few hundred bytes. Anything else there (a pipe, a link to a device, a
// huge file) reads as no name.
std::string read_note(const fs::path& note)
{
    auto lines = read_lines(note, lock_file_bytes_max);
    return lines && !lines->empty() ? lines->front() : std::string();
}

// A lock of a slot that Qt may open: see lock_file_usable.
std::unique_ptr<QLockFile> slot_lock(const fs::path& file)
{
    if (!lock_file_usable(file))
        return nullptr;
    auto lock = std::make_unique<QLockFile>(QString::fromStdString(file.string()));
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

RecoveryFiles::RecoveryFiles(fs::path folder)
    : folder_(folder.empty() ? default_folder() : std::move(folder)), slot_(new_slot())
{
    claim();
}

RecoveryFiles::~RecoveryFiles() = default; // the lock goes, the copy stays: it was not given up

fs::path RecoveryFiles::default_folder()
{
    return fs::path(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString()) / "recovery";
}

void RecoveryFiles::claim()
{
    std::error_code ec;
    fs::create_directories(folder_, ec);
    lock_ = slot_lock(with_extension(folder_, slot_, lock_extension));
    // A folder that cannot be written leaves the editor without recovery, which the first write reports.
    if (lock_)
        lock_->tryLock(0);
}

fs::path RecoveryFiles::copy() const { return with_extension(folder_, slot_, copy_extension); }

Result<void> RecoveryFiles::write(const PlanTable& plan, const StandSettings& stand, const std::string& file_name)
{
    // The note first: a copy is never found without the name of its file. A name given relative to
    // the folder this editor started in would mean another file to an editor started elsewhere.
    std::error_code ec;
    const fs::path absolute = file_name.empty() ? fs::path() : fs::absolute(file_name, ec).lexically_normal();
    const std::string noted_name = ec ? file_name : absolute.string();
    if (auto noted = write_file_safely(with_extension(folder_, slot_, note_extension), noted_name + "\n"); !noted)
        return noted;
    return write_project_file(copy(), plan, stand);
}

void RecoveryFiles::remove()
{
    std::error_code ec;
    fs::remove(copy(), ec);
    fs::remove(with_extension(folder_, slot_, note_extension), ec);
}

std::vector<LeftDesign> RecoveryFiles::left_behind() const
{
    std::vector<LeftDesign> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
        const fs::path path = entry.path();
        const std::string slot = path.stem().string();
        if (slot == slot_)
            continue;
        if (path.extension() == lock_extension && !fs::exists(with_extension(folder_, slot, copy_extension))) {
            // An editor that was killed with nothing unsaved leaves only its lock: taken over, then let go,
            // which removes it.
            auto orphan = slot_lock(path);
            if (orphan && orphan->tryLock(0)) {
                orphan->unlock();
                std::error_code ignored;
                fs::remove(with_extension(folder_, slot, note_extension), ignored);
            }
            continue;
        }
        std::error_code type_ec;
        if (path.extension() != copy_extension || !entry.is_regular_file(type_ec))
            continue;
        std::shared_ptr<QLockFile> lock = slot_lock(with_extension(folder_, slot, lock_extension));
        // Held: its editor still runs (or another one is offering it right now). A lock of a process
        // that no longer exists is taken over; one that is no lock file leaves the copy alone.
        if (!lock || !lock->tryLock(0))
            continue;
        LeftDesign left;
        left.copy = path;
        left.file_name = read_note(with_extension(folder_, slot, note_extension));
        left.written = QFileInfo(QString::fromStdString(path.string())).lastModified();
        left.lock = std::move(lock);
        found.push_back(std::move(left));
    }
    std::sort(found.begin(), found.end(), [](const LeftDesign& a, const LeftDesign& b) { return a.written > b.written; });
    return found;
}

fs::path RecoveryFiles::keep_aside(const LeftDesign& left)
{
    const fs::path folder = left.copy.parent_path() / "damaged";
    std::error_code ec;
    fs::create_directories(folder, ec);
    // Named after the time it is kept aside, so that a second damaged copy of the slot never
    // replaces the first.
    const std::string stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    fs::path kept;
    for (int n = 1; n < 1000; ++n) {
        kept = folder / (left.copy.stem().string() + "-" + stamp + (n > 1 ? "-" + std::to_string(n) : "") + copy_extension);
        if (nothing_at(kept))
            break;
    }
    fs::path note = left.copy;
    note.replace_extension(note_extension);
    fs::path kept_note = kept;
    kept_note.replace_extension(note_extension);
    fs::rename(left.copy, kept, ec);
    const fs::path where = ec ? left.copy : kept;
    if (!ec)
        fs::rename(note, kept_note, ec);
    if (left.lock)
        left.lock->unlock();
    return where;
}

void RecoveryFiles::forget(const LeftDesign& left)
{
    std::error_code ec;
    fs::remove(left.copy, ec);
    fs::path note = left.copy;
    fs::remove(note.replace_extension(note_extension), ec);
    if (left.lock)
        left.lock->unlock();
}

} // namespace halvern
