#include "base/file_replacement.h"

#include "base/input_files.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr int link_hops_max = 40; // as the system's own limit on symbolic links in a path
constexpr auto stale_age = std::chrono::hours(1);
constexpr size_t temporary_suffix_digits = 16;

constexpr size_t file_name_max = 255; // bytes of one name in the file systems we write to
constexpr size_t temporary_extra = 2 + temporary_suffix_digits + 4; // "." NAME "." digits ".tmp"

// The part of a target's name its temporaries carry: all of it where that fits, else its beginning
// (never cutting a character in two), so that a file whose own name is already near the limit can
// still be saved.
std::string temporary_key(const std::string& name)
{
    const size_t room = file_name_max - temporary_extra;
    if (name.size() <= room)
        return name;
    size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut);
}

std::string temporary_prefix(const fs::path& file) { return "." + temporary_key(file.filename().string()) + "."; }

fs::path temporary_name_for(const fs::path& file)
{
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[temporary_suffix_digits + 1];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(rng()));
    return file.parent_path() / (temporary_prefix(file) + suffix + ".tmp");
}

// The name (its `temporary_key`) of the file a temporary `.NAME.<16 hex digits>.tmp` was written
// for; nullopt for any other name.
std::optional<std::string> temporary_target(std::string_view name)
{
    const std::string_view ending = ".tmp";
    const size_t tail = 1 + temporary_suffix_digits + ending.size(); // ".<digits>.tmp"
    if (name.size() <= 1 + tail || name.front() != '.' || !name.ends_with(ending))
        return std::nullopt;
    const size_t digits = name.size() - ending.size() - temporary_suffix_digits;
    if (name[digits - 1] != '.')
        return std::nullopt;
    for (size_t i = digits; i < digits + temporary_suffix_digits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return std::nullopt;
    return std::string(name.substr(1, name.size() - 1 - tail));
}

// Stale temporaries by the name of their target, for each folder this process has saved into: a
// folder is looked through once, at its first save, so that writing many files into one folder
// (the strips of a cut, a set of pictures) does not list it again for every file.
class StaleTemporaries {
public:
    std::vector<fs::path> take(const fs::path& folder, const std::string& target)
    {
        std::lock_guard lock(mutex_);
        auto [found, first_visit] = by_folder_.try_emplace(fs::absolute(folder).lexically_normal());
        if (first_visit)
            found->second = look_through(folder);
        std::vector<fs::path> stale;
        if (auto it = found->second.find(temporary_key(target)); it != found->second.end()) {
            stale = std::move(it->second);
            found->second.erase(it);
        }
        return stale;
    }

private:
    using ByTarget = std::map<std::string, std::vector<fs::path>>;

    static ByTarget look_through(const fs::path& folder)
    {
        ByTarget stale;
        const auto now = fs::file_time_type::clock::now();
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::optional<std::string> target = temporary_target(it->path().filename().string());
            std::error_code entry_ec;
            if (!target || !it->is_regular_file(entry_ec))
                continue;
            auto changed = it->last_write_time(entry_ec);
            if (!entry_ec && now - changed > stale_age)
                stale[*target].push_back(it->path());
        }
        return stale;
    }

    std::mutex mutex_;
    std::map<fs::path, ByTarget> by_folder_;
};

} // namespace

fs::path resolve_links(const fs::path& file)
{
    fs::path at = file;
    for (int hop = 0; hop < link_hops_max; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            return at;
        fs::path to = fs::read_symlink(at, ec);
        if (ec)
            return at;
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
    return at; // a loop: the open below reports it
}

void remove_stale_temporaries(const fs::path& file)
{
    static StaleTemporaries known;
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    for (const fs::path& stale : known.take(folder, file.filename().string())) {
        std::error_code ec;
        fs::remove(stale, ec);
    }
}

void ignore_file_size_signal() { std::signal(SIGXFSZ, SIG_IGN); }

FileReplacement::FileReplacement(fs::path target, fs::path resolved, fs::path temporary, int fd)
    : target_(std::move(target)), resolved_(std::move(resolved)), temporary_(std::move(temporary)), fd_(fd)
{
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)), resolved_(std::move(other.resolved_)),
      temporary_(std::move(other.temporary_)), fd_(other.fd_), done_(other.done_)
{
    other.fd_ = -1;
    other.done_ = true;
}

FileReplacement::~FileReplacement()
{
    close_descriptor();
    if (!done_)
        ::unlink(temporary_.c_str());
}

void FileReplacement::close_descriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

Error FileReplacement::failure(const char* what) const
{
    return make_error(std::string(what) + ": " + std::strerror(errno), target_);
}

Result<FileReplacement> FileReplacement::begin(const fs::path& target)
{
    if (target.filename().empty())
        return make_error("not a file name", target);
    const fs::path resolved = resolve_links(target);
    std::error_code ec;
    if (fs::is_directory(resolved, ec))
        return make_error("is a folder, not a file", target);
    // Renaming over a device, a pipe or a socket would put a plain file in its place (as root, over
    // /dev/null): only a new file, a regular file or a link to one is replaced.
    struct stat existing {};
    if (::stat(resolved.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
        return make_error("is not a regular file (a device, a pipe or a socket), so it is not replaced", target);
    if (auto read_here = check_not_an_input(resolved, target); !read_here)
        return read_here.error();
    remove_stale_temporaries(resolved);

    const fs::path temporary = temporary_name_for(resolved);
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return make_error(std::string("cannot be written: ") + std::strerror(errno), target);
    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(resolved.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    return FileReplacement(target, resolved, temporary, fd);
}

Result<void> FileReplacement::commit()
{
    if (fd_ < 0) {
        // Written by someone else under its name: open it again to sync what they wrote.
        fd_ = ::open(temporary_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            return failure("cannot be written");
    }
    if (::fsync(fd_) != 0)
        return failure("cannot be written");
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return failure("cannot be written");
    if (::rename(temporary_.c_str(), resolved_.c_str()) != 0)
        return failure("cannot be replaced");
    done_ = true;
    // The rename itself reaches the disk with the folder.
    fs::path folder = resolved_.parent_path().empty() ? fs::path(".") : resolved_.parent_path();
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

} // namespace halvern
