#include <gtest/gtest.h>

#include <FreeImage.h>

#include "base/icon_file.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

IconImage pattern_image(int width, int height, int hot_x = 0, int hot_y = 0)
{
    IconImage image;
    image.width = width;
    image.height = height;
    image.hot_x = hot_x;
    image.hot_y = hot_y;
    image.argb.resize(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Opaque, half-transparent and fully transparent pixels, with colours that differ per
            // pixel, so that a swapped channel or a flipped row shows.
            const std::uint32_t alpha = (x + y) % 3 == 0 ? 0 : (x + y) % 3 == 1 ? 128 : 255;
            image.argb[size_t(y) * size_t(width) + size_t(x)] =
                alpha << 24 | std::uint32_t(x * 7) << 16 | std::uint32_t(y * 5) << 8 | std::uint32_t((x ^ y) & 0xFF);
        }
    return image;
}

void put16(std::string& s, unsigned v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}
void put32(std::string& s, unsigned v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A one-image file around a hand-made bitmap, as old editors wrote them.
std::string file_around(std::string_view bitmap, int width, int height, int type = 1, int hot_x = 0, int hot_y = 0)
{
    std::string out;
    put16(out, 0);
    put16(out, unsigned(type));
    put16(out, 1);
    out += char(width);
    out += char(height);
    out += char(0);
    out += char(0);
    put16(out, unsigned(hot_x));
    put16(out, unsigned(hot_y));
    put32(out, unsigned(bitmap.size()));
    put32(out, 22);
    out += bitmap;
    return out;
}

std::string bitmap_head(int width, int height, int bits, unsigned colours_used = 0)
{
    std::string h;
    put32(h, 40);
    put32(h, unsigned(width));
    put32(h, unsigned(height * 2));
    put16(h, 1);
    put16(h, unsigned(bits));
    for (int i = 0; i < 4; ++i)
        put32(h, 0);
    put32(h, colours_used);
    put32(h, 0);
    return h;
}

} // namespace

TEST(IconFile, CursorRoundTripKeepsPixelsSizesAndHotSpots)
{
    IconFile cursor;
    cursor.kind = IconFileKind::cursor;
    cursor.images = {pattern_image(16, 16, 3, 15), pattern_image(32, 32, 31, 0), pattern_image(5, 7, 4, 6)};
    Result<IconFile> back = parse_icon_file(icon_file_bytes(cursor), "x.cur");
    ASSERT_TRUE(back.ok()) << back.error().text();
    EXPECT_EQ(back->kind, IconFileKind::cursor);
    ASSERT_EQ(back->images.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back->images[i].width, cursor.images[i].width);
        EXPECT_EQ(back->images[i].height, cursor.images[i].height);
        EXPECT_EQ(back->images[i].hot_x, cursor.images[i].hot_x);
        EXPECT_EQ(back->images[i].hot_y, cursor.images[i].hot_y);
        EXPECT_EQ(back->images[i].bit_count, 32);
        EXPECT_EQ(back->images[i].argb, cursor.images[i].argb);
    }
}

TEST(IconFile, IconRoundTripThroughAFileIncluding256Pixels)
{
    ScratchDir dir;
    IconFile icon;
    icon.images = {pattern_image(16, 16), pattern_image(256, 256)};
    ASSERT_TRUE(write_icon_file(dir / "a.ico", icon).ok());
    Result<IconFile> back = read_icon_file(dir / "a.ico");
    ASSERT_TRUE(back.ok()) << back.error().text();
    EXPECT_EQ(back->kind, IconFileKind::icon);
    ASSERT_EQ(back->images.size(), 2u);
    EXPECT_EQ(back->images[1].width, 256);
    EXPECT_EQ(back->images[1].argb, icon.images[1].argb);
    EXPECT_EQ(back->images[0].hot_x, 0); // an icon has no hot spot
}

TEST(IconFile, BestImageForASize)
{
    IconFile icon;
    icon.images = {pattern_image(32, 32), pattern_image(16, 16), pattern_image(48, 48)};
    EXPECT_EQ(best_icon_image(icon, 16)->width, 16);
    EXPECT_EQ(best_icon_image(icon, 20)->width, 32);
    EXPECT_EQ(best_icon_image(icon, 64)->width, 48);
    EXPECT_EQ(best_icon_image(IconFile{}, 16), nullptr);
}

