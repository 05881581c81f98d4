// What the two kinds of copy keep is the field table's two columns: every field of an object that
// differs from a new entry's is checked on the Alt-drag copy, on a duplicate and on a paste through
// the clipboard's text, so that a field the table gives to a copy but the copy forgets (or the
// reverse) fails here.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "plan/plan_edit.h"
#include "project/object_clipboard.h"

using namespace halvern;

namespace {

constexpr int panel = 4;

const ComponentTable& copy_components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        t[panel].name = "panel";
        t[panel].width = 100;
        return t;
    }();
    return table;
}

// An object whose every field differs from what a new entry holds.
int object_unlike_a_new_one(PlanTable& plan)
{
    const size_t k = size_t(*append_entry(plan));
    int n = 0;
    for_each_copy_rule(plan, [&](std::string_view, CopyRule, CopyRule, auto& array) {
        using T = field_value_t<std::remove_reference_t<decltype(array)>>;
        ++n;
        if constexpr (std::is_same_v<T, std::string>) {
            array[k] = "field " + std::to_string(n);
        } else if constexpr (std::is_same_v<T, ObjectColours>) {
            array[k][1].couleur = {std::uint8_t(n), 2, 3};
            array[k][1].given = true;
        } else {
            array[k] = T(n + 20);
        }
    });
    plan.obj_comp[k] = panel;
    plan.obj_faces[k] = 2;
    plan.obj_estompe[k] = 0; // faded
    return int(k);
}

enum class Copy { alt_drag, duplicate, through_text };

// Checks each field of `copy` against the original `from` as the column for that kind of copy says;
// `placed_at` is where the Alt-drag copy was put, `shift` how far a paste moved the copy.
void expect_columns_followed(const PlanTable& plan, int from, int copy, Copy kind, float placed_at, float shift)
{
    PlanTable blank;
    const size_t fresh = size_t(*append_entry(blank));
    const size_t k = size_t(from), c = size_t(copy);
    auto blank_arrays = [&] {
        std::vector<const void*> arrays;
        for_each_copy_rule(blank, [&](std::string_view, CopyRule, CopyRule, const auto& a) { arrays.push_back(&a); });
        return arrays;
    }();
    size_t field = 0;
    for_each_copy_rule(plan, [&](std::string_view name, CopyRule alt_drag, CopyRule clipboard, const auto& array) {
        using Array = std::remove_cvref_t<decltype(array)>;
        const Array& blank_array = *static_cast<const Array*>(blank_arrays[field++]);
        const CopyRule rule = kind == Copy::alt_drag ? alt_drag : clipboard;
        SCOPED_TRACE(std::string(name) + " in copy kind " + std::to_string(int(kind)));
        if (rule == CopyRule::fresh) {
            EXPECT_EQ(array[c], blank_array[fresh]);
        } else if constexpr (std::is_same_v<field_value_t<Array>, float>) {
            const bool position = name == "obj_x" || name == "obj_y";
            if (rule == CopyRule::placed) {
                EXPECT_TRUE(position) << "only the position is placed by a copy";
                EXPECT_EQ(array[c], placed_at);
            } else {
                EXPECT_EQ(array[c], array[k] + (name == "obj_x" ? shift : 0.0f));
            }
        } else {
            EXPECT_NE(rule, CopyRule::placed) << "only the position is placed by a copy";
            EXPECT_EQ(array[c], array[k]);
        }
    });
}

} // namespace

TEST(CopyRules, EachCopyKeepsWhatItsColumnSays)
{
    PlanTable plan;
    const int original = object_unlike_a_new_one(plan);

    plan.index_focus = original;
    Result<int> alt = copy_object(plan, 70, 70);
    ASSERT_TRUE(alt) << alt.error().text();
    expect_columns_followed(plan, original, *alt, Copy::alt_drag, 70, 0);

    std::string problem;
    Result<std::vector<int>> duplicate =
        paste_objects(plan, copy_components(), copy_objects(plan, {original}), 10, 0, problem);
    ASSERT_TRUE(duplicate) << duplicate.error().text();
    expect_columns_followed(plan, original, duplicate->front(), Copy::duplicate, 0, 10);

    Result<std::vector<CopiedObject>> read = parse_copied_objects(format_copied_objects(copy_objects(plan, {original})));
    ASSERT_TRUE(read) << read.error().text();
    Result<std::vector<int>> pasted = paste_objects(plan, copy_components(), *read, 0, 0, problem);
    ASSERT_TRUE(pasted) << pasted.error().text();
    expect_columns_followed(plan, original, pasted->front(), Copy::through_text, 0, 0);
}

// The Alt-drag copy keeps the shape, the faces and their pictures but neither texts nor colours;
// the clipboard keeps everything the user made but the group. Display state and the findings a user
// hid where the original stands stay behind with both.
TEST(CopyRules, TheColumnsHoldTheDecidedRules)
{
    std::vector<std::string> alt_keeps, clipboard_leaves;
    PlanTable plan;
    for_each_copy_rule(plan, [&](std::string_view name, CopyRule alt_drag, CopyRule clipboard, const auto&) {
        if (alt_drag == CopyRule::keep)
            alt_keeps.emplace_back(name);
        if (clipboard != CopyRule::keep)
            clipboard_leaves.emplace_back(name);
    });
    EXPECT_EQ(alt_keeps, (std::vector<std::string>{"obj_rot", "obj_comp", "obj_hauteur", "obj_elevation", "obj_faces",
                                                   "obj_profondeur", "obj_largeur", "obj_visuel_recto",
                                                   "obj_visuel_verso", "obj_annexe", "obj_estompe"}));
    EXPECT_EQ(clipboard_leaves,
              (std::vector<std::string>{"obj_groupe", "obj_checks_hidden", "obj_estompe", "obj_ilot"}));
}
