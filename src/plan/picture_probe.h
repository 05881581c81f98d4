#pragma once
// The face pictures as the design checks see them: each file read once through the program's one
// picture loader, then remembered until the file changes (its `FileStamp`), so that checking a
// design again after every edit does not read its pictures again.

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "base/file_stamp.h"
#include "plan/design_checks.h"

namespace halvern {

// Where a stored picture path points: as stored when that names a file, else with "\" read as a
// separator (designs made on Windows); a relative path is taken from `folder` (the design's).
std::filesystem::path stored_picture_path(const std::string& stored, const std::filesystem::path& folder);

class FilePictureProbe : public PictureProbe {
public:
    void set_folder(std::filesystem::path folder) { folder_ = std::move(folder); }
    std::optional<std::array<int, 2>> size_of(const std::string& stored_path) override;
    int files_read() const { return files_read_; }

private:
    struct Known {
        FileStamp stamp;
        std::optional<std::array<int, 2>> size;
    };
    std::filesystem::path folder_;
    std::map<std::filesystem::path, Known> known_;
    int files_read_ = 0;
};

} // namespace halvern
