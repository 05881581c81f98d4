#pragma once
// Reading a picture file through FreeImage: the one loader every picture the program opens goes
// through, and the size check every picture chosen for a face passes, so that a file the 3D scene
// could not show is refused when it is chosen.

#include <cstdint>
#include <filesystem>
#include <string>

#include "base/bitmap.h"
#include "base/result.h"

namespace halvern {

struct PictureSize {
    int width = 0, height = 0;
};

// The picture as FreeImage loads it; an error naming the file when it is missing, not a regular
// file, or not a picture FreeImage can load. The content decides the format, the name only helps
// for formats without a signature. `jpeg_flags` go to the loader only when the file is a JPEG: a
// flag means something else to each format's loader.
// Pictures whose reading would take more than `max_bytes` (the pixels, and for a JPEG stored in
// several scans its coefficients as well) are refused by their header, before they are read.
inline constexpr std::uint64_t max_picture_bytes = 1ull << 30;

// `reader_note`, when given, receives what the format's reader said about a picture it still
// loaded: libjpeg's "Premature end of JPEG file" for a file cut short, whose missing rows it fills
// with grey. Empty when the reader said nothing.
Result<Bitmap> load_picture(const std::filesystem::path& file, int jpeg_flags = 0,
                            std::uint64_t max_bytes = max_picture_bytes, std::string* reader_note = nullptr);

// The picture's size in pixels; the errors of load_picture, and one for a picture without pixels.
Result<PictureSize> read_picture_size(const std::filesystem::path& file);

} // namespace halvern