TEST(IconFile, ReadsOldMonochromeAndPaletteBitmaps)
{
    // 1 bit a pixel, 8 x 2: a palette of black and white, top row alternating, bottom row white
    // with the mask making its last four pixels see-through.
    std::string bmp = bitmap_head(8, 2, 1);
    put32(bmp, 0x000000);
    put32(bmp, 0xFFFFFF);
    put32(bmp, 0xFF); // bottom row first: all white
    put32(bmp, 0xAA); // top row: 1 0 1 0 ...
    put32(bmp, 0x0F); // mask, bottom row: last four see-through
    put32(bmp, 0x00);
    Result<IconFile> icon = parse_icon_file(file_around(bmp, 8, 2), "mono.ico");
    ASSERT_TRUE(icon.ok()) << icon.error().text();
    const IconImage& image = icon->images[0];
    EXPECT_EQ(image.bit_count, 1);
    EXPECT_EQ(image.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(image.pixel(1, 0), 0xFF000000u);
    EXPECT_EQ(image.pixel(3, 1), 0xFFFFFFFFu);
    EXPECT_EQ(image.alpha(4, 1), 0);

    // 4 bits a pixel, 2 x 1, with a two-colour palette named by biClrUsed.
    std::string bmp4 = bitmap_head(2, 1, 4, 2);
    put32(bmp4, 0x102030);
    put32(bmp4, 0x405060);
    put32(bmp4, 0x10); // pixels 1, 0
    put32(bmp4, 0);    // mask
    icon = parse_icon_file(file_around(bmp4, 2, 1), "four.ico");
    ASSERT_TRUE(icon.ok()) << icon.error().text();
    EXPECT_EQ(icon->images[0].pixel(0, 0), 0xFF405060u);
    EXPECT_EQ(icon->images[0].pixel(1, 0), 0xFF102030u);

    // A pixel naming a colour beyond the palette is damage, not a read past it.
    std::string bad = bitmap_head(2, 1, 4, 1);
    put32(bad, 0x102030);
    put32(bad, 0x10);
    put32(bad, 0);
    EXPECT_FALSE(parse_icon_file(file_around(bad, 2, 1), "bad.ico").ok());
}

TEST(IconFile, An32BitImageWithoutAlphaUsesItsMask)
{
    std::string bmp = bitmap_head(2, 1, 32);
    put32(bmp, 0x00112233);
    put32(bmp, 0x00445566);
    put32(bmp, 0x40); // mask: second pixel see-through
    Result<IconFile> icon = parse_icon_file(file_around(bmp, 2, 1), "old.ico");
    ASSERT_TRUE(icon.ok()) << icon.error().text();
    EXPECT_EQ(icon->images[0].pixel(0, 0), 0xFF112233u);
    EXPECT_EQ(icon->images[0].alpha(1, 0), 0);
}

TEST(IconFile, ReadsPngImages)
{
    FIBITMAP* bitmap = FreeImage_Allocate(3, 2, 32);
    ASSERT_NE(bitmap, nullptr);
    BYTE* top = FreeImage_GetScanLine(bitmap, 1);
    top[FI_RGBA_RED] = 200;
    top[FI_RGBA_GREEN] = 100;
    top[FI_RGBA_BLUE] = 50;
    top[FI_RGBA_ALPHA] = 77;
    FIMEMORY* memory = FreeImage_OpenMemory();
    ASSERT_TRUE(FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, 0));
    BYTE* data = nullptr;
    DWORD size = 0;
    FreeImage_AcquireMemory(memory, &data, &size);
    const std::string png(reinterpret_cast<char*>(data), size);
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);

    Result<IconFile> icon = parse_icon_file(file_around(png, 3, 2, 2, 2, 1), "png.cur");
    ASSERT_TRUE(icon.ok()) << icon.error().text();
    const IconImage& image = icon->images[0];
    EXPECT_TRUE(image.png);
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.hot_x, 2);
    EXPECT_EQ(image.hot_y, 1);
    EXPECT_EQ(image.pixel(0, 0), 0x4DC86432u);
}

TEST(IconFile, DamagedFilesAreRefusedWithTheirName)
{
    IconFile cursor;
    cursor.kind = IconFileKind::cursor;
    cursor.images = {pattern_image(16, 16, 1, 1), pattern_image(32, 32, 2, 2)};
    const std::string good = icon_file_bytes(cursor);

    // Every cut of a good file is refused: the list names each image's full length.
    for (size_t length = 0; length < good.size(); length += 7) {
        Result<IconFile> cut = parse_icon_file(std::string_view(good).substr(0, length), "cut.cur");
        EXPECT_FALSE(cut.ok()) << length;
        if (!cut.ok()) {
            EXPECT_NE(cut.error().text().find("cut.cur"), std::string::npos);
        }
    }

    std::string wrong_type = good;
    wrong_type[2] = 3;
    EXPECT_FALSE(parse_icon_file(wrong_type, "t.cur").ok());

    std::string no_images = good.substr(0, 6);
    no_images[4] = 0;
    EXPECT_FALSE(parse_icon_file(no_images, "e.cur").ok());

    std::string far_offset = good;
    far_offset[6 + 15] = char(0x7F); // the first image's offset, far past the end
    EXPECT_FALSE(parse_icon_file(far_offset, "o.cur").ok());

    std::string hot_outside = good;
    hot_outside[6 + 4] = 16; // hot spot x of the 16-pixel image
    Result<IconFile> hot = parse_icon_file(hot_outside, "h.cur");
    ASSERT_FALSE(hot.ok());
    EXPECT_NE(hot.error().message.find("hot spot (16, 1)"), std::string::npos);

    std::string listed_wrong = good;
    listed_wrong[6] = 20; // listed 20 pixels wide, holds 16
    EXPECT_FALSE(parse_icon_file(listed_wrong, "l.cur").ok());

    std::string huge = good;
    const size_t second = size_t(std::uint8_t(good[6 + 16 + 12])) | size_t(std::uint8_t(good[6 + 16 + 13])) << 8;
    huge[second + 4 + 3] = char(0x7F); // the 32-pixel image's bitmap width, huge
    EXPECT_FALSE(parse_icon_file(huge, "w.cur").ok());

    EXPECT_FALSE(read_icon_file("/nonexistent/std.cur").ok());
}
