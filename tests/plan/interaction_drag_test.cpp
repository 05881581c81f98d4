// Placing from the palette, dragging, copying and moving the selection: the ghost while the button
// is held, the change at the release, handed over once.

#include <gtest/gtest.h>

#include "interaction_driver.h"
#include "plan/palette.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

// The middle of palette cell c, in pixels.
double cell_y(int c) { return palette_head + palette_cell_height * (c + 0.5); }

} // namespace

TEST(InteractionPalette, PlacingAComponentFromThePalette)
{
    PlanWindow w;
    w.pixel(30, cell_y(panel), button_none);
    w.pixel(30, cell_y(panel), button_left);
    w.pixel(30, cell_y(panel), button_none);
    EXPECT_TRUE(w.state.depot_palette);
    EXPECT_EQ(w.state.selected_component, panel);
    EXPECT_EQ(w.plan.nb_objets, 0);

    w.press(300, 300);
    EXPECT_EQ(w.plan.nb_objets, 1);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_TRUE(w.plan.focus);
    EXPECT_FALSE(w.state.depot_palette);
    w.drag(320, 310);
    ASSERT_FALSE(w.host.live.empty());
    EXPECT_DOUBLE_EQ(w.host.live.back().objects.at(0).x, 320);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 300); // held, not moved, until the release
    w.release(320, 310);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 320);
    EXPECT_FLOAT_EQ(w.plan.obj_y[1], 310);
    EXPECT_FLOAT_EQ(w.plan.obj_hauteur[1], 228);
    EXPECT_FALSE(w.plan.focus);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::placement});
}

TEST(InteractionPalette, AComponentCanBeDraggedStraightFromTheColumn)
{
    PlanWindow w;
    w.libraries.current_library = 1;
    w.pixel(30, cell_y(1), button_left);
    w.pixel(60, cell_y(1), button_left); // still in the column: nothing placed yet
    EXPECT_EQ(w.plan.nb_objets, 0);
    w.drag(400, 300);
    w.release(400, 300);
    ASSERT_EQ(w.plan.nb_objets, 1);
    EXPECT_EQ(w.plan.comp(1), shelf);
    EXPECT_FLOAT_EQ(w.plan.obj_hauteur[1], 150); // not the frames' height: its own
}

TEST(InteractionPalette, EmptyAndHiddenCellsCannotBePicked)
{
    PlanWindow w;
    w.libraries.current_library = 1;
    for (int cell : {2, 3}) { // a free number and a hidden component
        w.pixel(30, cell_y(cell), button_left);
        w.pixel(30, cell_y(cell), button_none);
        EXPECT_FALSE(w.state.depot_palette) << cell;
    }
    // Library 0, cell 99 is the group marker.
    w.libraries.current_library = 0;
    w.state.palette_scroll = 99;
    w.pixel(30, cell_y(0), button_left);
    EXPECT_FALSE(w.state.depot_palette);
}

TEST(InteractionPalette, CtrlClickOpensTheEditorAndStillPicks)
{
    PlanWindow w;
    w.pixel(30, cell_y(post), button_left, kk_ctrl);
    ASSERT_EQ(w.requests.size(), 1u);
    EXPECT_EQ(w.requests[0].kind, InteractionRequest::Kind::object_editor);
    EXPECT_EQ(w.requests[0].component, post);
    EXPECT_TRUE(w.state.depot_palette);
    EXPECT_EQ(w.state.selected_component, post);
}

TEST(InteractionPalette, ScrollingStopsAtBothEnds)
{
    PlanWindow w;
    const int cells = palette_cell_count(int(w.height));
    ASSERT_EQ(cells, 6);
    const double below = palette_head + palette_cell_height * cells + 5;
    w.pixel(10, below, button_left);
    w.pixel(10, below, button_none);
    EXPECT_EQ(w.state.palette_scroll, 0);
    EXPECT_TRUE(w.host.palette_scrolls.empty());
    w.pixel(60, below, button_left);
    w.pixel(60, below, button_none);
    EXPECT_EQ(w.state.palette_scroll, 1);
    EXPECT_EQ(w.host.palette_scrolls, (std::vector<std::pair<int, int>>{{0, 1}}));
    // A held button scrolls once, not at every move.
    w.pixel(61, below, button_left);
    w.pixel(62, below, button_left);
    w.pixel(62, below, button_none);
    EXPECT_EQ(w.state.palette_scroll, 2);

    w.state.palette_scroll = 99;
    w.pixel(60, below, button_left);
    EXPECT_EQ(w.state.palette_scroll, 99);

    // With the palette scrolled, cell 0 shows the component one further on.
    w.state.palette_scroll = 2;
    w.pixel(60, below, button_none);
    w.pixel(30, cell_y(1), button_left);
    EXPECT_EQ(w.state.selected_component, post);
}

