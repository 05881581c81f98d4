#include "base/picture_file.h"

#include <FreeImage.h>

#include <system_error>

namespace halvern {

Result<PictureSize> read_picture_size(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return make_error("no such picture file", file);
    const std::string name = file.string();
    // The content decides; the name only helps for formats without a signature.
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(name.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(name.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return make_error("not a picture that can be read", file);
    FIBITMAP* bitmap = FreeImage_Load(format, name.c_str(), 0);
    if (!bitmap)
        return make_error("the picture cannot be loaded", file);
    PictureSize size{int(FreeImage_GetWidth(bitmap)), int(FreeImage_GetHeight(bitmap))};
    FreeImage_Unload(bitmap);
    if (size.width <= 0 || size.height <= 0)
        return make_error("the picture has no pixels", file);
    return size;
}

} // namespace halvern
