#include "base/icon_file.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "base/text_file.h"

namespace halvern {

namespace fs = std::filesystem;

namespace {

constexpr size_t directory_head = 6;
constexpr size_t directory_entry = 16;
constexpr size_t bitmap_header = 40;
constexpr int largest_side = 256;

std::uint32_t read_u16(std::string_view bytes, size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
}

std::uint32_t read_u32(std::string_view bytes, size_t at)
{
    return read_u16(bytes, at) | read_u16(bytes, at + 2) << 16;
}

std::int32_t read_i32(std::string_view bytes, size_t at) { return std::int32_t(read_u32(bytes, at)); }

void put_u16(std::string& out, std::uint32_t value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void put_u32(std::string& out, std::uint32_t value)
{
    put_u16(out, value & 0xFFFF);
    put_u16(out, value >> 16);
}

size_t row_stride(int width, int bits) { return ((size_t(width) * size_t(bits) + 31) / 32) * 4; }

std::string image_label(size_t index) { return "image " + std::to_string(index + 1); }

Result<IconImage> decode_png(std::string_view data, const fs::path& file, size_t index)
{
    auto* memory = FreeImage_OpenMemory(reinterpret_cast<BYTE*>(const_cast<char*>(data.data())), DWORD(data.size()));
    FIBITMAP* loaded = memory ? FreeImage_LoadFromMemory(FIF_PNG, memory, 0) : nullptr;
    FIBITMAP* rgba = loaded ? FreeImage_ConvertTo32Bits(loaded) : nullptr;
    if (loaded)
        FreeImage_Unload(loaded);
    if (memory)
        FreeImage_CloseMemory(memory);
    if (!rgba)
        return make_error(image_label(index) + ": the PNG picture cannot be read", file);
    IconImage image;
    image.width = int(FreeImage_GetWidth(rgba));
    image.height = int(FreeImage_GetHeight(rgba));
    image.bit_count = 32;
    image.png = true;
    if (image.width < 1 || image.height < 1 || image.width > largest_side || image.height > largest_side) {
        FreeImage_Unload(rgba);
        return make_error(image_label(index) + ": a PNG picture of " + std::to_string(image.width) + " x " +
                              std::to_string(image.height) + " pixels is not an icon size (1 to 256)",
                          file);
    }
    image.argb.resize(size_t(image.width) * size_t(image.height));
    for (int y = 0; y < image.height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(rgba, image.height - 1 - y); // FreeImage keeps rows bottom-up
        for (int x = 0; x < image.width; ++x) {
            const BYTE* p = row + 4 * x;
            image.argb[size_t(y) * size_t(image.width) + size_t(x)] =
                std::uint32_t(p[FI_RGBA_ALPHA]) << 24 | std::uint32_t(p[FI_RGBA_RED]) << 16 |
                std::uint32_t(p[FI_RGBA_GREEN]) << 8 | std::uint32_t(p[FI_RGBA_BLUE]);
        }
    }
    FreeImage_Unload(rgba);
    return image;
}

Result<IconImage> decode_bitmap(std::string_view data, const fs::path& file, size_t index)
{
    const std::string label = image_label(index);
    if (data.size() < bitmap_header)
        return make_error(label + " is too short for a bitmap header", file);
    const std::uint32_t header_size = read_u32(data, 0);
    const std::int32_t width = read_i32(data, 4);
    const std::int32_t double_height = read_i32(data, 8);
    const std::uint32_t planes = read_u16(data, 12);
    const int bits = int(read_u16(data, 14));
    const std::uint32_t compression = read_u32(data, 16);
    const std::uint32_t colours_used = read_u32(data, 32);
    if (header_size < bitmap_header || header_size > data.size())
        return make_error(label + ": bitmap header of " + std::to_string(header_size) + " bytes", file);
    if (width < 1 || width > largest_side || double_height < 2 || double_height > 2 * largest_side ||
        double_height % 2 != 0)
        return make_error(label + ": a bitmap of " + std::to_string(width) + " x " + std::to_string(double_height) +
                              " is not an icon image (1 to 256 pixels a side, height counted twice)",
                          file);
    if (planes != 1 || compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return make_error(label + ": unsupported bitmap form (" + std::to_string(bits) + " bits a pixel, compression " +
                              std::to_string(compression) + ")",
                          file);
    IconImage image;
    image.width = width;
    image.height = double_height / 2;
    image.bit_count = bits;

    size_t palette_size = 0;
    if (bits <= 8) {
        palette_size = colours_used == 0 ? (size_t(1) << bits) : size_t(colours_used);
        if (palette_size > (size_t(1) << bits))
            return make_error(label + ": a palette of " + std::to_string(colours_used) + " colours for " +
                                  std::to_string(bits) + " bits a pixel",
                              file);
    }
    const size_t palette_at = header_size;
    const size_t colour_at = palette_at + 4 * palette_size;
    const size_t colour_stride = row_stride(image.width, bits);
    const size_t mask_at = colour_at + colour_stride * size_t(image.height);
    const size_t mask_stride = row_stride(image.width, 1);
    const bool has_mask = mask_at + mask_stride * size_t(image.height) <= data.size();
    // A 32-bit image carries its own transparency, and some writers leave the mask out.
    if (mask_at > data.size() || (!has_mask && bits != 32))
        return make_error(label + " ends before its pixels do", file);

    auto mask_bit = [&](int x, int y) {
        if (!has_mask)
            return false;
        const size_t row = mask_at + mask_stride * size_t(image.height - 1 - y);
        return (std::uint8_t(data[row + size_t(x) / 8]) >> (7 - x % 8) & 1) != 0;
    };

    image.argb.resize(size_t(image.width) * size_t(image.height));
    bool any_alpha = false;
    for (int y = 0; y < image.height; ++y) {
        const size_t row = colour_at + colour_stride * size_t(image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            std::uint32_t b = 0, g = 0, r = 0, a = 255;
            if (bits >= 24) {
                const size_t at = row + size_t(x) * size_t(bits / 8);
                b = std::uint8_t(data[at]);
                g = std::uint8_t(data[at + 1]);
                r = std::uint8_t(data[at + 2]);
                if (bits == 32) {
                    a = std::uint8_t(data[at + 3]);
                    any_alpha = any_alpha || a != 0;
                }
            } else {
                const size_t bit = size_t(x) * size_t(bits);
                const std::uint32_t byte = std::uint8_t(data[row + bit / 8]);
                const size_t entry = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                if (entry >= palette_size)
                    return make_error(label + ": a pixel names colour " + std::to_string(entry) + " of a palette of " +
                                          std::to_string(palette_size),
                                      file);
                const size_t at = palette_at + 4 * entry;
                b = std::uint8_t(data[at]);
                g = std::uint8_t(data[at + 1]);
                r = std::uint8_t(data[at + 2]);
            }
            // Pixels the mask marks are see-through; the rare "invert the screen" pixels of old
            // monochrome cursors are shown see-through too.
            if (bits != 32 && mask_bit(x, y))
                a = 0;
            image.argb[size_t(y) * size_t(image.width) + size_t(x)] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    // An old 32-bit image without alpha (all zero) takes its transparency from the mask.
    if (bits == 32 && !any_alpha) {
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                std::uint32_t& p = image.argb[size_t(y) * size_t(image.width) + size_t(x)];
                p = (p & 0xFFFFFF) | (mask_bit(x, y) ? 0u : 0xFF000000u);
            }
    }
    return image;
}

} // namespace

Result<IconFile> parse_icon_file(std::string_view bytes, const fs::path& file)
{
    if (bytes.size() < directory_head)
        return make_error("too short to be an icon or cursor file", file);
    const std::uint32_t reserved = read_u16(bytes, 0);
    const std::uint32_t type = read_u16(bytes, 2);
    const std::uint32_t count = read_u16(bytes, 4);
    if (reserved != 0 || (type != 1 && type != 2))
        return make_error("not an icon or cursor file", file);
    if (count == 0)
        return make_error("the file holds no image", file);
    if (directory_head + directory_entry * size_t(count) > bytes.size())
        return make_error("the list of " + std::to_string(count) + " images runs past the end of the file", file);

    IconFile icon;
    icon.kind = type == 2 ? IconFileKind::cursor : IconFileKind::icon;
    for (size_t index = 0; index < count; ++index) {
        const size_t entry = directory_head + directory_entry * index;
        const int listed_width = std::uint8_t(bytes[entry]) == 0 ? largest_side : std::uint8_t(bytes[entry]);
        const int listed_height = std::uint8_t(bytes[entry + 1]) == 0 ? largest_side : std::uint8_t(bytes[entry + 1]);
        const std::uint32_t size = read_u32(bytes, entry + 8);
        const std::uint32_t offset = read_u32(bytes, entry + 12);
        if (std::uint64_t(offset) + size > bytes.size())
            return make_error(image_label(index) + " lies outside the file", file);
        const std::string_view data = bytes.substr(offset, size);

        static constexpr std::string_view png_signature("\x89PNG\r\n\x1A\n", 8);
        Result<IconImage> image = data.substr(0, png_signature.size()) == png_signature
                                      ? decode_png(data, file, index)
                                      : decode_bitmap(data, file, index);
        if (!image)
            return image.error();
        if (image->width != listed_width || image->height != listed_height)
            return make_error(image_label(index) + " is listed as " + std::to_string(listed_width) + " x " +
                                  std::to_string(listed_height) + " but holds " + std::to_string(image->width) + " x " +
                                  std::to_string(image->height) + " pixels",
                              file);
        if (icon.kind == IconFileKind::cursor) {
            image->hot_x = int(read_u16(bytes, entry + 4));
            image->hot_y = int(read_u16(bytes, entry + 6));
            if (image->hot_x >= image->width || image->hot_y >= image->height)
                return make_error(image_label(index) + ": the hot spot (" + std::to_string(image->hot_x) + ", " +
                                      std::to_string(image->hot_y) + ") lies outside the picture",
                                  file);
        }
        icon.images.push_back(std::move(*image));
    }
    return icon;
}

Result<IconFile> read_icon_file(const fs::path& file)
{
    Result<std::string> bytes = read_file_bytes(file, picture_file_bytes_max);
    if (!bytes)
        return bytes.error();
    return parse_icon_file(*bytes, file);
}

const IconImage* best_icon_image(const IconFile& icon, int size)
{
    const IconImage* best = nullptr;
    for (const IconImage& image : icon.images) {
        const int side = std::max(image.width, image.height);
        if (!best) {
            best = &image;
            continue;
        }
        const int best_side = std::max(best->width, best->height);
        const bool fits = side >= size;
        const bool best_fits = best_side >= size;
        if ((fits && (!best_fits || side < best_side)) || (!fits && !best_fits && side > best_side))
            best = &image;
    }
    return best;
}

std::string icon_file_bytes(const IconFile& icon)
{
    std::string out;
    const size_t count = icon.images.size();
    put_u16(out, 0);
    put_u16(out, std::uint32_t(icon.kind));
    put_u16(out, std::uint32_t(count));

    std::vector<std::string> blobs;
    for (const IconImage& image : icon.images) {
        if (image.width < 1 || image.height < 1 || image.width > largest_side || image.height > largest_side ||
            image.argb.size() != size_t(image.width) * size_t(image.height))
            throw std::invalid_argument("an icon image needs 1 to 256 pixels a side and all its pixels");
        std::string blob;
        const size_t colour_stride = row_stride(image.width, 32);
        const size_t mask_stride = row_stride(image.width, 1);
        put_u32(blob, bitmap_header);
        put_u32(blob, std::uint32_t(image.width));
        put_u32(blob, std::uint32_t(image.height * 2));
        put_u16(blob, 1);  // planes
        put_u16(blob, 32); // bits a pixel
        put_u32(blob, 0);  // no compression
        put_u32(blob, std::uint32_t((colour_stride + mask_stride) * size_t(image.height)));
        put_u32(blob, 0);
        put_u32(blob, 0);
        put_u32(blob, 0);
        put_u32(blob, 0);
        for (int y = image.height - 1; y >= 0; --y)
            for (int x = 0; x < image.width; ++x)
                put_u32(blob, image.pixel(x, y)); // little-endian 0xAARRGGBB is B, G, R, A
        for (int y = image.height - 1; y >= 0; --y) {
            std::string row(mask_stride, '\0');
            for (int x = 0; x < image.width; ++x)
                if (image.alpha(x, y) == 0)
                    row[size_t(x) / 8] = char(std::uint8_t(row[size_t(x) / 8]) | (0x80u >> (x % 8)));
            blob += row;
        }
        blobs.push_back(std::move(blob));
    }

    size_t offset = directory_head + directory_entry * count;
    for (size_t i = 0; i < count; ++i) {
        const IconImage& image = icon.images[i];
        out += char(image.width >= largest_side ? 0 : image.width);
        out += char(image.height >= largest_side ? 0 : image.height);
        out += char(0); // no palette
        out += char(0);
        if (icon.kind == IconFileKind::cursor) {
            put_u16(out, std::uint32_t(image.hot_x));
            put_u16(out, std::uint32_t(image.hot_y));
        } else {
            put_u16(out, 1);
            put_u16(out, 32);
        }
        put_u32(out, std::uint32_t(blobs[i].size()));
        put_u32(out, std::uint32_t(offset));
        offset += blobs[i].size();
    }
    for (const std::string& blob : blobs)
        out += blob;
    return out;
}

Result<void> write_icon_file(const fs::path& file, const IconFile& icon)
{
    return write_file_safely(file, icon_file_bytes(icon));
}

} // namespace halvern
