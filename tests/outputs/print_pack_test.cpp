// The print pack: strips laid over the roll, file names, and the faces written from their
// pictures at their print sizes, cropped from the centre, with the faces that could not be
// written listed.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <cmath>

#include "base/picture_file.h"
#include "library/builtin_catalogue.h"
#include "model3d/model_fixture.h"
#include "outputs/print_pack.h"
#include "plan/face_proportion.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace fs = std::filesystem;

namespace {

// A picture whose left half is red and right half blue, with a green row at the very top, so that
// the crop, the channel order and the row order all show in the written file.
fs::path two_colour_picture(const fs::path& file, int width, int height)
{
    Bitmap bitmap{FreeImage_Allocate(width, height, 24)};
    for (int y = 0; y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), y);
        for (int x = 0; x < width; ++x) {
            const bool top = y == height - 1, left = x < width / 2;
            line[x * 3 + FI_RGBA_RED] = top ? 0 : left ? 255 : 0;
            line[x * 3 + FI_RGBA_GREEN] = top ? 255 : 0;
            line[x * 3 + FI_RGBA_BLUE] = top ? 0 : left ? 0 : 255;
        }
    }
    EXPECT_TRUE(FreeImage_Save(FIF_PNG, bitmap.get(), file.c_str(), 0));
    return file;
}

RGBQUAD pixel(const fs::path& file, int x, int y_from_top)
{
    auto picture = load_picture(file);
    EXPECT_TRUE(picture) << file;
    RGBQUAD colour{};
    FreeImage_GetPixelColor(picture->get(), unsigned(x), FreeImage_GetHeight(picture->get()) - 1 - unsigned(y_from_top),
                            &colour);
    return colour;
}

PrintFace face(int object, int side, double width_mm, double height_mm, const fs::path& picture, std::string label = "desk")
{
    PrintFace f;
    f.object = object;
    f.face = side;
    f.component = "component";
    f.label = std::move(label);
    f.width_mm = width_mm;
    f.height_mm = height_mm;
    f.picture = picture.string();
    f.picture_file = picture;
    return f;
}

} // namespace

TEST(RollStrips, AsFewStripsAsTheRollAllowsSharingExactlyTheOverlapToTheRightEdge)
{
    for (int width = 1; width < 6000; width += 37) {
        const std::vector<ColumnRange> strips = roll_strips(width, 1000, 50);
        ASSERT_FALSE(strips.empty());
        const int n = int(strips.size());
        if (n > 1) { // one strip fewer could not have covered the width
            EXPECT_LT((n - 1) * 1000 - (n - 2) * 50, width) << width;
        }
        EXPECT_EQ(strips.front().x, 0);
        EXPECT_EQ(strips.back().x + strips.back().width, width) << width;
        for (size_t k = 0; k < strips.size(); ++k) {
            EXPECT_LE(strips[k].width, 1000) << width;
            if (n > 1) {
                EXPECT_GT(strips[k].width, 50) << width; // every strip reaches past the overlap
            }
            if (k > 0) {
                EXPECT_EQ(strips[k].x, strips[k - 1].x + strips[k - 1].width - 50) << width;
            }
        }
    }
    // A 4 m face with its bleed at 150 dpi on a 1.6 m roll: three strips.
    EXPECT_EQ(roll_strips(print_pixels(4020, 150), print_pixels(1600, 150), print_pixels(20, 150)).size(), 3u);
}

TEST(PrintFileName, NumberLabelFaceAndSizeWithWhatEveryDesktopAccepts)
{
    PrintFace f = face(7, 1, 984.4, 2280, {}, "Welcome desk: A/B?");
    EXPECT_EQ(print_file_name(f, 1, 1), "007_Welcome_desk__A_B_recto_984x2280mm.jpg");
    f.face = 2;
    f.object = 1234;
    EXPECT_EQ(print_file_name(f, 2, 3), "1234_Welcome_desk__A_B_verso_984x2280mm_2of3.jpg");
    f.label = std::string(38, 'a') + "\xC3\xA9\xC3\xA9"; // cut between characters, never inside one
    EXPECT_EQ(print_file_name(f, 1, 1), "1234_" + std::string(38, 'a') + "\xC3\xA9_verso_984x2280mm.jpg");
    f.label = "..";
    EXPECT_EQ(print_file_name(f, 1, 1), "1234_object_verso_984x2280mm.jpg");
}

