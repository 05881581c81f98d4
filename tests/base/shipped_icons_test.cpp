// The toolbar icons and the plan's cursors we ship, read from the staged installation folder.

#include <gtest/gtest.h>

#include "base/icon_file.h"
#include "support/test_support.h"

using namespace halvern;

namespace {

const char* const toolbar_icons[] = {
    "vek16.ico",  "acc16.ico", "alt16.ico", "stand16.ico", "loupe16.ico", "loupeall16.ico", "zoom-16.ico",
    "zoom+16.ico", "projet16.ico", "prop16.ico", "fg16.ico", "fd16.ico", "mesure16.ico", "color16.ico",
};

struct CursorCase {
    const char* name;
    int hot_16_x, hot_16_y; // where the pointer points in the 16-pixel picture
    int hot_32_x, hot_32_y;
};

// The arrows point with their tip; the magnifier with the centre of its glass.
const CursorCase cursors[] = {
    {"std.cur", 0, 0, 0, 0},  {"zoom.cur", 5, 5, 12, 12}, {"move.cur", 0, 0, 0, 0},
    {"copy.cur", 0, 0, 0, 0}, {"rotate.cur", 0, 0, 0, 0},
};

int opaque_pixels(const IconImage& image)
{
    int count = 0;
    for (std::uint32_t p : image.argb)
        count += (p >> 24) >= 128;
    return count;
}

void expect_16_and_32(const IconFile& file)
{
    ASSERT_EQ(file.images.size(), 2u);
    EXPECT_EQ(file.images[0].width, 16);
    EXPECT_EQ(file.images[0].height, 16);
    EXPECT_EQ(file.images[1].width, 32);
    EXPECT_EQ(file.images[1].height, 32);
    for (const IconImage& image : file.images) {
        // A drawing, not an empty or a filled square.
        const int area = image.width * image.height;
        EXPECT_GT(opaque_pixels(image), area / 10);
        EXPECT_LT(opaque_pixels(image), area) << "no transparent pixel at all";
    }
}

} // namespace

TEST(ShippedIcons, EveryToolbarIconHoldsA16And32PixelPicture)
{
    for (const char* name : toolbar_icons) {
        SCOPED_TRACE(name);
        Result<IconFile> icon = read_icon_file(halvern::testing::stage_dir() / "lib" / "ico" / name);
        ASSERT_TRUE(icon.ok()) << icon.error().text();
        EXPECT_EQ(icon->kind, IconFileKind::icon);
        expect_16_and_32(*icon);
    }
}

TEST(ShippedCursors, EveryCursorIsARealCursorPointingWithItsTip)
{
    for (const CursorCase& c : cursors) {
        SCOPED_TRACE(c.name);
        Result<IconFile> cursor = read_icon_file(halvern::testing::stage_dir() / "lib" / "cur" / c.name);
        ASSERT_TRUE(cursor.ok()) << cursor.error().text();
        EXPECT_EQ(cursor->kind, IconFileKind::cursor);
        expect_16_and_32(*cursor);
        if (cursor->images.size() != 2)
            continue;
        const IconImage& small = cursor->images[0];
        const IconImage& large = cursor->images[1];
        EXPECT_EQ(small.hot_x, c.hot_16_x);
        EXPECT_EQ(small.hot_y, c.hot_16_y);
        EXPECT_EQ(large.hot_x, c.hot_32_x);
        EXPECT_EQ(large.hot_y, c.hot_32_y);
        // The hot spot is a pixel the user can see: the tip, or the cross in the glass.
        EXPECT_GE(small.alpha(small.hot_x, small.hot_y), 128);
        EXPECT_GE(large.alpha(large.hot_x, large.hot_y), 128);
    }
}