TEST(InteractionPalette, PlacingIntoAFullTableIsRefusedWithAMessage)
{
    PlanWindow w;
    for (int k = 0; k < max_objects; ++k)
        place(w.plan, panel, float(-10000 - k), -10000);
    w.state.selected_component = panel;
    w.state.depot_palette = true;
    w.press(300, 300);
    EXPECT_EQ(w.plan.nb_objets, max_objects);
    EXPECT_FALSE(w.plan.focus);
    EXPECT_FALSE(w.state.depot_palette);
    ASSERT_EQ(w.host.messages.size(), 1u);
    EXPECT_NE(w.host.messages[0].find("2550"), std::string::npos);
    w.release(300, 300);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionDrag, TheGhostIsWhereTheDropLands)
{
    PlanWindow w;
    place(w.plan, loose_panel, 300, 300, 45);
    w.press(304, 297);
    w.drag(350, 340);
    w.drag(412.5, 377.25);
    ASSERT_FALSE(w.host.live.empty());
    const GhostObject ghost = w.host.live.back().objects.at(0);
    EXPECT_EQ(ghost.object, 1);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 300);
    EXPECT_DOUBLE_EQ(ghost.rot, 45);
    w.release(412.5, 377.25);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], float(ghost.x));
    EXPECT_FLOAT_EQ(w.plan.obj_y[1], float(ghost.y));
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 408.5f);
    EXPECT_FLOAT_EQ(w.plan.obj_y[1], 380.25f);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::move});
    EXPECT_EQ(w.host.cursor(), cursor_move);
}

TEST(InteractionDrag, TheDropSnapsWhereTheGhostDidNot)
{
    PlanWindow w;
    place(w.plan, panel, 150, 200); // ends at 100 and 200
    place(w.plan, panel, 500, 500);
    w.press(500, 500);
    w.drag(253, 203); // end 1 at (203, 203): 3 cm from the first panel's end 2
    EXPECT_DOUBLE_EQ(w.host.live.back().objects.at(0).x, 253);
    w.release(253, 203);
    EXPECT_FLOAT_EQ(w.plan.obj_x[2], 250);
    EXPECT_FLOAT_EQ(w.plan.obj_y[2], 200);
}

TEST(InteractionDrag, AClickWithoutMovingChangesNothing)
{
    PlanWindow w;
    place(w.plan, loose_panel, 300, 300);
    w.click(302, 301);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 300);
    EXPECT_TRUE(w.host.changes.empty());
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_FALSE(w.plan.focus);
}

TEST(InteractionDrag, AltDragCopiesAndLeavesTheOriginalInPlace)
{
    PlanWindow w;
    const int original = place(w.plan, loose_panel, 200, 200, 90);
    w.plan.obj_texte[1] = "label";
    w.plan.obj_visuel_recto[1] = "picture.jpg";
    w.press(200, 200);
    w.drag(300, 260, kk_alt);
    EXPECT_EQ(w.host.cursor(), cursor_copy);
    EXPECT_EQ(w.host.statuses.back(), "Mode Copy");
    EXPECT_TRUE(w.state.mode_copie);
    w.release(300, 260, kk_alt);
    ASSERT_EQ(w.plan.nb_objets, 2);
    EXPECT_FLOAT_EQ(w.plan.obj_x[size_t(original)], 200);
    EXPECT_FLOAT_EQ(w.plan.obj_y[size_t(original)], 200);
    EXPECT_FLOAT_EQ(w.plan.obj_x[2], 300);
    EXPECT_FLOAT_EQ(w.plan.obj_y[2], 260);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 90);
    EXPECT_EQ(w.plan.obj_visuel_recto[2], "picture.jpg");
    EXPECT_EQ(w.plan.obj_texte[2], "");
    EXPECT_EQ(w.plan.index_focus, 2);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::copy});
}

