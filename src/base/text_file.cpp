#include "base/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "base/cp1252.h"
#include "base/line_cursor.h"

namespace halvern {

namespace fs = std::filesystem;

std::vector<std::string> split_lines(std::string_view text)
{
    std::vector<std::string> lines;
    LineCursor cursor(text);
    for (std::string_view line; cursor.next(line);)
        lines.emplace_back(line);
    return lines;
}

std::string join_lines_crlf(const std::vector<std::string>& lines)
{
    std::string out;
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const auto& line : lines) {
        out += utf8_to_cp1252(line);
        out += "\r\n";
    }
    return out;
}

Result<std::string> read_file_bytes(const fs::path& file)
{
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return make_error("is a folder, not a file", file);
    // Plain reads: a stream would throw out of its iterator on an input error (a damaged disk, a
    // network share gone away) instead of letting us report the file.
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return make_error(std::string("cannot be read: ") + std::strerror(errno), file);
    std::string bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0)
        bytes.reserve(size_t(info.st_size));
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            Error error = make_error(std::string("cannot be read: ") + std::strerror(errno), file);
            ::close(fd);
            return error;
        }
        if (n == 0)
            break;
        bytes.append(buffer, size_t(n));
    }
    ::close(fd);
    return bytes;
}

Result<std::vector<std::string>> read_lines(const fs::path& file)
{
    auto bytes = read_file_bytes(file);
    if (!bytes)
        return bytes.error();
    return split_lines(cp1252_to_utf8(*bytes));
}

namespace {

std::string errno_text(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

fs::path temporary_name_for(const fs::path& file)
{
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(rng()));
    fs::path name = "." + file.filename().string() + "." + suffix + ".tmp";
    return file.parent_path() / name;
}

} // namespace

Result<void> write_all(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return make_error(errno_text("cannot be written"));
        }
        p += n;
        left -= size_t(n);
    }
    return {};
}

Result<void> write_file_safely_with(const fs::path& file, const std::function<Result<void>(int fd)>& fill)
{
    if (file.filename().empty())
        return make_error("not a file name", file);
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return make_error("is a folder, not a file", file);

    const fs::path temp = temporary_name_for(file);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return make_error(errno_text("cannot be written"), file);

    // Keep the permissions of the file being replaced.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);

    auto fail = [&](Error error) -> Result<void> {
        error.file = file;
        ::close(fd);
        ::unlink(temp.c_str());
        return error;
    };

    if (Result<void> filled = fill(fd); !filled)
        return fail(filled.error());
    if (::fsync(fd) != 0)
        return fail(make_error(errno_text("cannot be written")));
    if (::close(fd) != 0) {
        Error error = make_error(errno_text("cannot be written"), file);
        ::unlink(temp.c_str());
        return error;
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        Error error = make_error(errno_text("cannot be replaced"), file);
        ::unlink(temp.c_str());
        return error;
    }
    return {};
}

Result<void> write_file_safely(const fs::path& file, std::string_view bytes)
{
    return write_file_safely_with(file, [bytes](int fd) { return write_all(fd, bytes); });
}

Result<void> write_lines(const fs::path& file, const std::vector<std::string>& lines)
{
    return write_file_safely(file, join_lines_crlf(lines));
}

} // namespace halvern
