// Icon and cursor files of "lib/ico" and "lib/cur", with the image the toolbar would pick.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/icon_file.h"

using namespace halvern;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto icon = parse_icon_file(bytes, "fuzz.ico");
    if (icon && !icon->images.empty()) {
        const IconImage* image = best_icon_image(*icon, 16);
        if (image && image->width > 0 && image->height > 0)
            (void)image->pixel(image->width - 1, image->height - 1);
    }
    return 0;
}
