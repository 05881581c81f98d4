// Hover, press on an object, lasso, chains and groups, driven by scripted pointer events.

#include <gtest/gtest.h>

#include "interaction_driver.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

TEST(InteractionHover, NearestObjectWinsAndATieKeepsTheLowerNumber)
{
    PlanWindow w;
    place(w.plan, panel, 100, 200);
    place(w.plan, panel, 112, 200);
    w.move(106, 200);
    EXPECT_EQ(w.state.survol, 1);
    EXPECT_EQ(w.host.cursor(), cursor_move);
    ASSERT_FALSE(w.host.statuses.empty());
    EXPECT_EQ(w.host.statuses.back(), "VEK : panel");

    w.move(107, 200);
    EXPECT_EQ(w.state.survol, 2);
}

TEST(InteractionHover, TenCentimetresAwayIsNotHovered)
{
    PlanWindow w;
    place(w.plan, panel, 100, 200);
    w.move(110, 200);
    EXPECT_EQ(w.state.survol, 0);
    EXPECT_EQ(w.host.cursor(), cursor_standard);
    w.move(100, 209.9);
    EXPECT_EQ(w.state.survol, 1);
}

TEST(InteractionHover, FadedObjectsAndGroupObjectsAreNeverHovered)
{
    PlanWindow w;
    const int faded = place(w.plan, panel, 100, 200);
    w.plan.obj_estompe[size_t(faded)] = 0;
    const int group = place(w.plan, group_component, 300, 200);
    w.move(100, 200);
    EXPECT_EQ(w.state.survol, 0);
    w.move(300, 200);
    EXPECT_EQ(w.state.survol, 0);
    (void)group;
}

TEST(InteractionPress, PressOnAnObjectFocusesItAndTakesItsComponent)
{
    PlanWindow w;
    place(w.plan, shelf, 300, 300, 30);
    w.plan.nb_selection = 0;
    w.press(303, 302);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_TRUE(w.plan.focus);
    EXPECT_EQ(w.state.selected_component, shelf);
    EXPECT_DOUBLE_EQ(w.state.rot_memo, 30);
    EXPECT_NEAR(w.state.org_x, 3, 1e-9);
    EXPECT_NEAR(w.state.org_y, 2, 1e-9);
    EXPECT_FALSE(w.state.flag_lasso);
}

TEST(InteractionPress, PressOnAnObjectInsideASelectionPicksThatObject)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 200, 300);
    place(w.plan, panel, 200, 400);
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 3).ok());
    w.press(200, 300); // object 2 lies inside the selection's box
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_EQ(w.plan.index_focus, 2);
    EXPECT_TRUE(w.plan.focus);
    EXPECT_FALSE(w.plan.focus_groupe);
}

TEST(InteractionPress, CtrlPressAsksForTheObjectDialogAndHoldsNothing)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    w.press(200, 200, kk_ctrl);
    ASSERT_EQ(w.requests.size(), 1u);
    EXPECT_EQ(w.requests[0].kind, InteractionRequest::Kind::object_properties);
    EXPECT_EQ(w.requests[0].object, 1);
    EXPECT_FALSE(w.plan.focus);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_TRUE(w.host.changes.empty()); // the window makes the dialog's step
    w.drag(260, 200, kk_ctrl);
    w.release(260, 200, kk_ctrl);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 200); // nothing was held, nothing moves
    EXPECT_TRUE(w.host.changes.empty());
    EXPECT_EQ(w.requests.size(), 1u);
}

TEST(InteractionPress, PressOnAGroupMemberSelectsAndHoldsTheWholeGroup)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 400, 200);
    place(w.plan, panel, 200, 400);
    const int g = place(w.plan, group_component, 0, 0);
    w.plan.obj_groupe[1] = g;
    w.plan.obj_groupe[3] = g;

    w.press(200, 400);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 3}));
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_FALSE(w.plan.focus);
    EXPECT_TRUE(w.plan.focus_groupe);

    // Dragged as one: both members move, the other object stays.
    w.drag(230, 420);
    w.release(230, 420);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 230);
    EXPECT_FLOAT_EQ(w.plan.obj_y[1], 220);
    EXPECT_FLOAT_EQ(w.plan.obj_x[3], 230);
    EXPECT_FLOAT_EQ(w.plan.obj_y[3], 420);
    EXPECT_FLOAT_EQ(w.plan.obj_x[2], 400);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::selection_move});
}

