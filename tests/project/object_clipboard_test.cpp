// Copied objects as text: every field but the group travels, the text of an earlier version still
// pastes (and ours reads there while no object has an end-code override), the text of another
// program or a damaged line is refused with the line named, and a paste that would overfill the
// table keeps what fits.

#include <gtest/gtest.h>

#include <algorithm>

#include "plan/plan_edit.h"
#include "project/object_clipboard.h"

using namespace halvern;

namespace {

constexpr int panel_100 = 1;

// A table of its own: the plan tests' helper of the same name is another table in this binary.
const ComponentTable& clipboard_components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        t[panel_100].name = "panel 100";
        t[panel_100].width = 100;
        t[panel_100].depth = 5;
        t[panel_100].height = 150;
        return t;
    }();
    return table;
}

int dressed_object(PlanTable& plan)
{
    const int i = *create_object(plan, clipboard_components(), panel_100, 312.5f, 140.25f);
    const size_t k = size_t(i);
    plan.obj_rot[k] = 270;
    plan.obj_hauteur[k] = 245.5f;
    plan.obj_elevation[k] = 12;
    plan.obj_faces[k] = 2;
    plan.obj_texte[k] = "Back\twall\\one\nline";
    plan.obj_visuel_verso[k] = "C:\\pics\\a b.jpg";
    plan.obj_annexe[k] = "note";
    plan.obj_force_recto[k] = "OC";
    plan.obj_groupe[k] = 7;
    ColourSlot slot;
    slot.couleur = {10, 20, 30};
    slot.transparence = 0.5f;
    slot.given = true;
    plan.colours[k][2] = slot;
    return i;
}

} // namespace

TEST(ObjectClipboard, EveryFieldButGroupTravels)
{
    PlanTable plan;
    const int i = dressed_object(plan);
    const std::string text = format_copied_objects(copy_objects(plan, {i}));
    Result<std::vector<CopiedObject>> parsed = parse_copied_objects(text);
    ASSERT_TRUE(parsed) << parsed.error().text();
    ASSERT_EQ(parsed->size(), 1u);

    std::string problem;
    Result<std::vector<int>> added = paste_objects(plan, clipboard_components(), *parsed, 10, -5, problem);
    ASSERT_TRUE(added) << added.error().text();
    ASSERT_EQ(*added, (std::vector<int>{2}));
    EXPECT_TRUE(problem.empty());
    EXPECT_FLOAT_EQ(plan.obj_x[2], 322.5f);
    EXPECT_FLOAT_EQ(plan.obj_y[2], 135.25f);
    EXPECT_EQ(plan.obj_rot[2], 270);
    EXPECT_EQ(plan.obj_comp[2], panel_100);
    EXPECT_EQ(plan.obj_hauteur[2], 245.5f);
    EXPECT_EQ(plan.obj_elevation[2], 12);
    EXPECT_EQ(plan.obj_faces[2], 2);
    EXPECT_EQ(plan.obj_largeur[2], plan.obj_largeur[1]);
    EXPECT_EQ(plan.obj_texte[2], "Back\twall\\one\nline");
    EXPECT_EQ(plan.obj_visuel_verso[2], "C:\\pics\\a b.jpg");
    EXPECT_EQ(plan.obj_annexe[2], "note");
    EXPECT_EQ(plan.colours[2][2], plan.colours[1][2]);
    EXPECT_FALSE(plan.colours[2][0].given);
    EXPECT_EQ(plan.obj_force_recto[2], "OC");
    EXPECT_EQ(plan.obj_force_verso[2], "");
    // A pasted object belongs to no group.
    EXPECT_EQ(plan.obj_groupe[2], 0);
}

TEST(ObjectClipboard, TextsOfEarlierVersionsPasteAndOursReadThereWithoutOverrides)
{
    // As an earlier version wrote it: no end-code overrides after the six colour slots.
    const std::string earlier = std::string(copied_objects_header) +
                                "\n12.5\t-3\t90\t1\t200\t0\t1\t5\t100\tsign\t\tv.jpg\tnote\t\t\t\t\t\t\n";
    Result<std::vector<CopiedObject>> read = parse_copied_objects(earlier);
    ASSERT_TRUE(read) << read.error().text();
    ASSERT_EQ(read->size(), 1u);
    EXPECT_EQ(read->front().obj_texte, "sign");
    EXPECT_EQ(read->front().obj_visuel_verso, "v.jpg");
    EXPECT_EQ(read->front().obj_force_recto, "");
    // The same object copied now is the same text, which earlier versions read.
    EXPECT_EQ(format_copied_objects(*read), earlier);

    PlanTable plan;
    const int i = dressed_object(plan);
    plan.obj_force_recto[size_t(i)] = "";
    const std::string text = format_copied_objects(copy_objects(plan, {i}));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 18) << text;
}

TEST(ObjectClipboard, ForeignOrDamagedTextIsRefusedNamingTheLine)
{
    EXPECT_FALSE(parse_copied_objects("Component list\t3\n"));
    EXPECT_FALSE(parse_copied_objects(""));
    PlanTable plan;
    const int i = dressed_object(plan);
    std::string text = format_copied_objects(copy_objects(plan, {i, i}));

    std::string short_line = text.substr(0, text.rfind('\t')) + "\n";
    Result<std::vector<CopiedObject>> cut = parse_copied_objects(short_line);
    ASSERT_FALSE(cut);
    EXPECT_NE(cut.error().message.find("line 3"), std::string::npos) << cut.error().message;

    std::string bad_number = text;
    bad_number.replace(bad_number.find("312.5"), 5, "3x2.5");
    Result<std::vector<CopiedObject>> nan = parse_copied_objects(bad_number);
    ASSERT_FALSE(nan);
    EXPECT_NE(nan.error().message.find("line 2"), std::string::npos) << nan.error().message;

    // Windows line ends, as another program may hand the text back.
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Result<std::vector<CopiedObject>> both = parse_copied_objects(crlf);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->size(), 2u);
}

TEST(ObjectClipboard, UnknownComponentsAddNothingAndAFullTableKeepsWhatFits)
{
    PlanTable plan;
    const int i = dressed_object(plan);
    std::vector<CopiedObject> copied = copy_objects(plan, {i});
    copied.front().obj_comp = 777; // not in the library
    std::string problem;
    EXPECT_FALSE(paste_objects(plan, clipboard_components(), copied, 0, 0, problem));
    EXPECT_EQ(plan.nb_objets, 1);

    copied = copy_objects(plan, {i, i, i});
    while (plan.nb_objets < max_objects - 1)
        ASSERT_TRUE(append_entry(plan));
    Result<std::vector<int>> added = paste_objects(plan, clipboard_components(), copied, 0, 0, problem);
    ASSERT_TRUE(added) << added.error().text();
    EXPECT_EQ(added->size(), 1u);
    EXPECT_EQ(plan.nb_objets, max_objects);
    EXPECT_FALSE(problem.empty());
}

TEST(ObjectClipboard, FocusWinsOverTheSelectionAndGroupsStayBehind)
{
    PlanTable plan;
    const int a = dressed_object(plan), b = dressed_object(plan);
    plan.index_focus = 0;
    ASSERT_TRUE(select_object(plan, b));
    ASSERT_TRUE(select_object(plan, a));
    EXPECT_EQ(focused_or_selected(plan), (std::vector<int>{b, a}));
    plan.index_focus = a;
    EXPECT_EQ(focused_or_selected(plan), (std::vector<int>{a}));
    const PlanPoint centre = copied_centre(copy_objects(plan, {a, b}));
    EXPECT_DOUBLE_EQ(centre.x, 312.5);
}