TEST(PrintPack, FacesAtTheirPrintSizeCroppedFromTheCentreAndTheOnesNotWrittenListed)
{
    ScratchDir dir;
    const fs::path wide = two_colour_picture(dir / "wide.png", 300, 200);
    const PrintPackSettings settings{50, 10, 1600, 20};
    const std::vector<PrintFace> faces = {
        face(1, 1, 1000, 2000, wide),          // tall: the picture's middle columns only
        face(2, 2, 1500, 1000, wide, "back"),  // the picture's own proportion
        face(3, 1, 800, 2000, dir / "gone.jpg"),
        face(4, 1, 800, 2000, {}),
    };
    const PrintPack pack = write_print_pack(faces, dir.path(), settings);
    ASSERT_EQ(pack.entries.size(), 4u);
    EXPECT_EQ(pack.faces_written(), 2);
    EXPECT_DOUBLE_EQ(pack.print_area_m2(), 2.0 + 1.5);

    const PrintEntry& tall = pack.entries[0];
    ASSERT_EQ(tall.pieces.size(), 1u);
    EXPECT_EQ(tall.pieces[0].file, dir / "001_desk_recto_1000x2000mm.jpg");
    auto size = read_picture_size(tall.pieces[0].file);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->width, print_pixels(1020, 50));
    EXPECT_EQ(size->height, print_pixels(2020, 50));
    EXPECT_TRUE(tall.proportion_off);
    // The middle of a red-blue picture: red left of the centre, blue right of it, green on top.
    const RGBQUAD left = pixel(tall.pieces[0].file, size->width / 4, size->height / 2);
    const RGBQUAD right = pixel(tall.pieces[0].file, size->width * 3 / 4, size->height / 2);
    EXPECT_GT(left.rgbRed, 200);
    EXPECT_LT(left.rgbBlue, 60);
    EXPECT_GT(right.rgbBlue, 200);
    EXPECT_LT(right.rgbRed, 60);
    EXPECT_GT(pixel(tall.pieces[0].file, size->width / 4, 0).rgbGreen, 150);

    EXPECT_FALSE(pack.entries[1].proportion_off);
    EXPECT_EQ(pack.entries[2].status, PrintStatus::unreadable);
    EXPECT_NE(pack.entries[2].problem.find("gone.jpg"), std::string::npos);
    EXPECT_EQ(pack.entries[3].status, PrintStatus::no_picture);

    const std::string csv = print_manifest_csv(pack);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
    EXPECT_NE(csv.find("1,component,recto,,1000,2000,10," + wide.string() + ",001_desk_recto_1000x2000mm.jpg,,"
                       + std::to_string(size->width) + "," + std::to_string(size->height) + ",written,cropped: picture "
                       "0.67; face 2\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find(",verso,"), std::string::npos);
    EXPECT_NE(csv.find("4,component,recto,,800,2000,10,,,,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("no picture"), std::string::npos);
}

TEST(PrintPack, AFaceWiderThanTheRollIsWrittenAsStripsThatShareTheirOverlap)
{
    ScratchDir dir;
    const fs::path wide = two_colour_picture(dir / "wide.png", 800, 200);
    const PrintPackSettings settings{20, 10, 1600, 20};
    const PrintPack pack = write_print_pack({face(9, 1, 4000, 1000, wide)}, dir.path(), settings);
    const PrintEntry& entry = pack.entries.at(0);
    ASSERT_EQ(entry.status, PrintStatus::written) << entry.problem;
    ASSERT_EQ(entry.pieces.size(), 3u);
    const std::vector<ColumnRange> expected =
        roll_strips(print_pixels(4020, 20), int(1600 * 20 / 25.4), print_pixels(20, 20));
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(entry.pieces[k].file.filename(), "009_desk_recto_4000x1000mm_" + std::to_string(k + 1) + "of3.jpg");
        auto size = read_picture_size(entry.pieces[k].file);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->width, expected[k].width);
        EXPECT_EQ(size->height, print_pixels(1020, 20));
    }
    // The first strip is the red half's left end, the last the blue half's right end.
    EXPECT_GT(pixel(entry.pieces[0].file, 2, 10).rgbRed, 200);
    EXPECT_GT(pixel(entry.pieces[2].file, expected[2].width - 3, 10).rgbBlue, 200);
    const std::string csv = print_manifest_csv(pack);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4); // the header and a line per strip
    EXPECT_NE(csv.find(",3/3,"), std::string::npos);

    PrintPack named = pack;
    named.entries[0].face.component = "@cmd|' /C calc'!A0";
    EXPECT_NE(print_manifest_csv(named).find("\n9,'@cmd|' /C calc'!A0,recto,"), std::string::npos)
        << print_manifest_csv(named);
}

