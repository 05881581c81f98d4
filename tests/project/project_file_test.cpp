// The project file reader and writer on their own: layout, round trip, damaged and unusual files.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/numbers.h"
#include "base/text_file.h"
#include "project/project_writer.h"
#include "project_cases.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

std::vector<std::string> lines_of(const std::string& bytes) { return split_lines(bytes); }

ReadCase read_bytes_as(const std::string& bytes, ReadMode mode = ReadMode::load, ReadCase into = {})
{
    into.result = read_project_text(bytes, "memory.qlm", detect_project_format(bytes), mode, test_components(),
                                    into.plan, into.stand);
    return into;
}

} // namespace

TEST(ProjectWriter, EmptyPlanIsTheTagTheStandAndTheReservedZeros)
{
    PlanTable plan;
    StandSettings stand;
    std::string bytes = format_project(plan, stand);
    auto lines = lines_of(bytes);
    ASSERT_EQ(lines.size(), 1025u);
    EXPECT_EQ(bytes.substr(0, 21), "v1.1\r\n5\r\n3\r\n\r\n\r\n\r\n0\r\n");
    EXPECT_EQ(lines[6], "0"); // wall mask
    for (size_t i = 7; i < lines.size(); ++i)
        ASSERT_EQ(lines[i], "0") << "line " << i + 1;
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1025);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 1025);
}

TEST(ProjectWriter, ObjectRecordIs113LinesInFieldOrderInCodePage1252)
{
    PlanTable plan;
    StandSettings stand{12.5f, 4, 0x0F3, "sol é.jpg", "Client €", "Titre"};
    int n = place(plan, 10, 111.9f, -0.5f, 7);
    size_t i = size_t(n);
    plan.obj_rot[i] = 270;
    plan.obj_hauteur[i] = 228;
    plan.obj_elevation[i] = 12.25f;
    plan.obj_faces[i] = 3;
    plan.obj_profondeur[i] = 10;
    plan.obj_largeur[i] = 100;
    plan.obj_texte[i] = "deux\r\nlignes\nici";
    plan.obj_visuel_recto[i] = "C:\\img\\r.jpg";
    plan.obj_visuel_verso[i] = "\"cité\"";
    plan.obj_annexe[i] = "日本";
    plan.obj_force_recto[i] = "?45";
    plan.obj_force_verso[i] = "CO";

    std::string bytes = format_project(plan, stand);
    auto lines = lines_of(bytes);
    ASSERT_EQ(lines.size(), 1025u + 113u);
    EXPECT_EQ(lines[1], "12.5");
    EXPECT_EQ(lines[3], "sol \xE9.jpg");
    EXPECT_EQ(lines[4], "Client \x80");
    EXPECT_EQ(lines[6], "243");
    std::vector<std::string> fields(lines.begin() + 1025, lines.begin() + 1025 + 16);
    std::vector<std::string> expected = {"111.9", "-0.5", "270", "10", "228", "12.25", "3", "10", "100",
                                         "deux lignes ici", "C:\\img\\r.jpg", "\"\"cit\xE9\"\"", "??", "?45",
                                         "CO", "7"};
    EXPECT_EQ(fields, expected);
    for (size_t k = 1025 + 16; k < lines.size(); ++k)
        ASSERT_EQ(lines[k], "") << "line " << k + 1;
}

