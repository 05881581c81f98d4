#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <random>
#include <set>

#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "plan/plan_fixture.h"

using namespace halvern;
using namespace halvern::testing;

TEST(CreateObject, FollowsTheCreationRule)
{
    PlanTable plan;
    plan.hauteur_defaut = 240;
    plan.faces_defaut = 3;
    plan.nb_selection = 2;
    Result<int> built_in = create_object(plan, test_components(), panel_100, 300, 400);
    ASSERT_TRUE(built_in);
    EXPECT_EQ(*built_in, 1);
    EXPECT_EQ(plan.index_focus, 1);
    EXPECT_EQ(plan.nb_selection, 0);
    EXPECT_EQ(plan.obj_comp[1], panel_100);
    EXPECT_EQ(plan.obj_x[1], 300);
    EXPECT_EQ(plan.obj_y[1], 400);
    EXPECT_EQ(plan.obj_rot[1], 0);
    EXPECT_EQ(plan.obj_hauteur[1], 240); // built-in library: the default height
    EXPECT_EQ(plan.obj_faces[1], 3);
    EXPECT_EQ(plan.obj_largeur[1], 100);
    EXPECT_EQ(plan.obj_profondeur[1], 5);
    EXPECT_EQ(plan.obj_estompe[1], -1);

    Result<int> other = create_object(plan, test_components(), shelf_80);
    ASSERT_TRUE(other);
    EXPECT_EQ(plan.obj_hauteur[2], 150); // another library: the component's own height
    EXPECT_EQ(plan.obj_elevation[2], 10);
    EXPECT_EQ(plan.index_focus, 2);

    EXPECT_FALSE(create_object(plan, test_components(), max_component + 1));
    EXPECT_EQ(plan.nb_objets, 2);
}

TEST(CopyObject, CopiesTheShapeButNotTheIdentity)
{
    PlanTable plan;
    const int g = place_group(plan);
    const int f = place(plan, panel_100, 10, 20, 45);
    plan.obj_hauteur[2] = 111;
    plan.obj_elevation[2] = 12;
    plan.obj_faces[2] = 2;
    plan.obj_visuel_recto[2] = "a.jpg";
    plan.obj_texte[2] = "label";
    plan.obj_force_recto[2] = "RR";
    plan.obj_groupe[2] = g;
    plan.colours[2][0].couleur = {1, 2, 3};
    plan.index_focus = f;

    Result<int> copy = copy_object(plan, 70, 80);
    ASSERT_TRUE(copy);
    const size_t c = size_t(*copy);
    EXPECT_EQ(plan.index_focus, 3);
    EXPECT_EQ(plan.obj_x[c], 70);
    EXPECT_EQ(plan.obj_rot[c], 45);
    EXPECT_EQ(plan.obj_hauteur[c], 111);
    EXPECT_EQ(plan.obj_elevation[c], 12);
    EXPECT_EQ(plan.obj_faces[c], 2);
    EXPECT_EQ(plan.obj_visuel_recto[c], "a.jpg");
    EXPECT_EQ(plan.obj_annexe[c], "#2");
    EXPECT_EQ(plan.obj_texte[c], "");
    EXPECT_EQ(plan.obj_force_recto[c], "");
    EXPECT_EQ(plan.obj_groupe[c], 0);
    EXPECT_EQ(plan.colours[c][0], ColourSlot{});

    plan.index_focus = 0;
    EXPECT_FALSE(copy_object(plan, 0, 0));
}