TEST(InteractionDrag, ReleasingAltBeforeTheDropMoves)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    w.press(200, 200);
    w.drag(300, 260, kk_alt);
    w.drag(310, 260);
    w.release(310, 260);
    EXPECT_EQ(w.plan.nb_objets, 1);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 310);
}

TEST(InteractionSelection, APressInsideTheBoxOnNoObjectMovesTheSelection)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    place(w.plan, loose_panel, 400, 300, 90);
    place(w.plan, loose_panel, 700, 500);
    w.press(100, 100);
    w.release(500, 400);
    ASSERT_EQ(w.selection(), (std::vector<int>{1, 2}));

    w.press(300, 250); // inside the box, 100 cm from both objects
    EXPECT_TRUE(w.plan.focus_groupe);
    EXPECT_FALSE(w.state.flag_lasso);
    w.drag(320, 240);
    ASSERT_EQ(w.host.live.back().objects.size(), 2u);
    EXPECT_DOUBLE_EQ(w.host.live.back().objects[1].x, 420);
    EXPECT_DOUBLE_EQ(w.host.live.back().objects[1].rot, 90);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 200);
    w.release(320, 240);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 220);
    EXPECT_FLOAT_EQ(w.plan.obj_y[1], 190);
    EXPECT_FLOAT_EQ(w.plan.obj_x[2], 420);
    EXPECT_FLOAT_EQ(w.plan.obj_y[2], 290);
    EXPECT_FLOAT_EQ(w.plan.obj_x[3], 700);
    EXPECT_FALSE(w.plan.focus_groupe);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 2})); // still selected
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::selection_move});
}

TEST(InteractionSelection, TheBoxReachesThreeCentimetresBeyondTheFootprints)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200); // footprint 150..250 by 197.5..202.5
    place(w.plan, loose_panel, 200, 400);
    w.press(100, 100);
    w.release(300, 500);
    ASSERT_EQ(w.plan.nb_selection, 2);
    w.press(152.9, 300);
    EXPECT_TRUE(w.plan.focus_groupe);
    w.release(152.9, 300);
    w.press(147.1, 300);
    EXPECT_TRUE(w.plan.focus_groupe);
    w.release(147.1, 300);
    w.press(146.9, 300); // outside: a lasso starts instead
    EXPECT_FALSE(w.plan.focus_groupe);
    EXPECT_TRUE(w.state.flag_lasso);
}

TEST(InteractionSelection, CtrlPressInsideAsksForTheGroupDialogOnTheSelectionAndEmptiesIt)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    place(w.plan, loose_panel, 200, 400);
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.press(200, 300, kk_ctrl);
    ASSERT_EQ(w.requests.size(), 1u);
    EXPECT_EQ(w.requests[0].kind, InteractionRequest::Kind::group_properties);
    EXPECT_EQ(w.requests[0].objects, (std::vector<int>{1, 2}));
    EXPECT_FALSE(w.plan.focus_groupe);
    EXPECT_FALSE(w.state.flag_lasso);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionDrag, APressRightAfterTheDropPicksTheDroppedObject)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    w.press(200, 200);
    w.drag(400, 300);
    w.release(400, 300);
    // The window calls again only because the button went down: no move in between.
    w.at(400, 300, button_left);
    EXPECT_TRUE(w.plan.focus);
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_FALSE(w.state.flag_lasso);
}

TEST(InteractionDrag, AnArmedMeasuringToolWaitsForThePlacementToEnd)
{
    PlanWindow w;
    w.state.selected_component = loose_panel;
    w.state.depot_palette = true;
    arm_measuring_tool(w.state);
    w.press(300, 300);
    w.drag(320, 300);
    w.release(320, 300);
    ASSERT_EQ(w.plan.nb_objets, 1);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 320);
    EXPECT_TRUE(w.state.mode_mesure);
    w.press(500, 500);
    EXPECT_TRUE(w.state.measuring);
}
