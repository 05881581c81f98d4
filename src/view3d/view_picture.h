#pragma once
// Pictures of the 3D view on disk: PNG or JPEG by the file's extension, written safely.

#include <QImage>

#include <filesystem>
#include <optional>
#include <string_view>

#include "base/result.h"
#include "view3d/orbit_camera.h"

namespace halvern {

// "PNG" for ".png", "JPG" for ".jpg" or ".jpeg" (any case), else null.
const char* view_picture_format(const std::filesystem::path& file);

// Saves in the format of `view_picture_format`; any other extension is refused with a message naming the file.
Result<void> save_view_picture(const QImage& picture, const std::filesystem::path& file);

// "WxH" with both from 1 to 8192, else nothing.
std::optional<std::pair<int, int>> parse_picture_size(std::string_view text);

// "iso", "front", "top", "left", "right", else nothing.
std::optional<StandardView> parse_standard_view(std::string_view text);

} // namespace halvern