TEST(InteractionPress, CtrlPressOnAGroupMemberOpensOnlyTheObjectDialog)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 200, 400);
    const int g = place(w.plan, group_component, 0, 0);
    w.plan.obj_groupe[1] = g;
    w.plan.obj_groupe[2] = g;
    w.press(200, 200, kk_ctrl);
    ASSERT_EQ(w.requests.size(), 1u);
    EXPECT_EQ(w.requests[0].kind, InteractionRequest::Kind::object_properties);
    EXPECT_EQ(w.requests[0].object, 1);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(w.plan.focus_groupe);
}

TEST(InteractionPress, CtrlAltSelectsTheChainButNotFadedMembers)
{
    PlanWindow w;
    // Three panels joined end to end, a fourth apart.
    place(w.plan, panel, 150, 200);
    place(w.plan, panel, 250, 200);
    place(w.plan, panel, 350, 200);
    place(w.plan, panel, 150, 500);
    w.plan.obj_estompe[3] = 0;
    w.press(250, 200, kk_ctrl_alt);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 2}));
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_FALSE(w.plan.focus);
}

TEST(InteractionPress, CtrlAltOnALoneObjectKeepsItFocused)
{
    PlanWindow w;
    place(w.plan, panel, 150, 200);
    place(w.plan, panel, 150, 500);
    w.press(150, 200, kk_ctrl_alt);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_TRUE(w.plan.focus);
}

TEST(InteractionLasso, ALassoOfOneObjectFocusesIt)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 400, 400);
    w.press(150, 150);
    EXPECT_TRUE(w.state.flag_lasso);
    w.drag(250, 250);
    ASSERT_FALSE(w.host.live.empty());
    ASSERT_TRUE(w.host.live.back().rectangle.has_value());
    EXPECT_DOUBLE_EQ(w.host.live.back().rectangle->right, 250);
    w.release(250, 250);
    EXPECT_FALSE(w.state.flag_lasso);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_EQ(w.host.cursor(), cursor_standard);
}

TEST(InteractionLasso, ObjectsMustStayFiveCentimetresInside)
{
    PlanWindow w;
    place(w.plan, panel, 205, 300);   // exactly 5 cm inside the left edge: taken
    place(w.plan, panel, 204.9f, 500); // 4.9 cm: left out
    place(w.plan, panel, 300, 395);   // exactly 5 cm inside the bottom edge: taken
    place(w.plan, panel, 300, 200);   // far inside
    // Drawn from the bottom right corner to the top left: the rectangle is normalised.
    w.press(400, 399.9);
    w.drag(200, 100);
    w.release(200, 100);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 4}));

    w.press(200, 100);
    w.release(400, 400);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(w.plan.index_focus, 0);
}

TEST(InteractionLasso, FadedAndGroupObjectsAreNotLassoed)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 300, 200);
    place(w.plan, group_component, 250, 200);
    w.plan.obj_estompe[2] = 0;
    w.press(100, 100);
    w.release(400, 400);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_EQ(w.plan.index_focus, 1);
}

TEST(InteractionLasso, AClickOnEmptyPlanClearsFocusAndSelection)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 300, 300);
    w.plan.index_focus = 1;
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.click(600, 100);
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionLasso, ALassoStopsAtTheSelectionsCapacityWithAMessage)
{
    PlanWindow w;
    for (int k = 0; k < 120; ++k)
        place(w.plan, panel, float(110 + 5 * k), 300);
    w.press(100, 100);
    w.release(1000, 500);
    EXPECT_EQ(w.plan.nb_selection, max_selection);
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_NE(w.host.messages[0].find("100"), std::string::npos);
}
