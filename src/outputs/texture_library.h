#pragma once
// The textures shipped under "lib/tex/" of the installation folder: one sub-folder per family,
// each holding JPEG pictures.

#include <filesystem>
#include <string>
#include <vector>

namespace halvern {

std::filesystem::path texture_folder(const std::filesystem::path& app_dir);

// The families (sub-folders), sorted by name; none when the folder is missing.
std::vector<std::string> texture_families(const std::filesystem::path& app_dir);

// The ".jpg" pictures of one family (any case of the extension), sorted by name.
std::vector<std::string> texture_files(const std::filesystem::path& app_dir, const std::string& family);

// The full path of a picture of a family.
std::filesystem::path texture_path(const std::filesystem::path& app_dir, const std::string& family,
                                   const std::string& file);

} // namespace halvern
