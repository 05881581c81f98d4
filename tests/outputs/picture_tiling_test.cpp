// Print tiles: the widths laid out over the picture, the names, what is refused, and the strips
// themselves read back and compared with the picture's columns.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>

#include "outputs/picture_tiling.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

namespace {

std::vector<StripWidth> widths(const std::vector<std::string>& texts)
{
    auto read = read_strip_widths(texts);
    EXPECT_TRUE(read.ok()) << read.error().text();
    return read ? *read : std::vector<StripWidth>{};
}

std::vector<std::pair<int, int>> layout(const std::vector<std::string>& texts, int picture_width)
{
    auto columns = strip_columns(widths(texts), picture_width);
    EXPECT_TRUE(columns.ok()) << columns.error().text();
    std::vector<std::pair<int, int>> out;
    if (columns)
        for (const ColumnRange& c : *columns)
            out.emplace_back(c.x, c.width);
    return out;
}

using Pairs = std::vector<std::pair<int, int>>;

TEST(StripLayout, WidthsAreScaledToThePictureAndTheLastStripEndsAtItsRightEdge)
{
    EXPECT_EQ(layout({"836", "836", "836"}, 2508), (Pairs{{0, 836}, {836, 836}, {1672, 836}}));
    EXPECT_EQ(layout({"1", "2", "1"}, 400), (Pairs{{0, 100}, {100, 200}, {300, 100}}));
    EXPECT_EQ(layout({"1", "1", "1"}, 1000), (Pairs{{0, 333}, {333, 333}, {666, 334}}));
    EXPECT_EQ(layout({"1", "1"}, 5), (Pairs{{0, 3}, {3, 2}})); // 2.5 rounds away from zero
    EXPECT_EQ(layout({"7"}, 65000), (Pairs{{0, 65000}}));
    // Sixteen widths each rounded up (62.5 to 63): the last strip takes what is left, to the edge.
    const auto many = layout(std::vector<std::string>(16, "1"), 1000);
    ASSERT_EQ(many.size(), 16u);
    EXPECT_EQ(many[14], std::make_pair(14 * 63, 63));
    EXPECT_EQ(many[15], std::make_pair(15 * 63, 1000 - 15 * 63));
}

TEST(StripLayout, CountsAndWidthsOutsideTheLimitsAreRefusedNamingThem)
{
    EXPECT_EQ(read_strip_count("16"), 16);
    EXPECT_EQ(read_strip_count(" 1 "), 1);
    for (const char* bad : {"0", "17", "-1", "3.5", "abc", ""})
        EXPECT_FALSE(read_strip_count(bad)) << bad;

    auto refused = read_strip_widths(std::vector<std::string>(17, "836"));
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("16"), std::string::npos) << refused.error().message;
    EXPECT_FALSE(read_strip_widths({}).ok());
    for (const char* bad : {"0", "abc", "-5", "836mm", "1/2", "", "inf", "nan", "1e999"}) {
        auto read = read_strip_widths({"836", bad});
        ASSERT_FALSE(read.ok()) << bad;
        EXPECT_NE(read.error().message.find("strip 2"), std::string::npos) << read.error().message;
    }
    // A comma is a decimal point; the name keeps the text as typed, blanks aside.
    auto comma = read_strip_widths({" 83,6 "});
    ASSERT_TRUE(comma.ok());
    EXPECT_DOUBLE_EQ(comma->front().value, 83.6);
    EXPECT_EQ(comma->front().text, "83,6");
    // A strip narrower than a pixel is refused before anything is cut.
    EXPECT_FALSE(strip_columns(widths({"1", "1000"}), 100).ok());
    EXPECT_FALSE(strip_columns(widths({"1", "1", "1"}), 2).ok());
    EXPECT_FALSE(strip_columns(widths(std::vector<std::string>(16, "1")), 24).ok()); // 15 x 2 pixels pass the edge
}

TEST(StripLayout, StripsAreNamedAfterThePictureTheSelectionTheWidthAndTheirNumber)
{
    EXPECT_EQ(strip_file("/d/wall.jpg", 2, "836", 3), std::filesystem::path("/d/wall_2_836mm_3_.jpg"));
    EXPECT_EQ(strip_file("/d/a.b.jpeg", 0, "1.5", 12), std::filesystem::path("/d/a.b_0_1.5mm_12_.jpg"));
}