TEST(DeleteObject, LastObjectOnlyShortensTheTable)
{
    PlanTable plan;
    place(plan, panel_100, 1, 1, 0);
    place(plan, panel_50, 2, 2, 0, "last");
    plan.obj_texte[2] = "old text";
    plan.obj_groupe[2] = 7;
    plan.colours[2][3].brillance = 0.25f;
    ASSERT_TRUE(delete_object(plan, 2));
    EXPECT_EQ(plan.nb_objets, 1);
    EXPECT_EQ(plan.obj_annexe[2], "last"); // the entry past the end keeps its values
    EXPECT_EQ(plan.obj_texte[2], "old text");

    // A new object never inherits what the reused entry held.
    plan.index_focus = 1;
    Result<int> appended = append_object(plan, test_components(), panel_50, 0);
    ASSERT_TRUE(appended);
    ASSERT_EQ(*appended, 2);
    EXPECT_EQ(plan.obj_texte[2], "");
    EXPECT_EQ(plan.obj_annexe[2], "");
    EXPECT_EQ(plan.obj_groupe[2], 0);
    EXPECT_EQ(plan.colours[2][3], ColourSlot{});

    EXPECT_FALSE(delete_object(plan, 0));
    EXPECT_FALSE(delete_object(plan, 3));
    EXPECT_EQ(plan.nb_objets, 2);
}

TEST(DeleteObject, ShiftsEveryFieldAndRenumbersGroupsBehind)
{
    PlanTable plan;
    place(plan, panel_100, 1, 1, 0, "a");
    place(plan, panel_100, 2, 2, 0, "victim");
    const int g = place_group(plan, "group");
    place(plan, panel_50, 4, 4, 90, "m1");
    place(plan, panel_50, 5, 5, 0, "m2");
    plan.obj_groupe[4] = g;
    plan.obj_groupe[5] = g;
    plan.obj_texte[4] = "text of m1";
    plan.obj_force_verso[5] = "CR";
    plan.colours[5][1].couleur = {9, 8, 7};
    plan.colours[2][1].couleur = {1, 1, 1};

    ASSERT_TRUE(delete_object(plan, 2));
    EXPECT_EQ(tags(plan), "a group m1 m2");
    EXPECT_EQ(plan.obj_groupe[3], 2); // the group object moved to 2 and keeps its members
    EXPECT_EQ(plan.obj_groupe[4], 2);
    EXPECT_EQ(plan.obj_rot[3], 90);
    EXPECT_EQ(plan.obj_texte[3], "text of m1");
    EXPECT_EQ(plan.obj_force_verso[4], "CR");
    EXPECT_EQ((plan.colours[4][1].couleur), (Rgb{9, 8, 7})); // colours follow their object
    EXPECT_EQ(plan.colours[1][1], ColourSlot{});
}

TEST(DeleteObject, GroupObjectReleasesItsMembers)
{
    PlanTable plan;
    const int g1 = place_group(plan, "g1");
    const int g2 = place_group(plan, "g2");
    place(plan, panel_100, 0, 0, 0, "in g1");
    place(plan, panel_100, 0, 0, 0, "in g2");
    plan.obj_groupe[3] = g1;
    plan.obj_groupe[4] = g2;
    ASSERT_TRUE(delete_object(plan, g1));
    EXPECT_EQ(tags(plan), "g2 in g1 in g2");
    EXPECT_EQ(plan.obj_groupe[2], 0); // not decremented onto g2
    EXPECT_EQ(plan.obj_groupe[3], 1);
}

TEST(DeleteObject, LastMemberTakesItsGroupAlong)
{
    PlanTable plan;
    const int g = place_group(plan, "g");
    place(plan, panel_100, 0, 0, 0, "only member");
    const int h = place_group(plan, "h");
    place(plan, panel_100, 0, 0, 0, "member of h");
    plan.obj_groupe[2] = g;
    plan.obj_groupe[4] = h;
    ASSERT_TRUE(delete_object(plan, 2));
    EXPECT_EQ(tags(plan), "h member of h");
    EXPECT_EQ(plan.obj_groupe[2], 1);
}

