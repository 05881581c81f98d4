#include <gtest/gtest.h>

#include "plan/groups.h"
#include "plan/plan_edit.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

void select(PlanTable& plan, std::initializer_list<int> objects)
{
    clear_selection(plan);
    for (int i : objects)
        ASSERT_TRUE(select_object(plan, i).ok());
}

int members(const PlanTable& plan, int g)
{
    int n = 0;
    for (int i = 1; i <= plan.nb_objets; ++i)
        n += plan.obj_groupe[size_t(i)] == g;
    return n;
}

} // namespace

TEST(Groups, EmptySelectionLeavesTheTableAsItWas)
{
    PlanTable plan;
    place(plan, 3, 100, 100);
    Result<int> g = group_selection(plan);
    ASSERT_TRUE(g.ok());
    EXPECT_EQ(*g, 0);
    EXPECT_EQ(plan.nb_objets, 1);
}

TEST(Groups, OnlyFreeObjectsJoinTheNewGroup)
{
    PlanTable plan;
    for (int k = 0; k < 3; ++k)
        place(plan, 3, 100.0f * float(k), 100);
    select(plan, {1});
    int first = *group_selection(plan);
    EXPECT_EQ(first, 4);
    select(plan, {1, 2, 3});
    int second = *group_selection(plan);
    EXPECT_EQ(second, 5);
    EXPECT_EQ(plan.obj_groupe[1], first);
    EXPECT_EQ(plan.obj_groupe[2], second);
    EXPECT_EQ(plan.obj_groupe[3], second);
    EXPECT_EQ(plan.comp(second), group_component);

    // Objects that are all grouped already make no group at all.
    select(plan, {1, 2});
    EXPECT_EQ(*group_selection(plan), 0);
    EXPECT_EQ(plan.nb_objets, 5);
}

TEST(Groups, UngroupRenumbersTheGroupsBehind)
{
    PlanTable plan;
    for (int k = 0; k < 4; ++k)
        place(plan, 3, 100.0f * float(k), 100);
    select(plan, {1, 2});
    int a = *group_selection(plan); // 5
    select(plan, {3, 4});
    int b = *group_selection(plan); // 6
    ASSERT_EQ(a, 5);
    ASSERT_EQ(b, 6);

    select(plan, {1, 2});
    EXPECT_TRUE(ungroup_selection(plan));
    EXPECT_EQ(plan.nb_objets, 5);
    EXPECT_EQ(plan.obj_groupe[1], 0);
    EXPECT_EQ(plan.obj_groupe[3], 5); // group 6 became 5 and kept its members
    EXPECT_EQ(plan.obj_groupe[4], 5);
    EXPECT_TRUE(plan.is_group(5));
}

TEST(Groups, PartialUngroupLeavesNoMemberPointingElsewhere)
{
    PlanTable plan;
    for (int k = 0; k < 3; ++k)
        place(plan, 3, 100.0f * float(k), 100);
    select(plan, {1, 2, 3});
    int g = *group_selection(plan);
    place(plan, 3, 500, 500); // object 5 takes no part
    select(plan, {2});
    EXPECT_TRUE(ungroup_selection(plan));
    for (int i = 1; i <= plan.nb_objets; ++i)
        EXPECT_EQ(plan.obj_groupe[size_t(i)], 0) << i;
    EXPECT_EQ(plan.nb_objets, 4);
    EXPECT_FALSE(plan.is_group(g));

    select(plan, {1});
    EXPECT_FALSE(ungroup_selection(plan)) << "nothing to ungroup";
}

TEST(Groups, UngroupAllAndPicking)
{
    PlanTable plan;
    for (int k = 0; k < 4; ++k)
        place(plan, 3, 100.0f * float(k), 100);
    select(plan, {1, 3});
    int a = *group_selection(plan);
    select(plan, {2, 4});
    ASSERT_TRUE(group_selection(plan).ok());

    plan.index_focus = 2;
    ASSERT_TRUE(pick_group(plan, 3).ok());
    EXPECT_EQ(plan.nb_selection, 2);
    EXPECT_EQ(plan.selection[1], 1);
    EXPECT_EQ(plan.selection[2], 3);
    EXPECT_EQ(plan.index_focus, 0);
    EXPECT_EQ(members(plan, a), 2);

    ungroup_all(plan);
    EXPECT_EQ(plan.nb_objets, 4);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(plan.obj_groupe[size_t(i)], 0);
        EXPECT_FALSE(plan.is_group(i));
    }
}

TEST(Groups, PickingAGroupLargerThanASelectionIsRefusedWithAMessage)
{
    PlanTable plan;
    for (int k = 0; k < 120; ++k)
        place(plan, 3, float(k), 0);
    int g = place(plan, 99, 0, 0);
    for (int i = 1; i <= 120; ++i)
        plan.obj_groupe[size_t(i)] = g;
    Result<void> picked = pick_group(plan, 7);
    EXPECT_FALSE(picked.ok());
    EXPECT_NE(picked.error().message.find("100"), std::string::npos);
    EXPECT_EQ(plan.nb_selection, max_selection);
}

TEST(Groups, BoxAroundTheTurnedFootprints)
{
    ComponentTable components;
    define(components, 3, 100, 10);
    PlanTable plan;
    place(plan, 3, 100, 100, 0);
    place(plan, 3, 300, 100, 90);
    int g = place(plan, 99, 0, 0);
    plan.obj_groupe[1] = g;
    plan.obj_groupe[2] = g;
    auto box = group_box(plan, components, g);
    ASSERT_TRUE(box);
    EXPECT_NEAR(box->left, 50, 1e-9);
    EXPECT_NEAR(box->right, 305, 1e-9);
    EXPECT_NEAR(box->top, 50, 1e-9);
    EXPECT_NEAR(box->bottom, 150, 1e-9);
    EXPECT_FALSE(group_box(plan, components, 2));
}