// A picture whose columns are easy to tell apart: red climbs 8 a column, blue 2 a column and row.
Bitmap pattern(int width, int height, int bpp = 24)
{
    Bitmap picture(FreeImage_Allocate(width, height, 24));
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture.get(), height - 1 - y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + FI_RGBA_RED] = BYTE((8 * x) & 0xFF);
            row[3 * x + FI_RGBA_GREEN] = BYTE((3 * y) & 0xFF);
            row[3 * x + FI_RGBA_BLUE] = BYTE((2 * (x + y)) & 0xFF);
        }
    }
    if (bpp == 8)
        return Bitmap(FreeImage_ConvertToGreyscale(picture.get()));
    return picture;
}

std::filesystem::path save(const Bitmap& picture, const std::filesystem::path& file, FREE_IMAGE_FORMAT format)
{
    EXPECT_TRUE(FreeImage_Save(format, picture.get(), file.c_str(), format == FIF_JPEG ? 100 : 0));
    return file;
}

// Mean difference per channel between a strip and the picture's columns from `x0 + shift`.
double mean_difference(FIBITMAP* picture, FIBITMAP* strip, int x0, int shift)
{
    const int width = int(FreeImage_GetWidth(strip)), height = int(FreeImage_GetHeight(strip));
    const int picture_width = int(FreeImage_GetWidth(picture));
    double sum = 0;
    long count = 0;
    for (int y = 0; y < height; ++y) {
        const BYTE* a = FreeImage_GetScanLine(strip, y);
        const BYTE* b = FreeImage_GetScanLine(picture, y);
        for (int x = 0; x < width; ++x) {
            const int px = x0 + x + shift;
            if (px < 0 || px >= picture_width)
                continue;
            for (int c = 0; c < 3; ++c, ++count)
                sum += std::abs(int(a[3 * x + c]) - int(b[3 * px + c]));
        }
    }
    return sum / double(count);
}

TEST(PictureTiling, EachStripHoldsThePicturesColumnsAndThePictureIsLeftAsItWas)
{
    ScratchDir dir;
    const auto source = save(pattern(400, 64), dir / "wall.png", FIF_PNG); // lossless: the reference
    const std::string before = read_bytes(source);
    auto report = tile_picture(source, widths({"1", "2", "1"}), 4);
    ASSERT_TRUE(report.ok()) << report.error().text();
    EXPECT_TRUE(report->failures.empty());
    ASSERT_EQ(report->written.size(), 3u);
    EXPECT_EQ(read_bytes(source), before);

    auto reference = load_picture_24(source);
    ASSERT_TRUE(reference.ok());
    const int starts[] = {0, 100, 300}, sizes[] = {100, 200, 100};
    const char* names[] = {"wall_4_1mm_1_.jpg", "wall_4_2mm_2_.jpg", "wall_4_1mm_3_.jpg"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(report->written[size_t(i)], dir / names[i]);
        auto strip = load_picture_24(dir / names[i]);
        ASSERT_TRUE(strip.ok()) << names[i];
        EXPECT_EQ(int(FreeImage_GetWidth(strip->get())), sizes[i]);
        EXPECT_EQ(int(FreeImage_GetHeight(strip->get())), 64);
        // JPEG at quality 100 comes within a unit or so of each pixel; a strip one column off
        // would differ by several.
        EXPECT_LT(mean_difference(reference->get(), strip->get(), starts[i], 0), 1.0) << names[i];
        EXPECT_GT(mean_difference(reference->get(), strip->get(), starts[i], 1), 2.0) << names[i];
        EXPECT_GT(mean_difference(reference->get(), strip->get(), starts[i], -1), 2.0) << names[i];
    }
}

TEST(PictureTiling, AJpegOfEqualPanelsGivesEqualStripsAndAGreyPictureIsCutInColour)
{
    ScratchDir dir;
    const auto wide = save(pattern(2508, 16), dir / "wide.jpg", FIF_JPEG);
    const std::string before = read_bytes(wide);
    auto report = tile_picture(wide, widths({"836", "836", "836"}), 0);
    ASSERT_TRUE(report.ok()) << report.error().text();
    ASSERT_EQ(report->written.size(), 3u);
    for (const auto& file : report->written) {
        auto strip = load_picture_24(file);
        ASSERT_TRUE(strip.ok());
        EXPECT_EQ(FreeImage_GetWidth(strip->get()), 836u);
    }
    EXPECT_EQ(read_bytes(wide), before);

    const auto grey = save(pattern(300, 20, 8), dir / "grey.png", FIF_PNG);
    auto loaded = load_picture_24(grey);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(FreeImage_GetBPP(loaded->get()), 24u);
    auto cut = tile_picture(grey, widths({"1", "1"}), 0);
    ASSERT_TRUE(cut.ok());
    EXPECT_EQ(cut->written.size(), 2u);
}

