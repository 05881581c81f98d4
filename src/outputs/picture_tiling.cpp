#include "outputs/picture_tiling.h"

#include <FreeImage.h>

#include <string>

#include "base/picture_file.h"
#include "outputs/jpeg_file.h"

namespace halvern {

const int strip_jpeg_flags = 100 | JPEG_SUBSAMPLING_444;

Result<Bitmap> load_picture_24(const std::filesystem::path& file, std::uint64_t max_bytes)
{
    std::string damage;
    Result<Bitmap> loaded = load_picture(file, JPEG_ACCURATE, max_bytes, &damage);
    if (!loaded)
        return loaded.error();
    // A file cut short still loads, its missing rows grey: printed, that is a spoilt banner. Other
    // notes (extra bytes between markers, a profile's details) leave the pixels whole.
    const bool cut_short = damage.find("remature end") != std::string::npos
                           || damage.find("bad Huffman code") != std::string::npos;
    if (cut_short)
        return make_error("the picture is damaged (" + damage + "), it is not printed", file);
    if (FreeImage_GetImageType(loaded->get()) == FIT_BITMAP && FreeImage_GetBPP(loaded->get()) == 24)
        return loaded;
    Bitmap converted(FreeImage_ConvertTo24Bits(loaded->get()));
    if (!converted)
        return make_error("the picture cannot be made 24 bits per pixel", file);
    return converted;
}

CutReport cut_strips(FIBITMAP* picture, const std::vector<Strip>& strips, const CutProgress& progress)
{
    CutReport report;
    const int width = picture ? int(FreeImage_GetWidth(picture)) : 0;
    const int height = picture ? int(FreeImage_GetHeight(picture)) : 0;
    const int total = int(strips.size());
    for (int i = 0; i < total; ++i) {
        const Strip& strip = strips[size_t(i)];
        const int left = strip.columns.x, right = strip.columns.x + strip.columns.width;
        const std::string columns = "columns " + std::to_string(left) + " to " + std::to_string(right - 1);
        Bitmap cut;
        if (left >= 0 && strip.columns.width > 0 && right <= width)
            cut.reset(FreeImage_Copy(picture, left, 0, right, height));
        if (!cut) {
            report.failures.push_back(make_error("erreur chargement: strip " + std::to_string(i + 1) + " (" + columns
                                                     + " of a picture " + std::to_string(width)
                                                     + " pixels wide) cannot be copied out of the picture",
                                                 strip.file));
        } else if (auto written = write_jpeg_file(cut.get(), strip.file, strip_jpeg_flags); !written) {
            report.failures.push_back(make_error("erreur FreeImage : " + written.error().message, strip.file));
        } else {
            report.written.push_back(strip.file);
        }
        cut.reset(); // the next strip is made only once this one is gone
        if (progress)
            progress(i + 1, total);
    }
    return report;
}

Result<CutReport> tile_picture(const std::filesystem::path& picture, const std::vector<StripWidth>& widths,
                               int selected, const CutProgress& progress)
{
    auto bitmap = load_picture_24(picture);
    if (!bitmap)
        return make_error("erreur chargement: " + bitmap.error().message, picture);
    auto columns = strip_columns(widths, int(FreeImage_GetWidth(bitmap->get())));
    if (!columns)
        return make_error(columns.error().message, picture);
    std::vector<Strip> strips;
    for (size_t i = 0; i < widths.size(); ++i)
        strips.push_back({(*columns)[i], strip_file(picture, selected, widths[i].text, int(i) + 1)});
    return cut_strips(bitmap->get(), strips, progress);
}

} // namespace halvern
