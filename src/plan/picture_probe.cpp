#include "plan/picture_probe.h"

#include <algorithm>
#include <system_error>

#include "base/file_stamp.h"
#include "base/picture_file.h"

namespace halvern {

namespace fs = std::filesystem;

fs::path stored_picture_path(const std::string& stored, const fs::path& folder)
{
    auto anchored = [&folder](fs::path p) { return p.is_relative() && !folder.empty() ? folder / p : p; };
    fs::path as_stored = anchored(fs::path(stored));
    std::error_code ec;
    if (stored.find('\\') == std::string::npos || fs::exists(as_stored, ec))
        return as_stored;
    std::string slashed = stored;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    return anchored(fs::path(slashed));
}

std::optional<std::array<int, 2>> FilePictureProbe::size_of(const std::string& stored)
{
    const fs::path file = stored_picture_path(stored, folder_);
    const std::optional<FileStamp> stamp = file_stamp(file);
    if (!stamp) {
        known_.erase(file);
        return std::nullopt;
    }
    auto it = known_.find(file);
    if (it != known_.end() && it->second.stamp == *stamp)
        return it->second.size;
    ++files_read_;
    Known known{*stamp, std::nullopt};
    if (auto size = read_picture_size(file))
        known.size = std::array<int, 2>{size->width, size->height};
    known_[file] = known;
    return known.size;
}

} // namespace halvern
