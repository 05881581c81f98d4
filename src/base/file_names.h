#pragma once
// Names the user chose in a save dialog, completed with the extension of what is saved.

#include <filesystem>
#include <string_view>

namespace halvern {

// The path with `extension` (".wrl") added unless it already ends in it (any case). `also` is a
// second spelling that counts as well (".jpeg" for ".jpg").
std::filesystem::path with_extension(const std::filesystem::path& file, std::string_view extension,
                                     std::string_view also = {});

} // namespace halvern