TEST(ProjectWriter, NumbersAreTheShortestTextOfTheSingle)
{
    // Whole values take a quicker path than the others: both must write what format_number writes.
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> any(-3e7f, 3e7f);
    PlanTable plan;
    std::vector<float> values = {0.0f, -0.0f, 1, -1, 16777215, -16777215, 16777216, 16777218, 1e10f, -1e30f,
                                 0.5f, -0.5f, 111.9f, 359.6f, std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN()};
    for (int k = -1000; k <= 1000; ++k)
        values.push_back(float(k));
    while (values.size() < size_t(2 * max_objects))
        values.push_back(values.size() % 2 ? any(rng) : std::trunc(any(rng)));
    for (size_t k = 0; k + 1 < values.size() && !plan.full(); k += 2)
        place(plan, 10, values[k], values[k + 1]);
    auto lines = lines_of(format_project(plan, {}));
    for (int n = 1; n <= plan.nb_objets; ++n) {
        size_t first = 1025 + size_t(n - 1) * 113;
        ASSERT_EQ(lines[first], format_number(plan.obj_x[size_t(n)])) << plan.obj_x[size_t(n)];
        ASSERT_EQ(lines[first + 1], format_number(plan.obj_y[size_t(n)])) << plan.obj_y[size_t(n)];
    }
}

TEST(ProjectRoundTrip, DesignWrittenAndReadBackIsEqualFieldByField)
{
    std::mt19937 rng(20240611);
    auto real = [&](float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); };
    auto whole = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char* texts[] = {"", "Comptoir", "  blancs  ", "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", "\"guillemets\"",
                           "a \"b\" c", "C:\\img\\x.jpg", "/home/u/y.jpg", "?90", "\""};

    PlanTable plan;
    StandSettings stand{7.25f, 3.5f, 0xABC, texts[3], texts[2], texts[4]};
    const int count = 300;
    for (int n = 1; n <= count; ++n) {
        size_t i = size_t(n);
        int kind = whole(0, 9);
        place(plan, kind == 0 ? 99.0f : float(whole(10, 12)), real(-5000, 5000), real(-5000, 5000), whole(0, count));
        plan.obj_rot[i] = float(whole(0, 359));
        plan.obj_hauteur[i] = real(0, 400);
        plan.obj_elevation[i] = real(-10, 300);
        plan.obj_faces[i] = whole(0, 3);
        plan.obj_profondeur[i] = real(0, 100);
        plan.obj_largeur[i] = real(0, 300);
        plan.obj_texte[i] = texts[whole(0, 9)];
        plan.obj_visuel_recto[i] = texts[whole(0, 9)];
        plan.obj_visuel_verso[i] = texts[whole(0, 9)];
        plan.obj_annexe[i] = texts[whole(0, 9)];
        plan.obj_force_recto[i] = texts[whole(0, 9)];
        plan.obj_force_verso[i] = texts[whole(0, 9)];
    }

    ReadCase back = read_bytes_as(format_project(plan, stand));
    ASSERT_TRUE(back.result.complete());
    EXPECT_EQ(back.result.dropped, 0);
    EXPECT_EQ(back.stand, stand);
    ASSERT_EQ(back.plan.nb_objets, count);
    for (int n = 1; n <= count; ++n) {
        size_t i = size_t(n);
        SCOPED_TRACE("object " + std::to_string(n));
        EXPECT_EQ(back.plan.obj_x[i], plan.obj_x[i]);
        EXPECT_EQ(back.plan.obj_y[i], plan.obj_y[i]);
        EXPECT_EQ(back.plan.obj_rot[i], plan.obj_rot[i]);
        EXPECT_EQ(back.plan.obj_comp[i], plan.obj_comp[i]);
        EXPECT_EQ(back.plan.obj_hauteur[i], plan.obj_hauteur[i]);
        EXPECT_EQ(back.plan.obj_elevation[i], plan.obj_elevation[i]);
        EXPECT_EQ(back.plan.obj_faces[i], plan.obj_faces[i]);
        EXPECT_EQ(back.plan.obj_profondeur[i], plan.obj_profondeur[i]);
        EXPECT_EQ(back.plan.obj_largeur[i], plan.obj_largeur[i]);
        EXPECT_EQ(back.plan.obj_texte[i], plan.obj_texte[i]);
        EXPECT_EQ(back.plan.obj_visuel_recto[i], plan.obj_visuel_recto[i]);
        EXPECT_EQ(back.plan.obj_visuel_verso[i], plan.obj_visuel_verso[i]);
        EXPECT_EQ(back.plan.obj_annexe[i], plan.obj_annexe[i]);
        EXPECT_EQ(back.plan.obj_force_recto[i], plan.obj_force_recto[i]);
        EXPECT_EQ(back.plan.obj_force_verso[i], plan.obj_force_verso[i]);
        EXPECT_EQ(back.plan.obj_groupe[i], plan.obj_groupe[i]);
    }
    // And the second write is the same bytes as the first.
    EXPECT_EQ(format_project(back.plan, back.stand), format_project(plan, stand));
}

