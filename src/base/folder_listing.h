#pragma once
// Finding files by their extension, in any case: names come from Windows folders, where "A.JPG"
// and "a.jpg" are the same kind of file.

#include <filesystem>
#include <string_view>
#include <vector>

namespace halvern {

// Whether the file's extension is `extension` (".jpg") in any case.
bool has_extension(const std::filesystem::path& file, std::string_view extension);

// The regular files of `folder` with that extension, sorted by name so that every machine lists
// them in the same order; a folder that cannot be read lists nothing.
std::vector<std::filesystem::path> files_with_extension(const std::filesystem::path& folder,
                                                        std::string_view extension);

} // namespace halvern
