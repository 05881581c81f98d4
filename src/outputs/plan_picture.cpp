#include "outputs/plan_picture.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <new>
#include <string>
#include <vector>

#include "base/folder_listing.h"
#include "base/numbers.h"
#include "geometry/canvas_adapters.h"
#include "outputs/jpeg_file.h"
#include "outputs/jpeg_stream.h"
#include "outputs/output_range.h"
#include "base/text_file.h"

namespace halvern {

namespace {

std::string size_text(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

Error prefixed(const char* word, const Error& error, const std::filesystem::path& file)
{
    return make_error(std::string(word) + ": " + error.message, file);
}

// Each tile is drawn with a border of this many pixels that is not kept: figures that cross the
// tile's edge are then cut by the copy, not by the surface's own edge, where the rasterizer would
// shape their ends differently from the picture drawn whole.
constexpr int tile_border = 16;

// A tile's rows into the band, 3 bytes a pixel (red, green, blue) from the band's top-left corner.
bool copy_tile(const PictureSurface& surface, std::vector<std::uint8_t>& band, std::size_t stride, const PixelRect& tile)
{
    for (int y = 0; y < tile.height; ++y) {
        const std::uint32_t* row = surface.row(y + tile_border);
        if (!row)
            return false;
        const std::uint32_t* source = row + tile_border;
        std::uint8_t* target = band.data() + stride * size_t(y) + 3 * size_t(tile.x);
        for (int x = 0; x < tile.width; ++x, target += 3) {
            const std::uint32_t p = source[x];
            target[0] = std::uint8_t((p >> 16) & 0xFF);
            target[1] = std::uint8_t((p >> 8) & 0xFF);
            target[2] = std::uint8_t(p & 0xFF);
        }
    }
    return true;
}

// The bitmap keeps its rows bottom-up and its bytes blue, green, red.
bool copy_band(FIBITMAP* bitmap, int picture_height, const std::uint8_t* rows, int y, int count, std::size_t stride)
{
    const unsigned width = FreeImage_GetWidth(bitmap);
    for (int k = 0; k < count; ++k) {
        BYTE* target = FreeImage_GetScanLine(bitmap, picture_height - 1 - (y + k));
        if (!target)
            return false;
        const std::uint8_t* source = rows + stride * size_t(k);
        for (unsigned x = 0; x < width; ++x, target += 3, source += 3) {
            target[FI_RGBA_RED] = source[0];
            target[FI_RGBA_GREEN] = source[1];
            target[FI_RGBA_BLUE] = source[2];
        }
    }
    return true;
}

} // namespace

Result<void> check_jpeg_size(int width, int height)
{
    if (width < 1 || height < 1 || width > jpeg_side_max || height > jpeg_side_max)
        return make_error("a picture of " + size_text(width, height) + " pixels cannot be saved as JPEG (1 to "
                          + std::to_string(jpeg_side_max) + " pixels a side)");
    return {};
}

Result<void> check_picture_size(int width, int height)
{
    if (auto fits = check_jpeg_size(width, height); !fits)
        return fits;
    const std::uint64_t bytes = std::uint64_t(width) * 3 * std::uint64_t(height);
    if (bytes > picture_bytes_max)
        return make_error("a picture of " + size_text(width, height) + " pixels needs "
                          + std::to_string(bytes >> 20) + " MB; the limit is " + std::to_string(picture_bytes_max >> 20)
                          + " MB");
    return {};
}

Result<void> draw_plan_bands(PlanScene& scene, const PictureJob& job, const SurfaceMaker& surfaces,
                             const BandSink& sink)
{
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return in_range.error();
    if (auto fits = check_jpeg_size(job.width, job.height); !fits)
        return fits.error();
    const int tile = std::max(16, job.tile);
    const int tile_w = std::min(tile, job.width), tile_h = std::min(tile, job.height);
    const std::size_t stride = 3 * size_t(job.width);
    std::vector<std::uint8_t> band;
    try {
        band.resize(stride * size_t(tile_h));
    } catch (const std::bad_alloc&) {
        return make_error("not enough memory for a band of " + size_text(job.width, tile_h) + " pixels");
    }
    const int surface_w = tile_w + 2 * tile_border, surface_h = tile_h + 2 * tile_border;
    std::unique_ptr<PictureSurface> surface = surfaces ? surfaces(surface_w, surface_h) : nullptr;
    if (!surface || surface->width() < surface_w || surface->height() < surface_h)
        return make_error("no drawing surface of " + size_text(surface_w, surface_h) + " pixels");

    const PlanFacts facts = find_plan_facts(scene);
    RenderOptions options;
    options.width = job.width;
    options.height = job.height;
    options.palette_column = job.palette_column;
    options.smooth = job.smooth;
    options.facts = &facts;
    options.outlines = job.outlines;
    options.labels = job.labels;
    const std::vector<PixelExtent> extents = object_extents(scene, job.view, options, facts);
    options.extents = &extents;

    const int columns = (job.width + tile_w - 1) / tile_w, rows = (job.height + tile_h - 1) / tile_h;
    const int total = columns * rows;
    int done = 0;
    for (int row = 0; row < rows; ++row) {
        const int y0 = row * tile_h, band_h = std::min(tile_h, job.height - y0);
        for (int column = 0; column < columns; ++column) {
            const int x0 = column * tile_w;
            const PixelRect tile{x0, y0, std::min(tile_w, job.width - x0), band_h};
            options.window = tile;
            OffsetCanvas shifted(surface->begin(), x0 - tile_border, y0 - tile_border);
            ViewState view = job.view;
            render_plan(shifted, scene, view, options);
            surface->finish();
            if (!copy_tile(*surface, band, stride, tile))
                return make_error("the tile at pixel (" + std::to_string(x0) + ", " + std::to_string(y0)
                                  + ") cannot be copied into the picture");
            if (job.progress)
                job.progress(++done, total);
        }
        if (auto taken = sink(band.data(), y0, band_h, stride); !taken)
            return taken.error();
    }
    return {};
}

Result<Bitmap> draw_plan_picture(PlanScene& scene, const PictureJob& job, const SurfaceMaker& surfaces)
{
    // The plan's range first: a stand beyond it makes a picture size that names no cause.
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return in_range.error();
    if (auto fits = check_picture_size(job.width, job.height); !fits)
        return fits.error();
    Bitmap bitmap(FreeImage_Allocate(job.width, job.height, 24));
    if (!bitmap)
        return make_error("not enough memory for a picture of " + size_text(job.width, job.height) + " pixels");
    auto drawn = draw_plan_bands(scene, job, surfaces,
                                 [&](const std::uint8_t* rows, int y, int count, std::size_t stride) -> Result<void> {
                                     if (!copy_band(bitmap.get(), job.height, rows, y, count, stride))
                                         return make_error("the rows from " + std::to_string(y)
                                                           + " cannot be copied into the picture");
                                     return {};
                                 });
    if (!drawn)
        return drawn.error();
    return bitmap;
}

Result<void> stream_plan_jpeg(const std::filesystem::path& file, PlanScene& scene, const PictureJob& job,
                              const SurfaceMaker& surfaces, const char* drawing_word)
{
    if (auto in_range = check_output_range(scene.plan, scene.stand); !in_range)
        return prefixed(drawing_word, in_range.error(), file);
    if (auto fits = check_jpeg_size(job.width, job.height); !fits)
        return prefixed(drawing_word, fits.error(), file);
    bool drawing_failed = false;
    auto written = write_file_safely_with(file, [&](int fd) -> Result<void> {
        JpegStream jpeg(fd, job.width, job.height, jpeg_quality);
        bool sink_failed = false;
        auto drawn = draw_plan_bands(scene, job, surfaces,
                                     [&](const std::uint8_t* rows, int, int count, std::size_t stride) {
                                         auto taken = jpeg.write_rows(rows, count, stride);
                                         sink_failed = !taken;
                                         return taken;
                                     });
        if (!drawn) {
            drawing_failed = !sink_failed;
            return drawn.error();
        }
        return jpeg.finish();
    });
    if (!written)
        return prefixed(drawing_failed ? drawing_word : "echec", written.error(), file);
    return {};
}

Result<void> save_jpeg(const Bitmap& bitmap, const std::filesystem::path& file)
{
    if (auto written = write_jpeg_file(bitmap.get(), file, jpeg_quality | JPEG_SUBSAMPLING_444); !written)
        return prefixed("echec", written.error(), file);
    return {};
}

std::filesystem::path with_jpg_extension(const std::filesystem::path& file)
{
    return with_extension(file, ".jpg", ".jpeg");
}

int streamed_tile(int width, int tile)
{
    // A band is a row of tiles across the whole picture: its height is held to what the budget
    // allows for the width, but never under the blueprint's own tile.
    const std::int64_t rows = band_bytes_max / (3 * std::int64_t(std::max(1, width)));
    return int(std::max<std::int64_t>(std::min<std::int64_t>(tile, rows), std::min(tile, tile_size)));
}

int whole_picture_tile(int width, int height)
{
    if (std::int64_t(width) * height <= whole_surface_pixels_max)
        return std::max(width, height);
    return large_tile_size;
}

PictureJob screen_picture_job(const ViewState& view, const StandSettings& stand, int resolution)
{
    PictureJob job;
    job.width = round_to_int(double(stand.stand_largeur) * resolution);
    job.height = round_to_int(double(stand.stand_profondeur) * resolution);
    job.view = view;
    job.view.zoom_auto = false;
    job.view.zoom = fitted_zoom(job.width, job.height, stand.stand_largeur, stand.stand_profondeur);
    job.view.decal_x = job.view.decal_y = 0;
    job.view.front_view = false;
    job.palette_column = false;
    job.smooth = true;
    job.tile = whole_picture_tile(job.width, job.height);
    return job;
}

PictureJob blueprint_job(const ViewState& view, const StandSettings& stand)
{
    constexpr double blueprint_zoom = 10;
    PictureJob job;
    // Of the canvas the plan is drawn on, (width + 4) by (depth + 4) metres, the picture keeps the
    // floor and its margins: the rest is never drawn.
    job.width = round_to_int((double(stand.stand_largeur) + 2) * 100 * blueprint_zoom);
    job.height = round_to_int((double(stand.stand_profondeur) + 2) * 100 * blueprint_zoom);
    job.view = view;
    job.view.zoom_auto = false;
    job.view.zoom = blueprint_zoom;
    job.view.decal_x = job.view.decal_y = 0;
    job.view.front_view = false;
    job.palette_column = false;
    return job;
}

Result<void> save_screen(const std::filesystem::path& file, PlanScene& scene, const ViewState& view, int resolution,
                         const SurfaceMaker& surfaces, bool smooth, std::function<void(int, int)> progress)
{
    const std::filesystem::path target = with_jpg_extension(file);
    if (resolution < 1)
        return make_error("echec: the resolution must be at least 1 pixel per metre", target);
    PictureJob job = screen_picture_job(view, scene.stand, resolution);
    job.smooth = smooth;
    job.progress = std::move(progress);
    job.tile = streamed_tile(job.width, job.tile);
    return stream_plan_jpeg(target, scene, job, surfaces, "echec");
}

Result<void> save_blueprint_to(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               const SurfaceMaker& surfaces, bool smooth, std::function<void(int, int)> progress)
{
    const std::filesystem::path target = with_jpg_extension(file);
    PictureJob job = blueprint_job(view, scene.stand);
    job.smooth = smooth;
    job.progress = std::move(progress);
    return stream_plan_jpeg(target, scene, job, surfaces, "merde");
}

} // namespace halvern
