#pragma once
// A file's state on disk, to tell whether it changed since it was last read. Size and modification
// time alone miss a file replaced by one of the same size that keeps its time (copied with its
// times, unpacked from an archive): the change time, which no copy can set, and the file's identity,
// which a replacement by renaming changes, catch those.

#include <filesystem>
#include <optional>
#include <string>

namespace halvern {

struct FileStamp {
    long long size = 0;
    long long modified_s = 0, modified_ns = 0;
    long long changed_s = 0, changed_ns = 0;
    long long inode = 0, device = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
    // One line per field, for keys made of text.
    std::string text() const;
};

// The stamp of a regular file as it is now; none when it is not one or cannot be looked at.
std::optional<FileStamp> file_stamp(const std::filesystem::path& file);

} // namespace halvern