TEST(ProjectReader, RotationsBecomeWholeDegreesFrom0To359)
{
    ReadCase r = read_case("rotations_out_of_range.qlm");
    ASSERT_EQ(r.plan.nb_objets, 5);
    EXPECT_EQ(r.plan.obj_rot[1], 270); // -90.4
    EXPECT_EQ(r.plan.obj_rot[2], 0);   // 359.6
    EXPECT_EQ(r.plan.obj_rot[3], 0);   // -0.5: 3599.5 rounds up
    EXPECT_EQ(r.plan.obj_rot[4], 359); // -3600.6
    EXPECT_EQ(r.plan.obj_rot[5], 0);   // 7200.4
}

TEST(ProjectReader, ImportIntoTenObjectsMovesGroupsBehindThemAndKeepsTheStand)
{
    ReadCase into;
    into.stand = {10, 6, 1, "mine.jpg", "My client", "My stand"};
    for (int k = 0; k < 10; ++k)
        place(into.plan, 10, float(100 * k), 100);
    into.plan.obj_groupe[4] = 0;
    const StandSettings before = into.stand;

    ReadCase r = read_case("groups_for_import.qlm", ReadMode::import, std::move(into));
    ASSERT_TRUE(r.result.complete());
    ASSERT_EQ(r.plan.nb_objets, 14);
    EXPECT_EQ(r.result.objects_added, 4);
    EXPECT_EQ(r.plan.obj_groupe[11], 13);
    EXPECT_EQ(r.plan.obj_groupe[12], 13);
    EXPECT_TRUE(r.plan.is_group(13));
    EXPECT_EQ(r.plan.obj_texte[13], "Accueil");
    EXPECT_EQ(r.plan.obj_groupe[14], 0);
    EXPECT_EQ(r.stand, before);
    EXPECT_EQ(r.plan.obj_x[10], 900); // the design's own objects are untouched

    ReadCase loaded = read_case("groups_for_import.qlm");
    EXPECT_EQ(loaded.plan.obj_groupe[1], 3);
    EXPECT_EQ(loaded.stand, (StandSettings{8, 4, 5, "sol.jpg", "Client A", "Stand A"}));
}

TEST(ProjectReader, DroppedObjectsLeaveLaterGroupsRight)
{
    ReadCase r = read_case("dropped_object_before_groups.qlm");
    ASSERT_TRUE(r.result.complete());
    EXPECT_EQ(r.result.dropped, 3); // 4321, 6000 and -1
    ASSERT_TRUE(r.result.dropped_note);
    EXPECT_EQ(r.result.dropped_note->line, 1025 + 4);
    EXPECT_NE(r.result.dropped_note->message.find("component 4321"), std::string::npos);
    ASSERT_EQ(r.plan.nb_objets, 6);
    EXPECT_EQ(r.plan.obj_texte[3], "G1");
    EXPECT_EQ(r.plan.obj_groupe[1], 3);
    EXPECT_EQ(r.plan.obj_groupe[2], 3);
    EXPECT_EQ(r.plan.obj_groupe[4], 6);
    EXPECT_EQ(r.plan.obj_texte[6], "G2");
    EXPECT_EQ(r.plan.obj_groupe[5], 0);

    // On import the offset applies to the renumbered groups.
    ReadCase into;
    for (int k = 0; k < 10; ++k)
        place(into.plan, 11, 0, 0);
    ReadCase imported = read_case("dropped_object_before_groups.qlm", ReadMode::import, std::move(into));
    EXPECT_EQ(imported.plan.obj_groupe[11], 13);
    EXPECT_EQ(imported.plan.obj_groupe[12], 13);
    EXPECT_EQ(imported.plan.obj_groupe[14], 16);
}

