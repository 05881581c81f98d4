// The texture folders and the picture check every chosen face picture goes through.

#include <gtest/gtest.h>

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

    // A damaged JPEG whose header declares 63,999 x 65,279 pixels (found by fuzzing): refused by
    // its size before anything is set aside for it.
    const auto huge = source_dir() / "tests/fuzz/corpus/picture/huge-declared-size.jpg";
    Result<Bitmap> refused = load_picture(huge);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().file, huge);
    EXPECT_NE(refused.error().text().find("more than this program can hold"), std::string::npos) << refused.error().text();
}
