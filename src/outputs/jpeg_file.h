#pragma once
// JPEG files written straight from a bitmap into a temporary file beside the target, which is
// renamed over the target once complete: the encoded picture is never held whole in memory, and a
// failure leaves the old file as it was.

#include <filesystem>

#include "base/result.h"

struct FIBITMAP;

namespace halvern {

// `flags` are FreeImage's JPEG save flags (quality, subsampling). The error says whether the
// encoder refused the bitmap or the disk refused the bytes, and names the file.
Result<void> write_jpeg_file(FIBITMAP* bitmap, const std::filesystem::path& file, int flags);

} // namespace halvern