TEST(ProjectReader, QuotesAroundValuesAreNotPartOfThem)
{
    ReadCase r = read_case("quoted_values.qlm");
    ASSERT_TRUE(r.result.complete());
    EXPECT_EQ(r.stand, (StandSettings{6.5f, 3, 12, "parquet.jpg", "Client, Inc.", "Stand B"}));
    ASSERT_EQ(r.plan.nb_objets, 1);
    EXPECT_EQ(r.plan.obj_x[1], 120);
    EXPECT_EQ(r.plan.obj_rot[1], 45);
    EXPECT_EQ(r.plan.obj_texte[1], "Comptoir");
    EXPECT_EQ(r.plan.obj_visuel_recto[1], "C:\\img\\a b.jpg");
    EXPECT_EQ(r.plan.obj_visuel_verso[1], "no quotes \"inside\" kept");
    EXPECT_EQ(r.plan.obj_annexe[1], "\"");
    EXPECT_EQ(r.plan.obj_force_recto[1], "CO");
    EXPECT_EQ(r.plan.obj_force_verso[1], "");
}

TEST(ProjectReader, FileCutInsideAnObjectKeepsTheWholeObjectsBeforeIt)
{
    ReadCase r = read_case("cut_inside_object.qlm");
    ASSERT_TRUE(r.result.failure);
    EXPECT_FALSE(r.result.complete());
    EXPECT_EQ(r.result.failure->line, 1025 + 2 * 113 + 7);
    EXPECT_EQ(r.plan.nb_objets, 2);
    EXPECT_EQ(r.stand.client, "Client C");
    // Their group object was never read: they belong to no group rather than to a stranger.
    EXPECT_EQ(r.plan.obj_groupe[1], 0);
    EXPECT_EQ(r.plan.obj_groupe[2], 0);

    ReadCase header = read_case("cut_inside_header.qlm");
    ASSERT_TRUE(header.result.failure);
    EXPECT_EQ(header.result.failure->line, 300);
    EXPECT_EQ(header.plan.nb_objets, 0);
    EXPECT_EQ(header.stand.stand_largeur, 9);
    EXPECT_EQ(header.stand.stand_profondeur, 4);
}

TEST(ProjectReader, LineEndsAndTrailingBlankLines)
{
    ReadCase lf = read_case("lf_without_final_line_end.qlm");
    EXPECT_TRUE(lf.result.complete());
    ASSERT_EQ(lf.plan.nb_objets, 2);
    EXPECT_EQ(lf.plan.obj_texte[2], "last");
    EXPECT_EQ(lf.plan.obj_rot[2], 180);

    ReadCase blanks = read_case("trailing_blank_lines.qlm");
    EXPECT_TRUE(blanks.result.complete());
    EXPECT_EQ(blanks.plan.nb_objets, 1);

    ReadCase old = read_case("old_without_final_line_end.vek");
    EXPECT_TRUE(old.result.complete());
    ASSERT_EQ(old.plan.nb_objets, 2);
    EXPECT_EQ(old.plan.obj_texte[2], "t");
    EXPECT_EQ(old.plan.obj_annexe[2], "");
}

