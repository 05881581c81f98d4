#pragma once
// Pictures of the plan: "Save Screen" (the stand at a resolution, drawn smooth) and the 2D
// blueprint (ten pixels per centimetre), saved as JPEG. The plan is drawn a tile at a time onto a
// small surface the front end supplies, and each tile's rows are copied into one bitmap, so that a
// picture of tens of millions of pixels never needs a surface of its size; only the objects that
// reach a tile are drawn into it. The caller's view is never changed.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>

#include "base/result.h"
#include "base/bitmap.h"
#include "plan/render.h"

struct FIBITMAP;

namespace halvern {

// An off-screen surface for one tile.
class PictureSurface {
public:
    virtual ~PictureSurface() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // The surface, white all over, ready to draw on.
    virtual Canvas& begin() = 0;
    // Drawing is done; rows can be read until the next begin.
    virtual void finish() = 0;
    // Row y (0 at the top), one value per pixel whose low 24 bits are 0xRRGGBB; null when the
    // surface cannot give it.
    virtual const std::uint32_t* row(int y) const = 0;
};

// Makes a surface of the given size; null when it cannot.
using SurfaceMaker = std::function<std::unique_ptr<PictureSurface>(int width, int height)>;

inline constexpr int tile_size = 500;
// Pictures up to this many pixels are drawn on one surface of their own size when their job asks
// for it: QPainter gives a thin anti-aliased line cut at a surface's edge a different pixel step
// than the same line drawn whole, so a seam can show at low zooms, where lines are one pixel wide.
inline constexpr std::int64_t whole_surface_pixels_max = std::int64_t(4096) * 4096;
inline constexpr int large_tile_size = 2048;
inline constexpr int jpeg_side_max = 65500;
inline constexpr int jpeg_quality = 95;
// A bitmap of 24 bits per pixel larger than this is refused before anything is drawn.
inline constexpr std::uint64_t picture_bytes_max = std::uint64_t(2) << 30;
// The rows a streamed picture holds at once, 3 bytes a pixel.
inline constexpr std::int64_t band_bytes_max = std::int64_t(128) << 20;

struct PictureJob {
    int width = 0, height = 0; // the picture
    ViewState view;            // drawn as it stands (zoom auto applies to the picture's size)
    bool palette_column = false;
    bool smooth = true;
    bool selection_marks = false; // a picture of the window as seen shows them; others never
    int tile = tile_size; // the largest side of a tile
    // Outlines kept as pictures: for a window's picture only, since a saved picture must have
    // every outline exactly as drawn.
    OutlineCache* outlines = nullptr;
    LabelCache* labels = nullptr;
    // Called after each tile with the tiles done and their count: the window keeps answering.
    std::function<void(int done, int total)> progress;
};

// A band of rows: `count` rows from picture row `y`, 3 bytes a pixel (red, green, blue), `stride`
// bytes apart; valid during the call only.
using BandSink = std::function<Result<void>(const std::uint8_t* rows, int y, int count, std::size_t stride)>;

// Draws the plan a band at a time (a row of tiles across the picture, only the objects that reach
// each tile) and hands each band to `sink` from the top down; stops at the first error.
Result<void> draw_plan_bands(PlanScene& scene, const PictureJob& job, const SurfaceMaker& surfaces,
                             const BandSink& sink);

// Draws the plan and writes it as a JPEG (quality 95, no chroma subsampling) a band at a time, so
// memory holds one band and never the picture; the file is replaced in one step. A failure of the
// drawing is prefixed with `drawing_word`, one of the encoder or the disk with "echec".
Result<void> stream_plan_jpeg(const std::filesystem::path& file, PlanScene& scene, const PictureJob& job,
                              const SurfaceMaker& surfaces, const char* drawing_word);

// The tile of a streamed picture: the job's, made lower for a very wide picture so that a band
// stays within band_bytes_max (never under tile_size).
int streamed_tile(int width, int tile);

// Draws the plan into a new 24-bit bitmap, tile by tile. Gives the bitmap, or "merde" with the
// reason when the bitmap or a surface cannot be had or a tile cannot be copied.
Result<Bitmap> draw_plan_picture(PlanScene& scene, const PictureJob& job, const SurfaceMaker& surfaces);

// Writes the bitmap as a JPEG (quality 95, no chroma subsampling), replacing the file in one step;
// "echec" with the reason on failure, the old file untouched.
Result<void> save_jpeg(const Bitmap& bitmap, const std::filesystem::path& file);

// The path with ".jpg" added unless it ends in ".jpg" or ".jpeg" (any case).
std::filesystem::path with_jpg_extension(const std::filesystem::path& file);

// The tile for a picture drawn on one surface when it is not too large, else in large tiles.
int whole_picture_tile(int width, int height);

// The view and size of the two saves, from the caller's view (its switches are kept). "Save
// Screen" draws on one surface of the picture's size (in large tiles past 16 million pixels), the
// blueprint in tiles of 500 x 500 pixels.
PictureJob screen_picture_job(const ViewState& view, const StandSettings& stand, int resolution);
PictureJob blueprint_job(const ViewState& view, const StandSettings& stand);

// Refuses sizes a JPEG or the memory cannot hold, naming them.
Result<void> check_picture_size(int width, int height);
// Refuses sizes a JPEG cannot hold, naming them.
Result<void> check_jpeg_size(int width, int height);

// "Save Screen": width x resolution by depth x resolution pixels, the stand and its margins fitted.
Result<void> save_screen(const std::filesystem::path& file, PlanScene& scene, const ViewState& view, int resolution,
                         const SurfaceMaker& surfaces, bool smooth = true,
                         std::function<void(int, int)> progress = {});

// "Save 2D Blueprint": the plan at ten pixels per centimetre, (width + 2) x 1000 by
// (depth + 2) x 1000 pixels: the floor and its one-metre margins.
Result<void> save_blueprint_to(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               const SurfaceMaker& surfaces, bool smooth = true,
                               std::function<void(int, int)> progress = {});

} // namespace halvern
