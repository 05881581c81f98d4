#include "outputs/plan_picture.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/folder_listing.h"
#include "base/numbers.h"
#include "geometry/canvas_adapters.h"
#include "outputs/jpeg_file.h"

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

// A tile's rows into the bitmap, which keeps its rows bottom-up and its bytes blue, green, red.
bool copy_tile(const PictureSurface& surface, FIBITMAP* bitmap, int picture_height, const PixelRect& tile)
{
    for (int y = 0; y < tile.height; ++y) {
        const std::uint32_t* row = surface.row(y + tile_border);
        if (!row)
            return false;
        const std::uint32_t* source = row + tile_border;
        BYTE* target = FreeImage_GetScanLine(bitmap, picture_height - 1 - (tile.y + y));
        if (!target)
            return false;
        target += 3 * size_t(tile.x);
        for (int x = 0; x < tile.width; ++x, target += 3) {
            const std::uint32_t p = source[x];
            target[FI_RGBA_RED] = BYTE((p >> 16) & 0xFF);
            target[FI_RGBA_GREEN] = BYTE((p >> 8) & 0xFF);
            target[FI_RGBA_BLUE] = BYTE(p & 0xFF);
        }
    }
    return true;
}

} // namespace

Result<void> check_picture_size(int width, int height)
{
    if (width < 1 || height < 1 || width > jpeg_side_max || height > jpeg_side_max)
        return make_error("a picture of " + size_text(width, height) + " pixels cannot be saved as JPEG (1 to "
                          + std::to_string(jpeg_side_max) + " pixels a side)");
    const std::uint64_t bytes = std::uint64_t(width) * 3 * std::uint64_t(height);
    if (bytes > picture_bytes_max)
        return make_error("a picture of " + size_text(width, height) + " pixels needs "
                          + std::to_string(bytes >> 20) + " MB; the limit is " + std::to_string(picture_bytes_max >> 20)
                          + " MB");
    return {};
}

Result<Bitmap> draw_plan_picture(PlanScene& scene, const PictureJob& job, const SurfaceMaker& surfaces)
{
    if (auto fits = check_picture_size(job.width, job.height); !fits)
        return fits.error();
    Bitmap bitmap(FreeImage_Allocate(job.width, job.height, 24));
    if (!bitmap)
        return make_error("not enough memory for a picture of " + size_text(job.width, job.height) + " pixels");
    const int tile = std::max(16, job.tile);
    const int tile_w = std::min(tile, job.width), tile_h = std::min(tile, job.height);
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
    const std::vector<PixelExtent> extents = object_extents(scene, job.view, options, facts);
    options.extents = &extents;

    const int columns = (job.width + tile_w - 1) / tile_w, rows = (job.height + tile_h - 1) / tile_h;
    const int total = columns * rows;
    int done = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const int x0 = column * tile_w, y0 = row * tile_h;
            const PixelRect tile{x0, y0, std::min(tile_w, job.width - x0), std::min(tile_h, job.height - y0)};
            options.window = tile;
            OffsetCanvas shifted(surface->begin(), x0 - tile_border, y0 - tile_border);
            ViewState view = job.view;
            render_plan(shifted, scene, view, options);
            surface->finish();
            if (!copy_tile(*surface, bitmap.get(), job.height, tile))
                return make_error("the tile at pixel (" + std::to_string(x0) + ", " + std::to_string(y0)
                                  + ") cannot be copied into the picture");
            if (job.progress)
                job.progress(++done, total);
        }
    return bitmap;
}

Result<void> save_jpeg(const Bitmap& bitmap, const std::filesystem::path& file)
{
    if (auto written = write_jpeg_file(bitmap.get(), file, jpeg_quality | JPEG_SUBSAMPLING_444); !written)
        return prefixed("echec", written.error(), file);
    return {};
}

std::filesystem::path with_jpg_extension(const std::filesystem::path& file)
{
    if (has_extension(file, ".jpg") || has_extension(file, ".jpeg"))
        return file;
    std::filesystem::path out = file;
    out += ".jpg";
    return out;
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
    auto bitmap = draw_plan_picture(scene, job, surfaces);
    if (!bitmap)
        return prefixed("echec", bitmap.error(), target);
    return save_jpeg(*bitmap, target);
}

Result<void> save_blueprint_to(const std::filesystem::path& file, PlanScene& scene, const ViewState& view,
                               const SurfaceMaker& surfaces, bool smooth, std::function<void(int, int)> progress)
{
    const std::filesystem::path target = with_jpg_extension(file);
    PictureJob job = blueprint_job(view, scene.stand);
    job.smooth = smooth;
    job.progress = std::move(progress);
    auto bitmap = draw_plan_picture(scene, job, surfaces);
    if (!bitmap)
        return prefixed("merde", bitmap.error(), target);
    return save_jpeg(*bitmap, target);
}

} // namespace halvern
