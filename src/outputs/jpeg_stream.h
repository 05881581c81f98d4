#pragma once
// JPEG files written row by row: the picture is never held whole, only the row being encoded, so
// a print several metres wide at printing resolution takes the memory of one row. The file is
// replaced in one step once complete; a failure leaves the old one.

#include <filesystem>
#include <functional>

#include "base/result.h"

namespace halvern {

// The largest side a JPEG file can have.
inline constexpr int jpeg_max_side = 65500;

struct JpegStreamOptions {
    int quality = 95;
    bool full_colour = true; // no chroma subsampling: printers show the edges of coloured text
    int dots_per_inch = 0;   // stored in the file when above 0, so that the print size travels along
};

// Fills `rgb` (width x 3 bytes, red first) with row `y`, asked for from the top, once each.
using JpegRowSource = std::function<void(int y, unsigned char* rgb)>;

// Writes a width x height picture. A size outside 1..jpeg_max_side, an encoder failure or a disk
// that refuses the bytes gives an error naming the file.
Result<void> write_jpeg_rows(const std::filesystem::path& file, int width, int height,
                             const JpegStreamOptions& options, const JpegRowSource& row);

} // namespace halvern
