#include <gtest/gtest.h>

#include "library/colour_library.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

ColourLibrary parse(std::string_view text) { return parse_colour_library(text, "test.lib"); }

std::string note_texts(const ColourLibrary& library)
{
    std::string all;
    for (const Error& note : library.notes)
        all += note.text() + "\n";
    return all;
}

} // namespace

TEST(ColourLibrary, ReadsNineItemRecordsInOrder)
{
    const ColourLibrary lib = parse("\"Rouge vif\",255,0,0,0,0.3,255,255,255\r\n"
                                    "\"Verre, teint\xE9\",200,220,230,0.6,0.9,250,250,250\r\n");
    ASSERT_EQ(lib.count(), 2) << note_texts(lib);
    EXPECT_TRUE(lib.notes.empty()) << note_texts(lib);
    EXPECT_EQ(lib.names[0], "Rouge vif");
    EXPECT_EQ(lib.colours[0], (Rgb{255, 0, 0}));
    EXPECT_EQ(lib.names[1], "Verre, teint\xC3\xA9"); // a comma inside quotes belongs to the name
    EXPECT_EQ(lib.colours[1], (Rgb{200, 220, 230}));
    EXPECT_FLOAT_EQ(lib.transparencies[1], 0.6f);
    EXPECT_FLOAT_EQ(lib.shininesses[1], 0.9f);
    EXPECT_EQ(lib.speculars[1], (Rgb{250, 250, 250}));
}

TEST(ColourLibrary, ItemsMayBeSplitOverLinesAndNamesUnquoted)
{
    // One item per line, LF only, no last line end, and blank lines in between.
    const ColourLibrary lib = parse("Bleu\n0\n0\n255\n\n0\n0.5\n10\n20\n30\nJaune, 255 ,255,0,0,0,0,0,0");
    ASSERT_EQ(lib.count(), 2) << note_texts(lib);
    EXPECT_EQ(lib.names[0], "Bleu");
    EXPECT_EQ(lib.speculars[0], (Rgb{10, 20, 30}));
    EXPECT_EQ(lib.names[1], "Jaune");
    EXPECT_EQ(lib.colours[1], (Rgb{255, 255, 0}));
}

TEST(ColourLibrary, ARecordRepeatingThePreviousColourIsNotKept)
{
    const ColourLibrary lib = parse("\"A\",10,20,30,0,0,0,0,0\r\n"
                                    "\"B\",10,20,30,0.5,0.5,1,1,1\r\n" // same colour as A: gives way
                                    "\"C\",10,20,30,0,0,0,0,0\r\n"     // same again
                                    "\"D\",10,20,31,0,0,0,0,0\r\n"
                                    "\"E\",10,20,30,0,0,0,0,0\r\n"); // equal to A, but not to D: kept
    ASSERT_EQ(lib.count(), 3);
    EXPECT_EQ(lib.names, (std::vector<std::string>{"A", "D", "E"}));
    EXPECT_TRUE(lib.notes.empty()) << note_texts(lib);
}

TEST(ColourLibrary, TheFirstRecordIsKeptEvenWhenBlack)
{
    const ColourLibrary lib = parse("\"Noir\",0,0,0,0,0,0,0,0\r\n");
    ASSERT_EQ(lib.count(), 1);
    EXPECT_EQ(lib.colours[0], (Rgb{0, 0, 0}));
}

TEST(ColourLibrary, NonWholeChannelsRoundHalfAwayFromZero)
{
    const ColourLibrary lib = parse("\"x\",254.5,0.49,&h10,0,0,0,0,0\r\n");
    ASSERT_EQ(lib.count(), 1) << note_texts(lib);
    EXPECT_EQ(lib.colours[0], (Rgb{255, 0, 16}));
}

TEST(ColourLibrary, DamagedItemsDropTheirRecordWithTheLine)
{
    const ColourLibrary lib = parse("\"ok\",1,2,3,0,0,0,0,0\r\n"
                                    "\"word\",1,two,3,0,0,0,0,0\r\n"
                                    "\"tail\",4,5,6x,0,0,0,0,0\r\n"
                                    "\"high\",256,5,6,0,0,0,0,0\r\n"
                                    "\"negative\",4,5,6,0,0,0,0,-1\r\n"
                                    "\"opaque\",4,5,6,1.5,0,0,0,0\r\n"
                                    "\"empty\",4,,6,0,0,0,0,0\r\n"
                                    "\"fine\",7,8,9,1,1,255,255,255\r\n");
    ASSERT_EQ(lib.count(), 2);
    EXPECT_EQ(lib.names[1], "fine");
    ASSERT_EQ(lib.notes.size(), 6u) << note_texts(lib);
    for (size_t i = 0; i < lib.notes.size(); ++i) {
        EXPECT_EQ(lib.notes[i].line, int(i) + 2);
        EXPECT_EQ(lib.notes[i].file, "test.lib");
    }
    EXPECT_NE(lib.notes[0].message.find("green of \"word\" is not a number"), std::string::npos);
    EXPECT_NE(lib.notes[2].message.find("outside 0..255"), std::string::npos);
    EXPECT_NE(lib.notes[4].message.find("transparency"), std::string::npos);
}