TEST(PictureTiling, AStripThatCannotBeWrittenIsReportedAndTheOthersAreWritten)
{
    ScratchDir dir;
    const auto source = save(pattern(90, 10), dir / "p.png", FIF_PNG);
    std::filesystem::create_directory(dir / "p_0_1mm_2_.jpg"); // the second strip's name is taken by a folder
    auto report = tile_picture(source, widths({"1", "1", "1"}), 0);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->failures.size(), 1u);
    EXPECT_EQ(report->failures[0].file, dir / "p_0_1mm_2_.jpg");
    EXPECT_EQ(report->failures[0].message.rfind("erreur FreeImage", 0), 0u) << report->failures[0].message;
    EXPECT_EQ(report->written, (std::vector<std::filesystem::path>{dir / "p_0_1mm_1_.jpg", dir / "p_0_1mm_3_.jpg"}));

    // Columns outside the picture are reported as a strip that cannot be copied; the next is cut.
    auto picture = load_picture_24(source);
    ASSERT_TRUE(picture.ok());
    int calls = 0;
    auto cut = cut_strips(picture->get(), {{{80, 20}, dir / "out.jpg"}, {{0, 10}, dir / "in.jpg"}},
                          [&](int done, int total) {
                              EXPECT_EQ(++calls, done);
                              EXPECT_EQ(total, 2);
                          });
    ASSERT_EQ(cut.failures.size(), 1u);
    EXPECT_EQ(cut.failures[0].message.rfind("erreur chargement", 0), 0u);
    EXPECT_EQ(cut.written, (std::vector<std::filesystem::path>{dir / "in.jpg"}));
    EXPECT_EQ(calls, 2);
}

TEST(PictureTiling, APictureThatCannotBeReadOrIsTooNarrowCutsNothing)
{
    ScratchDir dir;
    const auto junk = dir.write("junk.jpg", "not a picture");
    auto unreadable = tile_picture(junk, widths({"1", "1"}), 0);
    ASSERT_FALSE(unreadable.ok());
    EXPECT_EQ(unreadable.error().file, junk);
    EXPECT_EQ(unreadable.error().message.rfind("erreur chargement", 0), 0u);
    EXPECT_FALSE(tile_picture(dir / "missing.jpg", widths({"1"}), 0).ok());

    const auto narrow = save(pattern(2, 2), dir / "narrow.png", FIF_PNG);
    EXPECT_FALSE(tile_picture(narrow, widths({"1", "1", "1"}), 0).ok());
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 2u); // the two pictures, no strip
}

TEST(PictureTiling, WhatIsNamedInsteadOfAPictureIsSaid)
{
    ScratchDir dir;
    std::filesystem::create_directory(dir / "folder.jpg");
    ASSERT_EQ(::mkfifo((dir / "pipe.jpg").c_str(), 0600), 0);
    const std::pair<const char*, const char*> cases[] = {
        {"folder.jpg", "is a folder, not a picture file"},
        {"pipe.jpg", "is a pipe (FIFO), not a picture file"},
        {"none.jpg", "there is no picture file of this name"},
    };
    for (const auto& [name, said] : cases) {
        const auto loaded = load_picture(dir / name);
        ASSERT_FALSE(loaded) << name;
        EXPECT_EQ(loaded.error().message, said);
        EXPECT_EQ(loaded.error().file, dir / name);
    }
}

TEST(PictureTiling, AJpegCutShortIsRefusedForPrintNotFilledWithGrey)
{
    ScratchDir dir;
    const auto whole = save(pattern(300, 300), dir / "whole.jpg", FIF_JPEG);
    const std::string bytes = read_bytes(whole);
    const auto cut = dir.write("cut.jpg", bytes.substr(0, bytes.size() / 3));
    std::string note;
    ASSERT_TRUE(load_picture(cut, 0, max_picture_bytes, &note)) << "the reader itself still loads it";
    EXPECT_NE(note.find("Premature end of JPEG file"), std::string::npos) << note;
    note = "stale";
    ASSERT_TRUE(load_picture(whole, 0, max_picture_bytes, &note));
    EXPECT_EQ(note, "");

    auto refused = tile_picture(cut, widths({"1", "1"}), 0);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("damaged"), std::string::npos) << refused.error().message;
    EXPECT_FALSE(load_picture_24(cut));
    EXPECT_TRUE(load_picture_24(whole));
    EXPECT_FALSE(std::filesystem::exists(dir / "cut_0_1mm_1_.jpg"));
}

} // namespace
