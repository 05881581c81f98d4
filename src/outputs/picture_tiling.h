#pragma once
// Print tiles: one wide picture cut into vertical strips, each saved as its own JPEG beside it.
// Only the picture and one strip are ever held in memory; each strip is encoded straight into its
// file. The picture's own file is only read.

#include <filesystem>
#include <functional>
#include <vector>

#include "base/result.h"
#include "base/bitmap.h"
#include "base/picture_file.h"
#include "outputs/strip_layout.h"

namespace halvern {

// JPEG quality 100, colours kept at full resolution: strips go to a printer.
extern const int strip_jpeg_flags;

struct Strip {
    ColumnRange columns; // over the picture's whole height
    std::filesystem::path file;
};

struct CutReport {
    std::vector<std::filesystem::path> written; // in the order of the strips
    std::vector<Error> failures;                // strips that could not be copied or written
};

// Called after each strip with the strips done and their count, so that a window keeps answering.
using CutProgress = std::function<void(int done, int total)>;

// The picture at 24 bits per pixel, whatever depth its file holds: its format found from its
// content, else from its name. A converted picture replaces the loaded one at once, so that only
// one copy stays. The reason when it cannot be read, when reading it would take more than
// `max_bytes`, or when its file is cut short (printed, its missing rows would be grey). The
// tiling's own message ("erreur chargement") is the cut's to add.
Result<Bitmap> load_picture_24(const std::filesystem::path& file, std::uint64_t max_bytes = max_picture_bytes);

// Cuts each strip out of a 24-bit picture and writes it as a JPEG, replacing a file of the same
// name in one step. A strip that cannot be copied or written is reported and the next is still cut.
CutReport cut_strips(FIBITMAP* picture, const std::vector<Strip>& strips, const CutProgress& progress = {});

// The whole cut: loads the picture, lays the typed widths out over its width, and cuts the strips
// under their names (`strip_file`, with `selected` objects). Gives the report, or the reason
// nothing was cut: a picture that cannot be read, or widths that would leave a strip empty.
Result<CutReport> tile_picture(const std::filesystem::path& picture, const std::vector<StripWidth>& widths,
                               int selected, const CutProgress& progress = {});

} // namespace halvern