TEST(DeleteObject, FocusAndSelectionFollowTheRenumbering)
{
    PlanTable plan;
    for (int i = 0; i < 6; ++i)
        place(plan, panel_100, 0, 0, 0);
    plan.index_focus = 5;
    plan.focus = true;
    plan.nb_selection = 3;
    plan.selection[1] = 1;
    plan.selection[2] = 3;
    plan.selection[3] = 6;
    delete_object(plan, 3);
    EXPECT_EQ(plan.index_focus, 4);
    EXPECT_TRUE(plan.focus);
    ASSERT_EQ(plan.nb_selection, 2);
    EXPECT_EQ(plan.selection[1], 1);
    EXPECT_EQ(plan.selection[2], 5);

    delete_object(plan, 4);
    EXPECT_EQ(plan.index_focus, 0);
    EXPECT_FALSE(plan.focus);
}

// Whatever is deleted, every reference that survives names the object it named before.
TEST(DeleteObject, NoReferenceEverNamesAnotherObject)
{
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        PlanTable plan;
        const int n = 3 + int(random() % 30);
        for (int i = 1; i <= n; ++i) {
            if (random() % 5 == 0)
                place_group(plan);
            else
                place(plan, panel_100, 0, 0, 0);
        }
        std::vector<int> groups;
        for (int i = 1; i <= n; ++i)
            if (plan.is_group(i))
                groups.push_back(i);
        for (int i = 1; i <= n; ++i)
            if (!plan.is_group(i) && !groups.empty() && random() % 2)
                plan.obj_groupe[size_t(i)] = groups[random() % groups.size()];
        plan.index_focus = int(random() % size_t(n + 1));
        for (int i = 1; i <= n; ++i) {
            if (random() % 4 == 0) {
                ASSERT_TRUE(select_object(plan, i));
            }
        }

        auto tag = [&](int i) { return i == 0 ? std::string() : plan.obj_annexe[size_t(i)]; };
        std::map<std::string, std::string> group_before;
        for (int i = 1; i <= n; ++i)
            group_before[tag(i)] = tag(plan.obj_groupe[size_t(i)]);
        const std::string focus_before = tag(plan.index_focus);
        std::vector<std::string> selection_before;
        for (int s = 1; s <= plan.nb_selection; ++s)
            selection_before.push_back(tag(plan.selection[size_t(s)]));

        const int k = 1 + int(random() % size_t(n));
        const std::string victim = tag(k);
        ASSERT_TRUE(delete_object(plan, k));

        // Only the victim goes, and its group when the victim was its last member.
        std::set<std::string> survivors;
        for (int i = 1; i <= plan.nb_objets; ++i)
            survivors.insert(tag(i));
        const std::string victim_group = group_before[victim];
        bool group_had_others = false;
        for (auto& [object, group] : group_before)
            group_had_others = group_had_others || (group == victim_group && object != victim);
        const size_t expected_count = size_t(n) - (victim_group.empty() || group_had_others ? 1 : 2);
        EXPECT_EQ(survivors.size(), expected_count) << "round " << round;
        EXPECT_EQ(survivors.count(victim), 0u);

        auto same_or_gone = [&](const std::string& now, const std::string& was) {
            return now == was || (now.empty() && survivors.count(was) == 0);
        };
        for (int i = 1; i <= plan.nb_objets; ++i)
            EXPECT_TRUE(same_or_gone(tag(plan.obj_groupe[size_t(i)]), group_before[tag(i)])) << "round " << round;
        EXPECT_TRUE(same_or_gone(tag(plan.index_focus), focus_before)) << "round " << round;
        size_t s_before = 0;
        for (int s = 1; s <= plan.nb_selection; ++s) {
            while (s_before < selection_before.size() && selection_before[s_before] != tag(plan.selection[size_t(s)]))
                ++s_before; // only entries that went may be missing
            ASSERT_LT(s_before, selection_before.size()) << "round " << round;
            ++s_before;
        }
    }
}

