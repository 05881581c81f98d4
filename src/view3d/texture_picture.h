#pragma once
// Pictures as the 3D view draws them: read by Qt's image readers, reduced to what a texture can
// show (at most 2,048 pixels a side) and halved down to one pixel, so that a face seen from afar
// samples a small copy instead of the whole picture. Kept in the scene's picture cache by the file's
// stamp: a live rebuild after an edit reads no picture twice.

#include <filesystem>
#include <memory>

#include "view3d/picture_cache.h"

namespace halvern {

// The longest side of a texture.
constexpr int max_texture_side = 2048;

// The picture of `file` ready for a texture, or null when it cannot be read.
std::shared_ptr<const DecodedPicture> texture_picture(const std::filesystem::path& file);

// `picture` with its `smaller` levels made (each half the one before, rounding down, at least one
// pixel), every pixel of a level the mean of the pixels it covers.
void make_smaller_levels(DecodedPicture& picture);

} // namespace halvern