TEST(ProjectReader, FileCutAmongTheReservedLinesKeepsThatObjectButFails)
{
    PlanTable source;
    for (int k = 0; k < 3; ++k)
        place(source, 10, float(k), 0);
    auto lines = lines_of(format_project(source, {}));
    lines.resize(1025 + 113 + 16 + 50); // half of the second object's reserved lines
    ReadCase r = read_bytes_as(join_lines_crlf(lines));
    ASSERT_TRUE(r.result.failure);
    EXPECT_EQ(r.result.failure->line, 1025 + 113 + 16 + 50);
    EXPECT_EQ(r.plan.nb_objets, 2);
    EXPECT_EQ(r.plan.obj_x[2], 1);

    // One empty line short at the very end is a missing last line end, not a cut.
    lines = lines_of(format_project(source, {}));
    lines.pop_back();
    ReadCase whole = read_bytes_as(join_lines_crlf(lines));
    EXPECT_TRUE(whole.result.complete());
    EXPECT_EQ(whole.plan.nb_objets, 3);
}

TEST(ProjectReader, OldFormatHasThirteenFieldsAndNoWallMask)
{
    ReadCase into;
    into.stand.stand_murs = 9;
    // The reused entries hold overrides and a group of an earlier design.
    into.plan.obj_force_recto[1] = "CC";
    into.plan.obj_force_verso[2] = "RR";
    into.plan.obj_groupe[1] = 5;
    into.plan.colours[1][0].couleur = {1, 2, 3};

    ReadCase r = read_case("old_format.vek", ReadMode::load, std::move(into));
    EXPECT_EQ(r.result.format, ProjectFormat::old);
    ASSERT_TRUE(r.result.complete());
    EXPECT_EQ(r.stand, (StandSettings{4.5f, 2, 9, "moquette.jpg", "Ancien client", "Ancien stand"}));
    ASSERT_EQ(r.plan.nb_objets, 2);
    EXPECT_EQ(r.plan.obj_x[1], 110);
    EXPECT_EQ(r.plan.obj_y[1], 120);
    EXPECT_EQ(r.plan.obj_rot[1], 270);
    EXPECT_EQ(r.plan.comp(1), 10);
    EXPECT_EQ(r.plan.obj_hauteur[1], 200);
    EXPECT_EQ(r.plan.obj_elevation[1], 5);
    EXPECT_EQ(r.plan.obj_faces[1], 3);
    EXPECT_EQ(r.plan.obj_profondeur[1], 12);
    EXPECT_EQ(r.plan.obj_largeur[1], 90);
    EXPECT_EQ(r.plan.obj_texte[1], "Mur \xC3\xA9");
    EXPECT_EQ(r.plan.obj_visuel_recto[1], "r.jpg");
    EXPECT_EQ(r.plan.obj_visuel_verso[1], "v.jpg");
    EXPECT_EQ(r.plan.obj_annexe[1], "annexe");
    EXPECT_EQ(r.plan.obj_force_recto[1], "");
    EXPECT_EQ(r.plan.obj_force_verso[2], "");
    EXPECT_EQ(r.plan.obj_groupe[1], 0);
    EXPECT_EQ(r.plan.colours[1][0], ColourSlot{});
    EXPECT_EQ(r.plan.comp(2), 11);
}

TEST(ProjectReader, StandSizeOutsideTheDrawableRangeIsKeptWithANote)
{
    ReadCase r = read_case("stand_size_outside.qlm");
    EXPECT_TRUE(r.result.complete());
    EXPECT_FLOAT_EQ(r.stand.stand_largeur, 0.4f);
    EXPECT_EQ(r.stand.stand_profondeur, 61);
    ASSERT_EQ(r.result.notes.size(), 2u);
    EXPECT_EQ(r.result.notes[0].line, 2);
    EXPECT_EQ(r.result.notes[1].line, 3);
    EXPECT_EQ(r.result.notes[1].message,
              "a stand depth of 61 m is outside 0.5 to 60 m; it is kept as it is, though not every output can draw it");
    // Written back, nothing is lost.
    EXPECT_EQ(read_bytes_as(format_project(r.plan, r.stand)).stand, r.stand);

    // No stand has a size of zero, below it, or beyond every number: the default, and a failed read.
    for (const char* size : {"0", "-2", "1e999", "x"}) {
        auto lines = lines_of(format_project(PlanTable{}, {}));
        lines[2] = size;
        ReadCase bad = read_bytes_as(join_lines_crlf(lines));
        EXPECT_EQ(bad.stand.stand_profondeur, 3) << size;
        EXPECT_FALSE(bad.result.complete()) << size;
        ASSERT_EQ(bad.result.notes.size(), 1u) << size;
        EXPECT_EQ(bad.result.notes[0].line, 3);
    }

    // The bounds themselves are drawable.
    StandSettings stand;
    stand.stand_largeur = 0.5f;
    stand.stand_profondeur = 60;
    EXPECT_EQ(read_bytes_as(format_project(PlanTable{}, stand)).stand, stand);
}