TEST(DeleteMarked, RemovesExactlyTheMarkedObjects)
{
    PlanTable plan;
    for (const char* t : {"a", "b", "c", "d", "e", "f", "g"})
        place(plan, panel_100, 0, 0, 0, t);
    for (int i : {2, 3, 4, 7}) // neighbours marked together, and the last object
        plan.obj_comp[size_t(i)] = float(marked_for_deletion);
    delete_marked(plan);
    EXPECT_EQ(tags(plan), "a e f");
}

TEST(DeleteMarked, WalkCatchesObjectsMovedByAGroupPurge)
{
    PlanTable plan;
    const int g = place_group(plan, "g");
    place(plan, panel_100, 0, 0, 0, "keep");
    place(plan, panel_100, 0, 0, 0, "only member");
    place(plan, panel_100, 0, 0, 0, "x");
    place(plan, panel_100, 0, 0, 0, "y");
    plan.obj_groupe[3] = g;
    for (int i : {3, 4, 5})
        plan.obj_comp[size_t(i)] = float(marked_for_deletion);
    delete_marked(plan);
    EXPECT_EQ(tags(plan), "keep");
}

TEST(PurgeGroups, RemovesOnlyGroupsWithoutMembers)
{
    PlanTable plan;
    place_group(plan, "empty 1");
    place_group(plan, "empty 2");
    const int kept = place_group(plan, "kept");
    place(plan, panel_100, 0, 0, 0, "member");
    place_group(plan, "empty 3");
    plan.obj_groupe[4] = kept;
    purge_groups(plan);
    EXPECT_EQ(tags(plan), "kept member");
    EXPECT_EQ(plan.obj_groupe[2], 1);
}

TEST(DeleteKey, FocusAndSelectionDeleteWhatTheUserChose)
{
    PlanTable plan;
    for (const char* t : {"a", "b", "c", "d", "e", "f"})
        place(plan, panel_100, 0, 0, 0, t);
    plan.index_focus = 2;
    ASSERT_TRUE(select_object(plan, 4));
    ASSERT_TRUE(select_object(plan, 5));
    EXPECT_TRUE(delete_focused_and_selected(plan));
    EXPECT_EQ(tags(plan), "a c f");
    EXPECT_EQ(plan.index_focus, 0);
    EXPECT_EQ(plan.nb_selection, 0);

    plan.index_focus = 3;
    EXPECT_TRUE(delete_focused_and_selected(plan));
    EXPECT_EQ(tags(plan), "a c");

    ASSERT_TRUE(select_object(plan, 1));
    EXPECT_TRUE(delete_focused_and_selected(plan));
    EXPECT_EQ(tags(plan), "c");

    EXPECT_FALSE(delete_focused_and_selected(plan));
    EXPECT_EQ(tags(plan), "c");
}

TEST(Capacity, FullTableRefusesEveryAppend)
{
    PlanTable plan;
    for (int i = 0; i < max_objects; ++i)
        ASSERT_TRUE(append_entry(plan));
    plan.obj_comp[1] = panel_100;
    plan.index_focus = 1;

    Result<int> entry = append_entry(plan);
    ASSERT_FALSE(entry);
    EXPECT_NE(entry.error().message.find("2550"), std::string::npos);
    EXPECT_FALSE(create_object(plan, test_components(), panel_100));
    EXPECT_FALSE(copy_object(plan, 0, 0));
    EXPECT_FALSE(append_object(plan, test_components(), panel_100, 0));
    EXPECT_EQ(plan.nb_objets, max_objects);
    EXPECT_EQ(plan.index_focus, 1);
}

TEST(Capacity, SelectionHoldsAHundred)
{
    PlanTable plan;
    for (int i = 0; i < max_selection + 1; ++i)
        place(plan, panel_100, 0, 0, 0);
    for (int i = 1; i <= max_selection; ++i)
        ASSERT_TRUE(select_object(plan, i));
    EXPECT_TRUE(select_object(plan, 1)); // already selected: nothing to add
    Result<void> refused = select_object(plan, max_selection + 1);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("100"), std::string::npos);
    EXPECT_EQ(plan.nb_selection, max_selection);
    EXPECT_FALSE(select_object(plan, 0));
    EXPECT_FALSE(select_object(plan, max_selection + 2));
}