TEST(PrintPack, BuiltInPanelsPrintTheirFaceWidthAndOtherObjectsTheirOwnSize)
{
    ComponentTable components;
    fill_builtin_catalogue(components, "en");
    PlanTable plan;
    const int panel = halvern::testing::place(plan, 0, 200, 150);
    plan.obj_faces[size_t(panel)] = 3;
    plan.obj_visuel_recto[size_t(panel)] = "front.jpg";
    halvern::testing::define(components, 1501, 100, 40, 15);
    const int sign = halvern::testing::place(plan, 1501, 500, 150);
    plan.obj_largeur[size_t(sign)] = 120;
    plan.obj_hauteur[size_t(sign)] = 80;
    plan.obj_texte[size_t(sign)] = "Sign";
    plan.obj_visuel_recto[size_t(sign)] = "/abs/sign.jpg";
    const int bare = halvern::testing::place(plan, 1501, 800, 150);
    plan.obj_faces[size_t(bare)] = 0;

    const std::vector<PrintFace> faces = printed_faces(plan, components, "/designs");
    ASSERT_EQ(faces.size(), 3u);
    const FaceSize recto = face_picture_size(plan, components, panel, 1);
    EXPECT_EQ(faces[0].face, 1);
    EXPECT_DOUBLE_EQ(faces[0].width_mm, recto.width);
    EXPECT_DOUBLE_EQ(faces[0].height_mm, 2280);
    EXPECT_FALSE(faces[0].end_code.empty());
    EXPECT_EQ(faces[0].picture_file, fs::path("/designs/front.jpg"));
    EXPECT_EQ(faces[1].face, 2);
    EXPECT_TRUE(faces[1].picture.empty());
    EXPECT_EQ(faces[2].label, "Sign");
    EXPECT_DOUBLE_EQ(faces[2].width_mm, 1200);
    EXPECT_DOUBLE_EQ(faces[2].height_mm, 800);
    EXPECT_EQ(faces[2].picture_file, fs::path("/abs/sign.jpg"));

    // A built-in panel stored with height 0 prints as tall as it stands.
    plan.obj_hauteur[size_t(panel)] = 0;
    EXPECT_DOUBLE_EQ(printed_faces(plan, components, "/designs")[0].height_mm, 2280);
}

TEST(PrintPack, SettingsOutOfRangeAreRefusedNamingTheLimit)
{
    EXPECT_TRUE(check_print_pack_settings({}));
    auto dpi = check_print_pack_settings({5, 10, 1600, 20});
    ASSERT_FALSE(dpi);
    EXPECT_NE(dpi.error().message.find("10 to 1200"), std::string::npos);
    EXPECT_FALSE(check_print_pack_settings({150, -1, 1600, 20}));
    EXPECT_FALSE(check_print_pack_settings({150, 10, 30, 20}));
}

