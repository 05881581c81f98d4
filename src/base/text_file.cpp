#include "base/text_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/cp1252.h"
#include "base/file_replacement.h"
#include "base/input_files.h"
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

Result<std::string> read_file_bytes(const fs::path& file, std::uint64_t max_bytes)
{
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return make_error("is a folder, not a file", file);
    // Not blocking: opening a named pipe would otherwise wait for a writer that never comes.
    // Plain reads: a stream would throw out of its iterator on an input error (a damaged disk, a
    // network share gone away) instead of letting us report the file.
    int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return make_error(std::string("cannot be read: ") + std::strerror(errno), file);
    auto fail = [&](std::string message) -> Result<std::string> {
        ::close(fd);
        return make_error(std::move(message), file);
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return fail(std::string("cannot be read: ") + std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return fail("is not a regular file (a pipe, a device or a socket), so it is not read");
    note_input_file(static_cast<unsigned long long>(info.st_dev), static_cast<unsigned long long>(info.st_ino));
    const std::string too_large = "is larger than " + std::to_string(max_bytes / megabyte)
                                  + " MB, more than a file of its kind can hold, so it is not read";
    if (std::uint64_t(info.st_size) > max_bytes)
        return fail(too_large);
    std::string bytes;
    bytes.reserve(size_t(info.st_size));
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n < 0)
            return fail(std::string("cannot be read: ") + std::strerror(errno));
        if (n == 0)
            break;
        bytes.append(buffer, size_t(n));
        if (bytes.size() > max_bytes) // a file that grows while it is read
            return fail(too_large);
    }
    ::close(fd);
    return bytes;
}

Result<std::vector<std::string>> read_lines(const fs::path& file, std::uint64_t max_bytes)
{
    auto bytes = read_file_bytes(file, max_bytes);
    if (!bytes)
        return bytes.error();
    return split_lines(cp1252_to_utf8(*bytes));
}

bool lock_file_usable(const fs::path& file, std::uint64_t max_bytes)
{
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0)
        return errno == ENOENT;
    return S_ISREG(info.st_mode) && std::uint64_t(info.st_size) <= max_bytes;
}

bool nothing_at(const fs::path& file)
{
    std::error_code ec;
    return fs::symlink_status(file, ec).type() == fs::file_type::not_found;
}

Result<void> write_all(int fd, std::string_view bytes)
{
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return make_error(std::string("cannot be written: ") + std::strerror(errno));
        }
        p += n;
        left -= size_t(n);
    }
    return {};
}

Result<void> write_file_safely_with(const fs::path& file, const std::function<Result<void>(int fd)>& fill)
{
    auto replacement = FileReplacement::begin(file);
    if (!replacement)
        return replacement.error();
    if (Result<void> filled = fill(replacement->descriptor()); !filled) {
        Error error = filled.error();
        error.file = file;
        return error;
    }
    return replacement->commit();
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