TEST(ColourLibrary, ADroppedRecordDoesNotCountAsThePreviousColour)
{
    const ColourLibrary lib = parse("\"A\",1,2,3,0,0,0,0,0\r\n"
                                    "\"bad\",9,9,9,x,0,0,0,0\r\n"
                                    "\"A again\",1,2,3,0,0,0,0,0\r\n");
    EXPECT_EQ(lib.names, (std::vector<std::string>{"A"}));
}

TEST(ColourLibrary, ATruncatedLastRecordIsReported)
{
    const ColourLibrary lib = parse("\"A\",1,2,3,0,0,0,0,0\r\n\"B\",4,5\r\n");
    ASSERT_EQ(lib.count(), 1);
    ASSERT_EQ(lib.notes.size(), 1u);
    EXPECT_EQ(lib.notes[0].line, 2);
    EXPECT_NE(lib.notes[0].message.find("3 of 9 items"), std::string::npos);
}

// One record with an item too many or too few leaves out that record alone: reading goes on at the
// next record that reads whole, and the note names the damaged line and shows it.
TEST(ColourLibrary, ADamagedRecordLosesOnlyItselfAndItsLineIsShown)
{
    const std::string after = "\"B\",4,5,6,0,0,0,0,0\r\n\"C\",7,8,9,0,0,0,0,0\r\n\"D\",1,1,1,0,0,0,0,0\r\n";
    struct Case {
        const char* damaged;
        const char* says;
    } cases[] = {
        {"Rouge, vif,200,20,30,0.4,0.8,255,255,255", "red of \"Rouge\" is not a number"}, // unquoted comma
        {"\"Rouge,200,20,30,0.4,0.8,255,255,255", "ends after 1 of 9 items"},         // stray quote
        {"\"Rouge\",200,20,0.4,0.8,255,255,255", "shininess of \"Rouge\""},            // an item missing
        {"\"Rouge\",200,20,30,30,0.4,0.8,255,255,255", "transparency of \"Rouge\""},   // an item too many
        {"\"Rouge\",200,20,30,0.4,0.8,255,255", "\"Rouge\" ends after 8 of 9 items"},  // the last item missing
    };
    for (const Case& c : cases) {
        const ColourLibrary lib = parse("\"A\",1,2,3,0,0,0,0,0\r\n" + std::string(c.damaged) + "\r\n" + after);
        EXPECT_EQ(lib.names, (std::vector<std::string>{"A", "B", "C", "D"})) << c.damaged << "\n" << note_texts(lib);
        ASSERT_FALSE(lib.notes.empty()) << c.damaged;
        bool named = false, shown = false;
        for (const Error& note : lib.notes) {
            EXPECT_EQ(note.line, 2) << c.damaged << "\n" << note_texts(lib);
            named = named || note.message.find(c.says) != std::string::npos;
            shown = shown || note.message.find(std::string(c.damaged).substr(0, 20)) != std::string::npos;
        }
        EXPECT_TRUE(named && shown) << c.damaged << "\n" << note_texts(lib);
    }
}

TEST(ColourLibrary, EmptyAndBinaryInputNeverCrash)
{
    EXPECT_EQ(parse("").count(), 0);
    EXPECT_EQ(parse("\r\n\r\n").count(), 0);
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += char((i * 7919) & 0xFF);
    const ColourLibrary lib = parse(noise);
    EXPECT_LE(lib.count(), 4096 / 9);
}

TEST(ColourLibrary, NamesAreReadFromCodePage1252)
{
    const ColourLibrary lib = parse("\"Vert \xE9meraude\",0,128,64,0,0,0,0,0\r\n");
    ASSERT_EQ(lib.count(), 1);
    EXPECT_EQ(lib.names[0], "Vert \xC3\xA9meraude");
}

TEST(ColourLibraryFiles, ListCountAndDisplayName)
{
    ScratchDir dir;
    dir.write("color/b_light.lib", "\"x\",1,1,1,0,0,0,0,0\r\n\"y\",2,2,2,0,0,0,0,0\r\n");
    dir.write("color/a.LIB", "\"x\",1,1,1,0,0,0,0,0\r\n");
    dir.write("color/notes.txt", "not a library");
    std::filesystem::create_directories(dir / "color/folder.lib");

    const auto files = list_colour_libraries(dir / "color");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].filename(), "a.LIB");
    EXPECT_EQ(files[1].filename(), "b_light.lib");
    EXPECT_EQ(colour_library_display_name(files[1]), "b light");
    EXPECT_EQ(colour_library_display_name(files[0]), "a");

    Result<int> count = count_colour_library(files[1]);
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(*count, 2);
    EXPECT_TRUE(list_colour_libraries(dir / "missing").empty());

    Result<ColourLibrary> missing = load_colour_library(dir / "color/none.lib");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().text().find("none.lib"), std::string::npos);
}

TEST(ColourLibrary, FinishClassesByShininess)
{
    EXPECT_STREQ(finish_class(0.0), "Mat");
    EXPECT_STREQ(finish_class(0.19), "Mat");
    EXPECT_STREQ(finish_class(0.2), "Semi-mat");
    EXPECT_STREQ(finish_class(0.4), "Satin");
    EXPECT_STREQ(finish_class(0.59), "Satin");
    EXPECT_STREQ(finish_class(0.6), "Brillant");
    EXPECT_STREQ(finish_class(1.0), "Brillant");
}