// A face no stand can have is refused before anything is sampled or cut: no size at all would come
// out as a print of bleed alone, one kilometres wide as millions of strips or all the memory.
TEST(PrintPack, FacesOfNoSizeOrBeyondAnyStandAreRefusedWithoutAFile)
{
    ScratchDir dir;
    const fs::path art = two_colour_picture(dir / "art.png", 60, 30);
    const double nan = std::nan("");
    const struct {
        double width_mm, height_mm;
        const char* problem;
    } cases[] = {
        {0, 1000, "no size"},           {1000, 0, "no size"},
        {nan, 1000, "no size"},         {-500, 1000, "no size"},
        {1e31, 1000, "larger than any stand"}, {2.147e9, 1000, "larger than any stand"},
        {1000, 200000, "larger than any stand"}, {3000, 12000, "more than a JPEG holds"},
    };
    for (const auto& c : cases) {
        ScratchDir out;
        const PrintPack pack = write_print_pack({face(1, 1, c.width_mm, c.height_mm, art)}, out.path(), {});
        ASSERT_EQ(pack.entries.size(), 1u);
        const PrintEntry& entry = pack.entries[0];
        EXPECT_EQ(entry.status, PrintStatus::failed) << c.width_mm << " x " << c.height_mm;
        EXPECT_NE(entry.problem.find(c.problem), std::string::npos) << entry.problem;
        EXPECT_TRUE(entry.pieces.empty());
        EXPECT_TRUE(fs::is_empty(out.path())) << c.width_mm << " x " << c.height_mm;
    }
}

// Several workers share the files out: every file must come out byte for byte as one worker alone
// writes it, the pieces listed in strip order, a face whose picture cannot be read listed as such,
// and progress told face after face in order. Every face of the shipped examples is printed.
TEST(PrintPack, SeveralWorkersWriteTheSameBytesAsOne)
{
    ScratchDir dir;
    Bitmap bitmap{FreeImage_Allocate(97, 61, 24)};
    for (int y = 0; y < 61; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap.get(), y);
        for (int x = 0; x < 97 * 3; ++x)
            line[x] = BYTE(x * 7 + y * 13);
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap.get(), (dir / "art.png").c_str(), 0));
    const PrintPackSettings settings{10, 10, 600, 20};
    for (const char* example : {"corner_stand_6x3.qlm", "island_stand_8x6.qlm", "shell_stand_3x3.qlm"}) {
        halvern::testing::Design design;
        ASSERT_TRUE(halvern::testing::load_example(design, example)) << example;
        for (int i = 1; i <= design.plan.nb_objets; ++i) {
            design.plan.obj_faces[size_t(i)] = i % 5 == 0 ? 3 : 1;
            design.plan.obj_visuel_recto[size_t(i)] = "art.png";
            design.plan.obj_visuel_verso[size_t(i)] = "gone.png";
        }
        const std::vector<PrintFace> faces = printed_faces(design.plan, design.components, dir.path());
        ASSERT_GT(faces.size(), 4u) << example;
        for (const auto* folder : {"one", "several"})
            fs::create_directories(dir / folder);
        const PrintPack one = write_print_pack(faces, dir / "one", settings, {}, 1);
        std::vector<int> told;
        const PrintPack several = write_print_pack(faces, dir / "several", settings,
                                                   [&](int done, int) { told.push_back(done); }, 3);
        ASSERT_EQ(told.size(), faces.size());
        for (size_t k = 0; k < told.size(); ++k)
            EXPECT_EQ(told[k], int(k) + 1);
        EXPECT_EQ(print_manifest_csv(several), print_manifest_csv(one)) << example;
        EXPECT_GT(one.faces_written(), 0);
        EXPECT_LT(one.faces_written(), one.faces_to_print()); // the unreadable pictures
        size_t strips = 0;
        for (size_t f = 0; f < one.entries.size(); ++f) {
            ASSERT_EQ(several.entries[f].pieces.size(), one.entries[f].pieces.size());
            strips += one.entries[f].pieces.size() > 1;
            for (size_t k = 0; k < one.entries[f].pieces.size(); ++k) {
                const fs::path name = one.entries[f].pieces[k].file.filename();
                EXPECT_EQ(several.entries[f].pieces[k].file, dir / "several" / name);
                EXPECT_EQ(halvern::testing::read_bytes(dir / "several" / name), halvern::testing::read_bytes(dir / "one" / name))
                    << example << ' ' << name;
            }
        }
        EXPECT_GT(strips, 0u) << example << ": no face wider than the roll";
        fs::remove_all(dir / "one");
        fs::remove_all(dir / "several");
    }
}
