#pragma once
// Windows icon (".ico") and cursor (".cur") files: a directory of images, each a bitmap with its
// transparency mask or a PNG. We read them ourselves because the window toolkit reads a cursor as
// an icon and forgets its hot spot, the pixel that is "where the pointer points"; with it lost,
// every click of the zoom or move cursors would land off by the width of the picture's margin.
//
// The writer produces what the toolbar and the plan need: 32-bit bitmaps with an alpha channel and
// a matching transparency mask, the form every reader understands.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"

namespace halvern {

enum class IconFileKind { icon = 1, cursor = 2 };

struct IconImage {
    int width = 0;
    int height = 0;
    int hot_x = 0; // cursors only: the pixel, from the top left, that the pointer position names
    int hot_y = 0;
    int bit_count = 0; // as stored; 32 for a PNG image
    bool png = false;
    // width * height pixels, top row first, each 0xAARRGGBB (not premultiplied).
    std::vector<std::uint32_t> argb;

    std::uint32_t pixel(int x, int y) const { return argb[size_t(y) * size_t(width) + size_t(x)]; }
    int alpha(int x, int y) const { return int(pixel(x, y) >> 24); }
};

struct IconFile {
    IconFileKind kind = IconFileKind::icon;
    std::vector<IconImage> images; // in the file's order
};

// Reads an icon or cursor from its bytes; `file` names the source in messages. Damaged files (a
// short directory, images outside the file, unknown bitmap forms, a hot spot outside its image)
// give an error, never a crash.
Result<IconFile> parse_icon_file(std::string_view bytes, const std::filesystem::path& file);
Result<IconFile> read_icon_file(const std::filesystem::path& file);

// The image to show at `size` pixels: the exact size, else the smallest larger one, else the
// largest. Null for a file without images.
const IconImage* best_icon_image(const IconFile& icon, int size);

// The bytes of an icon or cursor file: every image as a 32-bit bitmap with its mask (a pixel of
// alpha 0 is transparent in the mask). Images must be 1..256 pixels a side with `argb` filled.
std::string icon_file_bytes(const IconFile& icon);
Result<void> write_icon_file(const std::filesystem::path& file, const IconFile& icon);

} // namespace halvern
