// Turning with the right button: one object, or the selection about the middle of its box.

#include <gtest/gtest.h>

#include "interaction_driver.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

// A loose panel at (300, 300) turned `rot`, focused by a click.
void focused_panel(PlanWindow& w, float rot)
{
    place(w.plan, loose_panel, 300, 300, rot);
    w.click(300, 300);
    ASSERT_EQ(w.plan.index_focus, 1);
    w.host.changes.clear();
}

} // namespace

TEST(InteractionTurn, TwentyPixelsAcrossAndTwentyDownAddTwentyDegrees)
{
    PlanWindow w;
    focused_panel(w, 10);
    w.view.zoom = 2; // 20 pixels are 10 cm
    w.right_press(500, 100);
    EXPECT_TRUE(w.state.rotation_en_cours);
    w.right_drag(510, 110);
    EXPECT_DOUBLE_EQ(w.state.rot_memo, 30);
    EXPECT_EQ(w.host.cursor(), cursor_rotate);
    ASSERT_FALSE(w.host.live.empty());
    EXPECT_DOUBLE_EQ(w.host.live.back().objects.at(0).rot, 30);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 10); // turned at the release only
    w.release(510, 110);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 30);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 300);
    EXPECT_FALSE(w.state.rotation_en_cours);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::turn});
}

TEST(InteractionTurn, WithoutAModifierTheAngleIsCutToFiveDegreesTowardZero)
{
    struct Case {
        double way; // pixels across and down alike
        int kk;
        float expected;
    };
    for (const Case& c : {Case{7, kk_none, 5}, Case{7, kk_ctrl, 7}, Case{7, kk_alt, 7}, Case{-7, kk_none, 355},
                          Case{-7, kk_ctrl, 353}, Case{4.9, kk_none, 0}, Case{200, kk_none, 200},
                          Case{400, kk_none, 40}}) {
        PlanWindow w;
        focused_panel(w, 0);
        w.right_press(500, 100, c.kk);
        w.right_drag(500 + c.way, 100 + c.way, c.kk);
        w.release(500 + c.way, 100 + c.way, c.kk);
        EXPECT_FLOAT_EQ(w.plan.obj_rot[1], c.expected) << c.way << " kk " << c.kk;
    }
}

TEST(InteractionTurn, ARightClickWithoutMovingKeepsTheRotation)
{
    PlanWindow w;
    focused_panel(w, 33);
    w.right_press(500, 100);
    w.release(500, 100);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 33);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionTurn, TheSelectionTurnsAboutTheMiddleOfItsBox)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    place(w.plan, loose_panel, 400, 200);
    w.press(100, 100);
    w.release(500, 300);
    ASSERT_EQ(w.plan.nb_selection, 2);
    ASSERT_EQ(w.plan.index_focus, 0);

    w.right_press(600, 400);
    w.right_drag(690, 490); // 90 degrees
    const LiveOverlay& ghost = w.host.live.back();
    ASSERT_EQ(ghost.objects.size(), 2u);
    EXPECT_NEAR(ghost.objects[0].x, 300, 1e-9);
    EXPECT_NEAR(ghost.objects[0].y, 100, 1e-9);
    EXPECT_DOUBLE_EQ(ghost.objects[0].rot, 90);
    w.release(690, 490);
    EXPECT_NEAR(w.plan.obj_x[1], 300, 1e-4);
    EXPECT_NEAR(w.plan.obj_y[1], 100, 1e-4);
    EXPECT_NEAR(w.plan.obj_x[2], 300, 1e-4);
    EXPECT_NEAR(w.plan.obj_y[2], 300, 1e-4);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 90);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 90);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::selection_turn});
}

TEST(InteractionTurn, ASelectionTurnAddsToEachObjectsOwnRotation)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200, 350);
    place(w.plan, loose_panel, 400, 200, 90);
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.right_press(600, 400);
    w.right_drag(607, 407); // 7 degrees, cut to 5
    w.release(607, 407);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 355);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 95);

    w.right_press(600, 400);
    w.right_drag(590, 390); // -10 degrees: 350 for the selection's angle
    w.release(590, 390);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 345);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 85);
}

TEST(InteractionTurn, NothingTurnsWithoutAFocusOrASelection)
{
    PlanWindow w;
    place(w.plan, loose_panel, 300, 300, 10);
    w.right_press(300, 300);
    w.right_drag(340, 340);
    w.release(340, 340);
    EXPECT_FALSE(w.state.rotation_en_cours);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 10);
    EXPECT_TRUE(w.host.live.empty());
}