namespace {

struct AppendCase {
    int focus_comp;
    int new_comp;
    int p;
    float expected_rot; // with the focused object at 40 degrees
};

} // namespace

TEST(AppendObject, AnglesByStyleAndTheNewObjectTouchesEndTwo)
{
    const AppendCase cases[] = {
        {panel_100, panel_50, 0, 10},    // style 0 after style 0: -30
        {panel_100, panel_50, 1, -80},   // -120
        {profile_40, panel_50, 0, 25},   // style 0 after style 1: 15 back
        {profile_40, panel_50, 1, -65},
        {profile_40, profile_40, 0, 40}, // style 1 after style 1: straight on
        {profile_40, profile_40, 1, -50},
        {panel_100, profile_40, 0, 25},  // style 1 after style 0: -15
        {panel_100, profile_40, 1, -65},
    };
    for (const AppendCase& c : cases) {
        PlanTable plan;
        plan.hauteur_defaut = 200;
        plan.faces_defaut = 2;
        place(plan, c.focus_comp, 500, 300, 40);
        plan.index_focus = 1;
        Result<int> appended = append_object(plan, test_components(), c.new_comp, c.p);
        ASSERT_TRUE(appended);
        ASSERT_EQ(*appended, 2);
        EXPECT_FLOAT_EQ(plan.obj_rot[2], c.expected_rot) << c.focus_comp << " " << c.new_comp << " " << c.p;
        EXPECT_EQ(plan.index_focus, 2);
        EXPECT_EQ(plan.obj_comp[2], c.new_comp);
        EXPECT_EQ(plan.obj_hauteur[2], 200);
        EXPECT_EQ(plan.obj_faces[2], 2);
        EXPECT_EQ(plan.obj_largeur[2], test_components()[c.new_comp].width);
        const PlanPoint joint = end_point(plan, test_components(), 1, 2);
        const PlanPoint start = end_point(plan, test_components(), 2, 1);
        EXPECT_NEAR(joint.x, start.x, 1e-3);
        EXPECT_NEAR(joint.y, start.y, 1e-3);
    }
}

TEST(AppendObject, NothingWithoutFocusOrRule)
{
    PlanTable plan;
    place(plan, panel_100, 0, 0, 0);
    Result<int> none = append_object(plan, test_components(), panel_50, 0);
    ASSERT_TRUE(none);
    EXPECT_EQ(*none, 0);
    plan.index_focus = 1;
    Result<int> odd = append_object(plan, test_components(), odd_style, 0);
    ASSERT_TRUE(odd);
    EXPECT_EQ(*odd, 0);
    EXPECT_EQ(plan.nb_objets, 1);
    EXPECT_EQ(plan.index_focus, 1);
}

TEST(LoadedRotation, WholeDegreesInRange)
{
    EXPECT_EQ(normalize_loaded_rotation(-90), 270);
    EXPECT_EQ(normalize_loaded_rotation(-90.4f), 270);
    EXPECT_EQ(normalize_loaded_rotation(359.6f), 0);
    EXPECT_EQ(normalize_loaded_rotation(45.5f), 46);
    EXPECT_EQ(normalize_loaded_rotation(-90.5f), 270); // rounded after adding 3600, as written
    EXPECT_EQ(normalize_loaded_rotation(725), 5);
    EXPECT_EQ(normalize_loaded_rotation(-3700), 260);
    EXPECT_EQ(normalize_loaded_rotation(std::numeric_limits<float>::quiet_NaN()), 0);
    const float huge = normalize_loaded_rotation(1e30f);
    EXPECT_TRUE(huge >= 0 && huge < 360);
}
