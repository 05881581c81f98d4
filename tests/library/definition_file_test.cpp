#include <gtest/gtest.h>

#include <sys/stat.h>

#include "base/text_file.h"
#include "library/definition_file.h"
#include "library/library_loader.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::read_bytes;
using halvern::testing::ScratchDir;

namespace {

const char* header = "1200\r\n0\r\nPanneau\r\n100\r\n2.5\r\n245\r\n";

// Reads a file of header + `keys` into a fresh table and returns the record.
Component read_keys(const std::string& keys, std::string_view lang = "en")
{
    auto table = std::make_unique<ComponentTable>();
    auto n = parse_definition(header + keys, *table, lang, "test.lib");
    EXPECT_TRUE(n.ok()) << (n ? "" : n.error().text());
    return n ? (*table)[*n] : Component{};
}

} // namespace

TEST(DefinitionFile, HeaderFillsNumberShapeNameAndSizes)
{
    ComponentTable table;
    auto n = parse_definition("1200\n99\nPanneau d\xC3\xA9" "co = 2\n100.5\n2.5\n245", table, "en", "f.lib");
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(*n, 1200);
    EXPECT_EQ(table[1200].shape, 99);
    EXPECT_EQ(table[1200].name, "Panneau d\xC3\xA9" "co = 2"); // the header name is the whole line
    EXPECT_EQ(table[1200].width, 100.5);
    EXPECT_EQ(table[1200].depth, 2.5);
    EXPECT_EQ(table[1200].height, 245);
    EXPECT_EQ(table[1200].pivot_x, -1.0f); // a file with only the header keeps the defaults
    EXPECT_EQ(table[1200].magnet_only_lib[10], -1);
}

TEST(DefinitionFile, ElevationFollowsTheLastLineThatMentionsIt)
{
    EXPECT_EQ(read_keys("auto_elevation=1\r\n").elevation, 1);
    EXPECT_EQ(read_keys("auto_elevation=1\r\n").auto_elevation, 1);
    EXPECT_EQ(read_keys("auto_elevation=1\r\nelevation=40\r\n").elevation, 40);
    EXPECT_EQ(read_keys("elevation=40\r\nauto_elevation=1\r\n").elevation, 1);
    EXPECT_EQ(read_keys("magnet_no_elevation=1\r\n").elevation, 1);
    EXPECT_EQ(read_keys("magnet_no_elevation=1\r\n").magnet_no_elevation, 1);
    EXPECT_EQ(read_keys("magnet_no_elevation=1\r\nelevation=0\r\n").elevation, 0);
    EXPECT_EQ(read_keys("elevation=7\r\nmagnet_no_elevation=1\r\n").elevation, 1);
}

TEST(DefinitionFile, ValueIsEverythingAfterTheFirstEqualsSign)
{
    Component c = read_keys("draw=PU=FD 10=LT 90\r\nref=a=b\r\nxpanel=3\r\na=b=elevation=3\r\n");
    EXPECT_EQ(c.draw, "PU=FD 10=LT 90");
    EXPECT_EQ(c.ref, "a=b");
    EXPECT_EQ(c.panel, 3);         // containment: the key may stand anywhere in the line
    EXPECT_EQ(c.elevation, 0);     // the value of "a=b=elevation=3" is "b=elevation=3"
    EXPECT_EQ(read_keys("license=CC = BY\r\n").license, "CC = BY");
}

TEST(DefinitionFile, NumbersColoursAndTexts)
{
    Component c = read_keys("draw_color=FF\r\ninfo=12.50abc\r\npivot_x= 3.25\r\nmagnet_r_3=-90\r\n"
                            "magnet_r_4=370\r\nno_magnet=1 (none)\r\ndraw_mirror=x\r\npanel_w_1=&h10\r\n");
    EXPECT_EQ(c.draw_color, 255);
    EXPECT_EQ(c.info, "12.5"); // parsed, then kept as its decimal text
    EXPECT_EQ(c.pivot_x, 3.25f);
    EXPECT_EQ(c.magnet_r[3], -90.0f); // normalised only once every library is loaded
    EXPECT_EQ(c.magnet_r[4], 370.0f);
    EXPECT_EQ(c.no_magnet, "1 (none)"); // texts used as numbers stay as written
    EXPECT_EQ(c.draw_mirror, 0.0f);
    EXPECT_EQ(c.panel_w_1, 16);
    EXPECT_EQ(read_keys("draw_color=ff8000\r\n").draw_color, 0xFF8000);
    EXPECT_EQ(read_keys("draw_color=zz\r\n").draw_color, 0);
    EXPECT_EQ(read_keys("draw_color=FFFFFFFF\r\n").draw_color, -1);
    EXPECT_EQ(read_keys("draw_color=1FFFFFFFF\r\n").draw_color, -1); // low 32 bits, never an overflow
}

