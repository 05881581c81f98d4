#include "base/file_stamp.h"

#include <sys/stat.h>

namespace halvern {

std::string FileStamp::text() const
{
    std::string text;
    for (const long long part : {size, modified_s, modified_ns, changed_s, changed_ns, inode, device})
        text += std::to_string(part) + '\n';
    return text;
}

std::optional<FileStamp> file_stamp(const std::filesystem::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return FileStamp{status.st_size,          status.st_mtim.tv_sec, status.st_mtim.tv_nsec,
                     status.st_ctim.tv_sec,   status.st_ctim.tv_nsec, (long long)status.st_ino,
                     (long long)status.st_dev};
}

} // namespace halvern
