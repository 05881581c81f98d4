#include "base/picture_file.h"

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