TEST(DefinitionFile, MagnetDirectionsAreNormalisedAfterLoading)
{
    ComponentTable table;
    table[1].magnet_r = {-90, 370, -3700, 359.99999f, 0, 720, -0.0f, 0, 0, 0, 0};
    table[0].magnet_r[2] = -15;
    normalize_magnet_directions(table);
    EXPECT_EQ(table[1].magnet_r[0], 270.0f);
    EXPECT_EQ(table[1].magnet_r[1], 10.0f);
    EXPECT_EQ(table[1].magnet_r[2], 260.0f);
    EXPECT_LT(table[1].magnet_r[3], 360.0f);
    EXPECT_EQ(table[1].magnet_r[5], 0.0f);
    EXPECT_EQ(table[0].magnet_r[2], -15.0f); // component 0 is outside the normalised range 1..5000
}

TEST(DefinitionFile, EnglishNameOnlyInEnglish)
{
    EXPECT_EQ(read_keys("name_en=Panel\r\n", "en").name, "Panel");
    EXPECT_EQ(read_keys("name_en=Panel\r\n", "fr").name, "Panneau");
    EXPECT_EQ(read_keys("name_en=Panel\r\n", "de").name, "Panneau");
}

TEST(DefinitionFile, SlotsOutsideTheirRangeAreIgnored)
{
    Component c = read_keys("magnet_x_11=5\r\ncolor_src_6=wood\r\nmagnet_x_10=7\r\ncolor_src_5=steel\r\n"
                            "magnet_only_lib_12=3\r\n");
    EXPECT_EQ(c.magnet_x[10], 7);
    EXPECT_EQ(c.color_src[5], "steel");
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(c.magnet_x[size_t(k)], 0) << k;
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(c.color_src[size_t(k)], "") << k;
    EXPECT_EQ(c.magnet_only_lib[1], -1);
}

TEST(DefinitionFile, DamagedHeadersChangeNothing)
{
    struct Case {
        std::string text;
        int line;
    };
    for (const Case& bad : std::vector<Case>{{"", 0},
                                             {"12\r\n0\r\nName\r\n", 3},
                                             {"abc\r\n0\r\nName\r\n1\r\n1\r\n1\r\n", 1},
                                             {"5001\r\n0\r\nName\r\n1\r\n1\r\n1\r\n", 1},
                                             {"-1\r\n0\r\nName\r\n1\r\n1\r\n1\r\n", 1},
                                             {"12.5\r\n0\r\nName\r\n1\r\n1\r\n1\r\n", 1}}) {
        ComponentTable table;
        auto n = parse_definition(bad.text, table, "en", "bad.lib");
        ASSERT_FALSE(n.ok()) << bad.text;
        EXPECT_EQ(n.error().file, "bad.lib");
        EXPECT_EQ(n.error().line, bad.line) << bad.text;
        for (int k : {0, 1, 12})
            EXPECT_TRUE(table[k].is_free()) << bad.text;
    }
    ComponentTable table;
    EXPECT_EQ(*parse_definition(" 5000\n0\nLast\n1\n1\n1", table, "en", "ok.lib"), 5000);
}

TEST(DefinitionFile, CompanionFileGivesHas3d)
{
    ScratchDir dir;
    auto with = dir.write("7/a.lib", "701\r\n0\r\nA\r\n1\r\n1\r\n1\r\n");
    dir.write("7/a.dat", "#VRML");
    auto upper = dir.write("7/b.lib", "702\r\n0\r\nB\r\n1\r\n1\r\n1\r\n");
    dir.write("7/b.DAT", "#VRML");
    auto without = dir.write("7/c.lib", "703\r\n0\r\nC\r\n1\r\n1\r\n1\r\n");
    dir.write("7/c.lib.dat", "not the companion");
    ComponentTable table;
    ASSERT_TRUE(read_definition_file(with, table, "en").ok());
    ASSERT_TRUE(read_definition_file(upper, table, "en").ok());
    ASSERT_TRUE(read_definition_file(without, table, "en").ok());
    EXPECT_TRUE(table[701].has_3d);
    EXPECT_TRUE(table[702].has_3d);
    EXPECT_FALSE(table[703].has_3d);
}