TEST(ProjectReader, ObjectsBeyondTheCapacityAreRefusedNotWrittenPastTheTable)
{
    PlanTable source;
    for (int k = 0; k < 3; ++k)
        place(source, 10, float(k), 0);
    std::string three = format_project(source, {});

    ReadCase into;
    for (int k = 0; k < max_objects - 1; ++k)
        place(into.plan, 11, 0, 0);
    ReadCase r = read_bytes_as(three, ReadMode::import, std::move(into));
    EXPECT_EQ(r.plan.nb_objets, max_objects);
    EXPECT_EQ(r.result.objects_added, 1);
    EXPECT_TRUE(r.result.capacity_reached);
    EXPECT_FALSE(r.result.complete());
    EXPECT_FALSE(r.result.failure);
    ASSERT_EQ(r.result.notes.size(), 1u);
    EXPECT_EQ(r.result.notes[0].line, 1025 + 113 + 1);
    EXPECT_NE(r.result.notes[0].message.find("2550"), std::string::npos);
    EXPECT_EQ(r.result.notes[0].file, "memory.qlm");
}

TEST(ProjectReader, DamagedNumbersStayInsideTheirTypes)
{
    PlanTable source;
    place(source, 10, 0, 0);
    auto lines = lines_of(format_project(source, {}));
    lines[1025 + 0] = "1e300";     // x beyond a single
    lines[1025 + 2] = "-1e300";    // rotation
    lines[1025 + 6] = "99999999999"; // faces beyond an int
    lines[1025 + 15] = "-3";       // a group that cannot exist
    std::string bytes = join_lines_crlf(lines);
    ReadCase r = read_bytes_as(bytes);
    ASSERT_EQ(r.plan.nb_objets, 1);
    EXPECT_EQ(r.plan.obj_x[1], std::numeric_limits<float>::max());
    EXPECT_GE(r.plan.obj_rot[1], 0);
    EXPECT_LT(r.plan.obj_rot[1], 360);
    EXPECT_EQ(r.plan.obj_faces[1], std::numeric_limits<int>::max());
    EXPECT_EQ(r.plan.obj_groupe[1], 0);
}

TEST(ProjectReader, FormatIsTaggedOnTheFirstLine)
{
    EXPECT_EQ(detect_project_format("v1.1\r\n5"), ProjectFormat::v11);
    EXPECT_EQ(detect_project_format("v1.1"), ProjectFormat::v11);
    EXPECT_EQ(detect_project_format(" \"v1.1\" \n5"), ProjectFormat::v11);
    EXPECT_EQ(detect_project_format("5\r\nv1.1\r\n"), ProjectFormat::old);
    EXPECT_EQ(detect_project_format(""), ProjectFormat::old);

    // What is around the tag is not part of it.
    for (const char* first : {"\xEF\xBB\xBFv1.1\r\n", "v1.1\r\r\n", " v1.1 \n", "\"v1.1\"\n"})
        EXPECT_EQ(project_format_of(first, "f.qlm").value(), ProjectFormat::v11) << first;
    for (const char* first : {"5\r\n", " 4.5\r\n", "\"6\"\n", "\xEF\xBB\xBF" "3\n", "-1e2\n"})
        EXPECT_EQ(project_format_of(first, "f.qlm").value(), ProjectFormat::old) << first;
    // A tag we do not read, or a line that is neither a tag nor a stand width, is no design of ours.
    using namespace std::string_literals;
    for (const std::string& first : {"V1.1\r\n"s, "v1.2\r\n"s, "v1.10\r\n"s, "v1.1\0\r\n"s, "v2\n"s, "PK\x03\x04"s,
                                     "\r\n5\r\n"s, "5 m\n"s, ""s}) {
        auto format = project_format_of(first, "f.qlm");
        ASSERT_FALSE(format.ok()) << first;
        EXPECT_EQ(format.error().line, 1);
        EXPECT_EQ(format.error().message.rfind("unknown design format", 0), 0u) << format.error().message;
    }
}

