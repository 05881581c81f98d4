#include "base/file_replacement.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr int link_hops_max = 40; // as the system's own limit on symbolic links in a path
constexpr auto stale_age = std::chrono::hours(1);
constexpr size_t temporary_suffix_digits = 16;

std::string temporary_prefix(const fs::path& file) { return "." + file.filename().string() + "."; }

fs::path temporary_name_for(const fs::path& file)
{
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[temporary_suffix_digits + 1];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(rng()));
    return file.parent_path() / (temporary_prefix(file) + suffix + ".tmp");
}

bool is_temporary_of(const std::string& name, const std::string& prefix)
{
    const std::string ending = ".tmp";
    if (name.size() != prefix.size() + temporary_suffix_digits + ending.size() || name.rfind(prefix, 0) != 0
        || name.compare(name.size() - ending.size(), ending.size(), ending) != 0)
        return false;
    for (size_t i = prefix.size(); i < prefix.size() + temporary_suffix_digits; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

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
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string prefix = temporary_prefix(file);
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!is_temporary_of(name, prefix) || !it->is_regular_file(ec))
            continue;
        auto changed = it->last_write_time(ec);
        if (!ec && now - changed > stale_age)
            fs::remove(it->path(), ec);
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
    ignore_file_size_signal();
    if (target.filename().empty())
        return make_error("not a file name", target);
    const fs::path resolved = resolve_links(target);
    std::error_code ec;
    if (fs::is_directory(resolved, ec))
        return make_error("is a folder, not a file", target);
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
