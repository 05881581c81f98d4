// The check that the shipped ".dat" files rely on must itself catch what would break the export.

#include <gtest/gtest.h>

#include "library/vrml_check.h"

using halvern::testing::DatExpectations;
using halvern::testing::dat_problems;

namespace {

const char* good = "#VRML V2.0 utf8\r\n"
                   "# a shelf { in a comment\r\n"
                   "Shape { appearance Appearance {\r\n"
                   "  material DEF Colour_board Material { diffuseColor 1 1 1 }\r\n"
                   "  texture ImageTexture { url \"void.jpg\" } }\r\n"
                   "  geometry Text { string [ \"a } in a string\" ] } }\r\n";

DatExpectations board(bool recto = false, bool verso = false)
{
    DatExpectations e;
    e.markers[0] = "DEF Colour_board";
    e.recto = recto;
    e.verso = verso;
    return e;
}

} // namespace

TEST(DatCheck, AcceptsWellFormedTextWithItsMarkerAndPlaceholder)
{
    EXPECT_TRUE(dat_problems(good, board(true)).empty());
}

TEST(DatCheck, NamesEachFault)
{
    EXPECT_EQ(dat_problems("#VRML V1.0 ascii\nGroup {}\n", {}).size(), 1u);
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\nGroup { children [ ] \n", {}).size(), 1u);   // never closed
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\nGroup { children [ } ]\n", {}).size(), 1u); // crossed
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\n}\n", {}).size(), 1u);
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\nText { string \"open }\n", {}).size(), 2u); // string, then node
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\n# caf\xE9\n", {}).size(), 1u);
    EXPECT_EQ(dat_problems(good, board(false, true)).size(), 1u); // no "void2.jpg"
    EXPECT_EQ(dat_problems("#VRML V2.0 utf8\n", board(true)).size(), 2u); // no marker, no "void.jpg"
}

TEST(DatCheck, MarkerMustLeadToOneMaterialOfItsOwn)
{
    EXPECT_FALSE(dat_problems("#VRML V2.0 utf8\nDEF Colour_board Shape { }\n", board()).empty());
    const std::string twice = std::string(good) + "Shape { appearance Appearance { material DEF Colour_board2 Material { } } }\n";
    EXPECT_FALSE(dat_problems(twice, board()).empty()); // "DEF Colour_board" now names two places
    EXPECT_FALSE(
        dat_problems("#VRML V2.0 utf8\nmaterial DEF Colour_board Material { a { } }\n", board()).empty());
}

TEST(DatCheck, ListsTheDefaultPicturesItNames)
{
    EXPECT_EQ(halvern::testing::default_picture_names("url \"void_bois.jpg\" string \"void_text\" void_"),
              (std::vector<std::string>{"bois.jpg", "text", ""}));
}
