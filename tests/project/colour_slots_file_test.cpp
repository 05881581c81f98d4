// Colour slots in design files: the first six reserved lines of each object record.

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "project/colour_slot_line.h"
#include "project/project_writer.h"
#include "project_cases.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

ColourSlot given(Rgb c, Rgb s, float shine, float transparency)
{
    ColourSlot slot{c, s, transparency, shine};
    slot.given = true;
    return slot;
}

ReadCase read_text(const std::string& bytes, ReadMode mode = ReadMode::load, ReadCase into = {})
{
    into.result = read_project_text(bytes, "colours.qlm", detect_project_format(bytes), mode, test_components(),
                                    into.plan, into.stand);
    return into;
}

PlanTable coloured_design()
{
    PlanTable plan;
    place(plan, 10, 100, 100);
    place(plan, 11, 200, 100);
    plan.colours[1][0] = given({200, 10, 10}, {1, 2, 3}, 0.3f, 0);
    plan.colours[1][5] = given({0, 0, 0}, {255, 255, 255}, 1, 0.7f);
    plan.colours[2][3] = given({255, 255, 255}, {255, 255, 255}, 1, 1); // given, though equal to the defaults
    plan.colours[2][8].couleur = {9, 9, 9}; // beyond the slots a file keeps
    plan.colours[2][8].given = true;
    return plan;
}

} // namespace

TEST(ColourSlotsInFiles, WrittenIntoTheReservedLinesKeepingTheRecordLength)
{
    const std::string bytes = format_project(coloured_design(), StandSettings{});
    const auto lines = split_lines(bytes);
    ASSERT_EQ(lines.size(), 1025u + 2 * 113u);
    const size_t first = 1025, second = 1025 + 113;
    EXPECT_EQ(lines[first + 16], "200 10 10 1 2 3 0.3 0"); // line 17: slot 0
    for (size_t k = first + 17; k < first + 21; ++k)
        EXPECT_EQ(lines[k], "");
    EXPECT_EQ(lines[first + 21], "0 0 0 255 255 255 1 0.7"); // line 22: slot 5
    EXPECT_EQ(lines[second + 19], "255 255 255 255 255 255 1 1");
    // Lines 23..113 stay empty: a reader that skips the reserved lines reads the same objects.
    for (size_t k : {first, second})
        for (size_t line = 22; line < 113; ++line)
            ASSERT_EQ(lines[k + line], "") << "record line " << line + 1;
}

TEST(ColourSlotsInFiles, SurviveLoadAndImportNotTheOldFormat)
{
    const PlanTable plan = coloured_design();
    const std::string bytes = format_project(plan, StandSettings{});
    ReadCase loaded = read_text(bytes);
    ASSERT_TRUE(loaded.result.complete());
    ASSERT_TRUE(loaded.result.notes.empty());
    for (int n = 1; n <= 2; ++n)
        for (int slot = 0; slot < stored_colour_slots; ++slot)
            EXPECT_EQ(loaded.plan.colours[size_t(n)][size_t(slot)], plan.colours[size_t(n)][size_t(slot)])
                << n << ' ' << slot;
    EXPECT_FALSE(loaded.plan.colours[2][8].given);

    ReadCase into;
    place(into.plan, 12, 0, 0);
    ReadCase imported = read_text(bytes, ReadMode::import, std::move(into));
    ASSERT_EQ(imported.plan.nb_objets, 3);
    EXPECT_EQ(imported.plan.colours[2][0], plan.colours[1][0]);
    EXPECT_EQ(imported.plan.colours[3][3], plan.colours[2][3]);
    EXPECT_FALSE(imported.plan.colours[1][0].given);

    // Written again, the same file.
    EXPECT_EQ(format_project(loaded.plan, loaded.stand), bytes);
}

TEST(ColourSlotsInFiles, ADamagedSlotLineIsNotGivenAndNamed)
{
    std::string bytes = format_project(coloured_design(), StandSettings{});
    auto lines = split_lines(bytes);
    lines[1025 + 16] = "200 10 10";             // slot 0: too few numbers
    lines[1025 + 17] = "256 0 0 0 0 0 0.5 0.5"; // slot 1: out of range
    lines[1025 + 18] = "1 2 3 4 5 6 0.5 x";     // slot 2: not a number
    std::string damaged;
    for (const std::string& line : lines)
        damaged += line + "\r\n";
    ReadCase r = read_text(damaged);
    ASSERT_TRUE(r.result.complete());
    ASSERT_EQ(r.plan.nb_objets, 2);
    ASSERT_EQ(r.result.notes.size(), 3u);
    EXPECT_EQ(r.result.notes[0].line, 1025 + 17);
    EXPECT_EQ(r.result.notes[2].line, 1025 + 19);
    EXPECT_NE(r.result.notes[0].text().find("colours.qlm"), std::string::npos);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(r.plan.colours[1][size_t(slot)], ColourSlot{});
    EXPECT_TRUE(r.plan.colours[1][5].given);
}

TEST(ColourSlotsInFiles, SlotLineRules)
{
    std::string problem;
    EXPECT_FALSE(parse_colour_slot("  ", problem));
    EXPECT_TRUE(problem.empty());
    auto slot = parse_colour_slot(" 1 2 3  4 5 6 0 1 ", problem);
    ASSERT_TRUE(slot);
    EXPECT_EQ(slot->speculaire, (Rgb{4, 5, 6}));
    EXPECT_EQ(slot->transparence, 1.0f);
    for (const char* bad : {"1 2 3 4 5 6 0 1 9", "1.5 2 3 4 5 6 0 1", "-1 2 3 4 5 6 0 1", "1 2 3 4 5 6 1.01 0"}) {
        EXPECT_FALSE(parse_colour_slot(bad, problem)) << bad;
        EXPECT_FALSE(problem.empty()) << bad;
    }
}
