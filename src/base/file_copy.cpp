#include "base/file_copy.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "base/text_file.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr size_t chunk_bytes = 1 << 16;

// A regular file open for reading; non-blocking open so that a pipe never makes us wait.
class InputFile {
public:
    explicit InputFile(const fs::path& file) : file_(file)
    {
        fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            error_ = std::string("cannot be read: ") + std::strerror(errno);
            return;
        }
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            error_ = std::string("cannot be read: ") + std::strerror(errno);
        else if (!S_ISREG(info.st_mode))
            error_ = "is not a regular file, so it is not copied";
        else
            size_ = std::uint64_t(info.st_size);
    }
    ~InputFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool ok() const { return error_.empty(); }
    Error error() const { return make_error(error_, file_); }
    std::uint64_t size() const { return size_; }

    // Fills `buffer` as far as the file goes; 0 at its end, -1 on an input error.
    ssize_t read(char* buffer, size_t size)
    {
        size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd_, buffer + got, size - got);
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n < 0) {
                error_ = std::string("cannot be read: ") + std::strerror(errno);
                return -1;
            }
            if (n == 0)
                break;
            got += size_t(n);
        }
        return ssize_t(got);
    }

private:
    fs::path file_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::string error_;
};

} // namespace

Result<void> copy_file_safely(const fs::path& source, const fs::path& target)
{
    InputFile in(source);
    if (!in.ok())
        return in.error();
    std::string buffer(chunk_bytes, '\0');
    bool read_failed = false;
    Result<void> written = write_file_safely_with(target, [&](int fd) -> Result<void> {
        for (;;) {
            const ssize_t n = in.read(buffer.data(), buffer.size());
            if (n < 0) {
                read_failed = true;
                return in.error();
            }
            if (n == 0)
                return {};
            if (Result<void> w = write_all(fd, std::string_view(buffer.data(), size_t(n))); !w)
                return w;
        }
    });
    if (!written && read_failed)
        return in.error(); // the source is at fault, not the target
    return written;
}

bool same_file_content(const fs::path& a, const fs::path& b)
{
    InputFile first(a), second(b);
    if (!first.ok() || !second.ok() || first.size() != second.size())
        return false;
    std::string x(chunk_bytes, '\0'), y(chunk_bytes, '\0');
    for (;;) {
        const ssize_t n = first.read(x.data(), x.size());
        const ssize_t m = second.read(y.data(), y.size());
        if (n < 0 || m < 0 || n != m)
            return false;
        if (n == 0)
            return true;
        if (std::memcmp(x.data(), y.data(), size_t(n)) != 0)
            return false;
    }
}

} // namespace halvern
