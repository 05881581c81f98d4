#include "base/picture_file.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include <FreeImage.h>

#include <system_error>

namespace halvern {

Result<Bitmap> load_picture(const std::filesystem::path& file, int jpeg_flags)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return make_error("there is no picture file of this name", file);
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(file.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(file.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return make_error("not a picture of a known format", file);
    // A damaged or hostile header can declare a picture of billions of pixels, which the reader
    // would set out to hold before finding the data short: the size is read first, and a picture
    // over the limit is refused by name.
    const Bitmap header(FreeImage_Load(format, file.c_str(), FIF_LOAD_NOPIXELS));
    if (header) {
        const std::uint64_t width = FreeImage_GetWidth(header.get()), height = FreeImage_GetHeight(header.get());
        const std::uint64_t bytes = width * height * std::max(3u, FreeImage_GetBPP(header.get()) / 8);
        if (bytes > max_picture_bytes)
            return make_error("the picture is " + std::to_string(width) + " x " + std::to_string(height) +
                                  " pixels, more than this program can hold (" +
                                  std::to_string(max_picture_bytes >> 20) + " MB of pixels at most)",
                              file);
    }
    Bitmap loaded(FreeImage_Load(format, file.c_str(), format == FIF_JPEG ? jpeg_flags : 0));
    if (!loaded)
        return make_error("the picture cannot be read", file);
    return loaded;
}

Result<PictureSize> read_picture_size(const std::filesystem::path& file)
{
    Result<Bitmap> bitmap = load_picture(file);
    if (!bitmap)
        return bitmap.error();
    PictureSize size{int(FreeImage_GetWidth(bitmap->get())), int(FreeImage_GetHeight(bitmap->get()))};
    if (size.width <= 0 || size.height <= 0)
        return make_error("the picture has no pixels", file);
    return size;
}

} // namespace halvern
