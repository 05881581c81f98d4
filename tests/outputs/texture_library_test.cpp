// The texture folders and the picture check every chosen face picture goes through.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include "base/picture_file.h"
#include "outputs/texture_library.h"
#include "support/test_support.h"

using namespace halvern;
using namespace halvern::testing;

TEST(TextureLibrary, FamiliesAreFoldersAndPicturesTheirJpegs)
{
    ScratchDir app;
    app.write("lib/tex/wood/oak.jpg", "x");
    app.write("lib/tex/wood/Beech.JPG", "x");
    app.write("lib/tex/wood/notes.txt", "x");
    app.write("lib/tex/stone/slate.jpg", "x");
    app.write("lib/tex/loose.jpg", "x");
    EXPECT_EQ(texture_families(app.path()), (std::vector<std::string>{"stone", "wood"}));
    EXPECT_EQ(texture_files(app.path(), "wood"), (std::vector<std::string>{"Beech.JPG", "oak.jpg"}));
    EXPECT_TRUE(texture_files(app.path(), "..").empty());
    EXPECT_TRUE(texture_files(app.path(), "missing").empty());
    ScratchDir empty;
    EXPECT_TRUE(texture_families(empty.path()).empty());
}

TEST(PictureFile, ReadsTheSizeOrNamesTheFileItCannotRead)
{
    const auto shipped = stage_dir() / "lib" / "tex" / "wood" / "oak.jpg";
    Result<PictureSize> size = read_picture_size(shipped);
    ASSERT_TRUE(size.ok()) << size.error().text();
    EXPECT_GT(size->width, 0);
    EXPECT_GT(size->height, 0);

    ScratchDir dir;
    const auto fake = dir.write("fake.jpg", "not a picture at all");
    Result<PictureSize> bad = read_picture_size(fake);
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().file, fake);
    EXPECT_FALSE(read_picture_size(dir / "missing.jpg").ok());
    EXPECT_FALSE(read_picture_size(dir.path()).ok());

    // Damaged JPEGs whose headers declare 65,279 x 63,999 pixels, one in a single scan and one
    // progressive (found by fuzzing): refused by their size before anything is set aside for them.
    for (const char* name : {"huge-declared-size.jpg", "huge-progressive-declared-size.jpg"}) {
        const auto huge = source_dir() / "tests/fuzz/corpus/picture" / name;
        Result<Bitmap> refused = load_picture(huge);
        ASSERT_FALSE(refused.ok()) << name;
        EXPECT_EQ(refused.error().file, huge);
        EXPECT_NE(refused.error().text().find("65279 x 63999 pixels, more than this program can hold"), std::string::npos)
            << refused.error().text();
    }
}

TEST(PictureFile, AProgressiveJpegCountsItsCoefficientsAgainstTheLimit)
{
    ScratchDir dir;
    const Bitmap picture(FreeImage_Allocate(64, 48, 24));
    ASSERT_TRUE(picture);
    const auto plain = dir / "plain.jpg", progressive = dir / "progressive.jpg";
    ASSERT_TRUE(FreeImage_Save(FIF_JPEG, picture.get(), plain.c_str(), 90 | JPEG_SUBSAMPLING_444));
    ASSERT_TRUE(FreeImage_Save(FIF_JPEG, picture.get(), progressive.c_str(), 90 | JPEG_PROGRESSIVE | JPEG_SUBSAMPLING_444));

    // The pixels alone fit; the progressive picture's coefficients (one block of 64 per 8 x 8
    // pixels of each of its three components, at two bytes each) do not.
    const std::uint64_t pixels = 64 * 48 * 3, coefficients = 3 * 8 * 6 * 64 * 2;
    EXPECT_TRUE(load_picture(plain, 0, pixels).ok());
    Result<Bitmap> refused = load_picture(progressive, 0, pixels + coefficients - 1);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().text().find("64 x 48 pixels, more than this program can hold"), std::string::npos);
    Result<Bitmap> read = load_picture(progressive, 0, pixels + coefficients);
    ASSERT_TRUE(read.ok()) << read.error().text();
    EXPECT_EQ(FreeImage_GetWidth(read->get()), 64u);
    EXPECT_EQ(FreeImage_GetHeight(read->get()), 48u);
}
