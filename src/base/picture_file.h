#pragma once
// Reading a picture file through FreeImage to learn its size: the check every picture chosen for a
// face goes through, so that a file the 3D scene could not show is refused when it is chosen.

#include <filesystem>

#include "base/result.h"

namespace halvern {

struct PictureSize {
    int width = 0, height = 0;
};

// The picture's size in pixels; an error naming the file when it is missing, not a regular file,
// or not a picture FreeImage can load.
Result<PictureSize> read_picture_size(const std::filesystem::path& file);

} // namespace halvern
