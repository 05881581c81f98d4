// Hidden design-check findings in design files: header line 8.

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "plan/hidden_findings.h"
#include "project/project_writer.h"
#include "project_cases.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

ReadCase read_text(const std::string& bytes, ReadMode mode = ReadMode::load, ReadCase into = {})
{
    into.result = read_project_text(bytes, "hidden.qlm", detect_project_format(bytes), mode, test_components(),
                                    into.plan, into.stand);
    return into;
}

void hide(PlanTable& plan, CheckKind kind, int object, int end)
{
    Finding f;
    f.kind = kind, f.object = object, f.end = end;
    set_hidden(plan, f, true);
}

PlanTable design_with_hidden()
{
    PlanTable plan;
    place(plan, 10, 100, 100);
    place(plan, 11, 200, 100);
    place(plan, 12, 300, 100);
    hide(plan, CheckKind::overlap, 1, 0);
    hide(plan, CheckKind::joint_angle, 3, 2);
    return plan;
}

std::string with_line(std::string bytes, size_t index, const std::string& line)
{
    auto lines = split_lines(bytes);
    lines[index] = line;
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

TEST(HiddenFindingsInFiles, WrittenOnLineEightAndReadBack)
{
    const std::string bytes = format_project(design_with_hidden(), StandSettings{});
    const auto lines = split_lines(bytes);
    ASSERT_EQ(lines.size(), 1025u + 3 * 113u); // the header keeps its length
    EXPECT_EQ(lines[7], "hide:overlap/1/0;angle/3/2");
    EXPECT_EQ(lines[8], "0");
    EXPECT_EQ(split_lines(format_project(PlanTable{}, StandSettings{}))[7], "0");

    ReadCase back = read_text(bytes);
    EXPECT_TRUE(back.result.complete());
    EXPECT_TRUE(back.result.notes.empty());
    EXPECT_EQ(hidden_findings(back.plan), hidden_findings(design_with_hidden()));
}

TEST(HiddenFindingsInFiles, FollowTheirObjectsWhenObjectsAreDroppedOrImported)
{
    std::string bytes = format_project(design_with_hidden(), StandSettings{});
    // The first object's component is not in the library: it is dropped, and with it its finding.
    bytes = with_line(bytes, 1025 + 3, "77");
    ReadCase dropped = read_text(bytes);
    EXPECT_EQ(dropped.result.dropped, 1);
    EXPECT_EQ(hidden_findings(dropped.plan), (std::vector<HiddenFinding>{{CheckKind::joint_angle, 2, 2}}));

    // An import appends behind the objects already there.
    ReadCase into;
    place(into.plan, 10, 0, 0);
    ReadCase imported = read_text(format_project(design_with_hidden(), StandSettings{}), ReadMode::import, into);
    EXPECT_EQ(hidden_findings(imported.plan),
              (std::vector<HiddenFinding>{{CheckKind::overlap, 2, 0}, {CheckKind::joint_angle, 4, 2}}));
}

TEST(HiddenFindingsInFiles, AnythingElseOnTheLineIsNotedAndSkipped)
{
    for (const char* line : {"5", "hide:overlap/1", "hide:nonsense/1/0"}) {
        ReadCase r = read_text(with_line(format_project(design_with_hidden(), StandSettings{}), 7, line));
        EXPECT_EQ(r.plan.nb_objets, 3) << line;
        EXPECT_TRUE(hidden_findings(r.plan).empty()) << line;
        ASSERT_EQ(r.result.notes.size(), 1u) << line;
        EXPECT_EQ(r.result.notes[0].line, 8);
        EXPECT_FALSE(r.result.failure);
    }
    // A finding on a record the file does not hold is dropped quietly.
    ReadCase r = read_text(with_line(format_project(design_with_hidden(), StandSettings{}), 7, "hide:overlap/9/0"));
    EXPECT_TRUE(hidden_findings(r.plan).empty());
    EXPECT_TRUE(r.result.notes.empty());
}

TEST(HiddenFindingsInFiles, OneBadEntryIsNamedAndTheOthersSurviveARewrite)
{
    const std::string bytes = with_line(format_project(design_with_hidden(), StandSettings{}), 7,
                                        "hide:overlap/1/0;overlap/x/0;angle/3/2");
    ReadCase r = read_text(bytes);
    EXPECT_EQ(hidden_findings(r.plan), hidden_findings(design_with_hidden()));
    ASSERT_EQ(r.result.notes.size(), 1u);
    EXPECT_EQ(r.result.notes[0].line, 8);
    EXPECT_NE(r.result.notes[0].message.find("\"overlap/x/0\""), std::string::npos) << r.result.notes[0].message;
    EXPECT_FALSE(r.result.failure);
    EXPECT_EQ(split_lines(format_project(r.plan, r.stand))[7], "hide:overlap/1/0;angle/3/2");
}