// A reader that skips a record's always-empty lines would read every later object from the wrong
// lines when another program added or lost one (a text holding a line break).
TEST(ProjectReader, TextInTheAlwaysEmptyLinesIsADamagedFile)
{
    PlanTable source;
    for (int k = 0; k < 3; ++k)
        place(source, 10, float(k), 0);
    source.obj_texte[2] = "two lines";
    const auto lines = lines_of(format_project(source, {}));
    const int second = 1025 + 113; // index of the second record's first line

    auto added = lines;
    for (int k = 0; k < 8; ++k) // a text of nine lines
        added.insert(added.begin() + second + 9, "stray");
    ReadCase r = read_bytes_as(join_lines_crlf(added));
    EXPECT_EQ(r.plan.nb_objets, 1);
    ASSERT_TRUE(r.result.failure);
    EXPECT_EQ(r.result.failure->line, second + 16); // the group number's line holds a text
    EXPECT_NE(r.result.failure->message.find("damaged"), std::string::npos) << r.result.failure->message;

    auto lost = lines;
    lost.erase(lost.begin() + second + 3); // the component line: the next record starts a line early
    r = read_bytes_as(join_lines_crlf(lost));
    EXPECT_EQ(r.plan.nb_objets, 1);
    ASSERT_TRUE(r.result.failure);
    EXPECT_EQ(r.result.failure->line, second + 9); // the width's line holds the text, a line early

    // Lines 17..22 hold colours: what they hold is no damage.
    auto colours = lines;
    colours[size_t(second + 16)] = "255 0 0 0 0 0 1 1";
    colours[size_t(second + 21)] = "x";
    r = read_bytes_as(join_lines_crlf(colours));
    EXPECT_EQ(r.plan.nb_objets, 3);
    EXPECT_TRUE(r.result.complete());
}

// A text with a line break written by another program pushes every line behind it down by one to
// six lines, where the always-empty lines cannot show it: the record's number fields do. Each
// count and each text field, in a record within the file and in the last one.
TEST(ProjectReader, ARecordThatGainedLinesIsADamagedFile)
{
    PlanTable source;
    for (int k = 0; k < 26; ++k)
        place(source, 10, float(100 + 10 * k), 50);
    const auto lines = lines_of(format_project(source, {}));
    for (const int record : {5, 26})
        for (int field = 10; field <= 15; ++field)
            for (int extra = 1; extra <= 6; ++extra) {
                const int first = 1025 + (record - 1) * project_object_lines; // index of its first line
                auto gained = lines;
                for (int k = 0; k < extra; ++k)
                    gained.insert(gained.begin() + first + field, "more text");
                ReadCase r = read_bytes_as(join_lines_crlf(gained));
                const std::string what = "record " + std::to_string(record) + ", field " + std::to_string(field)
                                         + ", " + std::to_string(extra) + " lines";
                EXPECT_EQ(r.plan.nb_objets, record - 1) << what;
                ASSERT_TRUE(r.result.failure) << what;
                EXPECT_GT(r.result.failure->line, first) << what;
                EXPECT_LE(r.result.failure->line, first + project_object_fields) << what;
                EXPECT_NE(r.result.failure->message.find("should hold a number"), std::string::npos)
                    << r.result.failure->message;
            }
}
