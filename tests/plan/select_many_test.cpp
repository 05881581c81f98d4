// Choosing many objects at once and nudging them: the selection's capacity, the single object that
// becomes the focus, faded objects and groups left out.

#include <gtest/gtest.h>

#include "plan/plan_edit.h"
#include "plan/plan_fixture.h"
#include "plan/select_many.h"
#include "plan/view_state.h"

using namespace halvern;
using namespace halvern::testing;

TEST(SelectMany, AllShownObjectsUpToTheCapacity)
{
    PlanTable plan;
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(create_object(plan, test_components(), panel_100, 100 + 10 * k, 100));
    plan.obj_estompe[2] = 0; // faded: not chosen
    EXPECT_TRUE(select_all(plan));
    EXPECT_EQ(selected_objects(plan), (std::vector<int>{1, 3}));
    EXPECT_EQ(plan.index_focus, 0);

    plan.obj_estompe[3] = 0;
    EXPECT_TRUE(select_all(plan)); // one object left: it is focused, not a selection of one
    EXPECT_EQ(plan.index_focus, 1);
    EXPECT_EQ(plan.nb_selection, 0);

    while (plan.nb_objets < max_selection + 5)
        ASSERT_TRUE(create_object(plan, test_components(), panel_50, 300, 300));
    EXPECT_FALSE(select_all(plan));
    EXPECT_EQ(plan.nb_selection, max_selection);
}

TEST(SelectMany, NudgeMovesTheFocusElseTheSelection)
{
    PlanTable plan;
    const int a = *create_object(plan, test_components(), panel_100, 100, 100);
    const int b = *create_object(plan, test_components(), panel_100, 200, 100);
    plan.index_focus = a;
    EXPECT_TRUE(nudge_objects(plan, 1, 0));
    EXPECT_EQ(plan.obj_x[size_t(a)], 101);
    EXPECT_EQ(plan.obj_x[size_t(b)], 200);
    ASSERT_TRUE(select_objects(plan, {a, b}));
    EXPECT_TRUE(nudge_objects(plan, 0, -10));
    EXPECT_EQ(plan.obj_y[size_t(a)], 90);
    EXPECT_EQ(plan.obj_y[size_t(b)], 90);
    clear_selection(plan);
    plan.index_focus = 0;
    EXPECT_FALSE(nudge_objects(plan, 1, 1));
}

TEST(ZoomAbout, ThePointUnderThePixelStaysAndTheZoomKeepsItsLimits)
{
    ViewState view;
    view.zoom = 1;
    view.zoom_auto = true;
    const PixelPoint before = view.to_plan(400, 250);
    ASSERT_TRUE(zoom_about(view, wheel_zoom_step, 400, 250));
    EXPECT_FALSE(view.zoom_auto);
    EXPECT_DOUBLE_EQ(view.zoom, 1.25);
    const PixelPoint still = view.to_pixel(before.x, before.y);
    EXPECT_NEAR(still.x, 400, 1);
    EXPECT_NEAR(still.y, 250, 1);

    view.zoom = max_free_zoom;
    EXPECT_FALSE(zoom_about(view, 2, 400, 250));
    EXPECT_TRUE(zoom_about(view, 1e-6, 400, 250));
    EXPECT_EQ(view.zoom, min_free_zoom);
    EXPECT_FALSE(zoom_about(view, 0, 400, 250));
    EXPECT_FALSE(zoom_about(view, -1, 400, 250));
}
