// The plan's keyboard: faces, appending, groups, zoom, views, save and load, and the Delete key.

#include <gtest/gtest.h>

#include <cmath>

#include "interaction_driver.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

std::string tags(const PlanTable& plan)
{
    std::string out;
    for (int i = 1; i <= plan.nb_objets; ++i)
        out += (i > 1 ? " " : "") + plan.obj_annexe[size_t(i)];
    return out;
}

int tagged(PlanWindow& w, int component, float x, float y, const char* tag)
{
    const int i = place(w.plan, component, x, y);
    w.plan.obj_annexe[size_t(i)] = tag;
    return i;
}

} // namespace

TEST(InteractionKeys, CtrlRAndCtrlVToggleOneFaceOfTheFocusedObject)
{
    const int after_r[4] = {1, 0, 3, 2};
    const int after_v[4] = {2, 3, 0, 1};
    for (int faces = 0; faces < 4; ++faces) {
        PlanWindow w;
        place(w.plan, panel, 300, 300);
        w.plan.index_focus = 1;
        w.plan.obj_faces[1] = faces;
        w.key("R", kk_ctrl);
        EXPECT_EQ(w.plan.obj_faces[1], after_r[faces]) << faces;
        w.plan.obj_faces[1] = faces;
        w.key("v", kk_ctrl);
        EXPECT_EQ(w.plan.obj_faces[1], after_v[faces]) << faces;
        EXPECT_EQ(w.host.changes, (std::vector<PlanChange>{PlanChange::faces, PlanChange::faces}));
    }
}

// A key held down repeats: the toggles and commands act once per press (a Ctrl+Shift+V whose Shift
// is let go first would otherwise turn the verso of the pasted copies); zooming goes on.
TEST(InteractionKeys, AHeldKeyTogglesOnceAndZoomsOn)
{
    PlanWindow w;
    place(w.plan, panel, 300, 300);
    w.plan.index_focus = 1;
    w.plan.obj_faces[1] = 1;
    for (const char* key : {"V", "v", "R", "G", "U", "S", "L", " "})
        w.key(key, kk_ctrl, /*repeat=*/true);
    EXPECT_EQ(w.plan.obj_faces[1], 1);
    EXPECT_TRUE(w.host.changes.empty());
    EXPECT_TRUE(w.requests.empty());
    w.key("V", kk_ctrl); // the press itself
    EXPECT_EQ(w.plan.obj_faces[1], 3);

    const double zoom = w.view.zoom;
    w.key("k", kk_ctrl, true);
    w.key("K", kk_ctrl, true);
    EXPECT_DOUBLE_EQ(w.view.zoom, zoom + 2);
}

TEST(InteractionKeys, FacesOfTheSelectionRatherThanTheFocus)
{
    PlanWindow w;
    place(w.plan, panel, 200, 300);
    place(w.plan, panel, 400, 300);
    place(w.plan, panel, 600, 300);
    for (int i = 1; i <= 3; ++i)
        w.plan.obj_faces[size_t(i)] = 2;
    w.plan.index_focus = 3;
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.key("r", kk_ctrl);
    EXPECT_EQ(w.plan.obj_faces[1], 3);
    EXPECT_EQ(w.plan.obj_faces[2], 3);
    EXPECT_EQ(w.plan.obj_faces[3], 2);
    // Without Ctrl the letter does nothing to the faces.
    w.key("r");
    EXPECT_EQ(w.plan.obj_faces[1], 3);
}

TEST(InteractionKeys, PlusAndMAppendAtTheFocusedObjectsEnd)
{
    const double degrees = 0.017453292519943295;
    for (const auto& [key, angle] : {std::pair{"+", -30.0}, std::pair{"k", -30.0}, std::pair{"m", -120.0}}) {
        PlanWindow w;
        place(w.plan, panel, 300, 300);
        w.click(300, 300); // focuses it and makes its component the current one
        w.host.changes.clear();
        w.key(key);
        ASSERT_EQ(w.plan.nb_objets, 2) << key;
        EXPECT_FLOAT_EQ(w.plan.obj_rot[2], float(angle)) << key;
        EXPECT_NEAR(w.plan.obj_x[2], 350 + 50 * std::cos(angle * degrees), 1e-3) << key;
        EXPECT_NEAR(w.plan.obj_y[2], 300 + 50 * std::sin(angle * degrees), 1e-3) << key;
        EXPECT_EQ(w.plan.index_focus, 2);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::append});
    }
}

TEST(InteractionKeys, AppendNeedsAFocusAndNoModifier)
{
    PlanWindow w;
    place(w.plan, panel, 300, 300);
    w.state.selected_component = panel;
    w.key("+");
    EXPECT_EQ(w.plan.nb_objets, 1);
    w.plan.index_focus = 1;
    w.key("m", kk_alt);
    EXPECT_EQ(w.plan.nb_objets, 1);
    w.state.selected_component = free_number;
    w.key("+");
    EXPECT_EQ(w.plan.nb_objets, 1);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionKeys, CtrlGGroupsAndCtrlUUngroups)
{
    PlanWindow w;
    place(w.plan, panel, 200, 300);
    place(w.plan, panel, 400, 300);
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.key("G", kk_ctrl);
    ASSERT_EQ(w.plan.nb_objets, 3);
    EXPECT_EQ(w.plan.comp(3), group_component);
    EXPECT_EQ(w.plan.obj_groupe[1], 3);
    w.key("u", kk_ctrl);
    EXPECT_EQ(w.plan.nb_objets, 2);
    EXPECT_EQ(w.plan.obj_groupe[1], 0);
    EXPECT_EQ(w.host.changes, (std::vector<PlanChange>{PlanChange::grouping, PlanChange::ungrouping}));
    // Nothing selected: nothing to group, no change handed over.
    clear_selection(w.plan);
    w.key("g", kk_ctrl);
    EXPECT_EQ(w.plan.nb_objets, 2);
    EXPECT_EQ(w.host.changes.size(), 2u);
}

// Every change Ctrl+G makes to the table is handed over, also when no group is made: otherwise the
// undo history would be swapped against a table it does not know.
TEST(InteractionKeys, CtrlGHandsOverWhatItChangedEvenWithoutANewGroup)
{
    PlanWindow w;
    place(w.plan, panel, 200, 300);
    place(w.plan, group_component, 0, 0); // a group whose members a file no longer holds
    place(w.plan, panel, 400, 300);
    const int g = place(w.plan, group_component, 0, 0);
    w.plan.obj_groupe[3] = g;
    ASSERT_TRUE(select_object(w.plan, 3).ok()); // already grouped: nothing new to group
    w.key("g", kk_ctrl);
    ASSERT_EQ(w.plan.nb_objets, 3); // the empty group went
    EXPECT_EQ(w.host.changes, (std::vector<PlanChange>{PlanChange::grouping}));
}

TEST(InteractionKeys, CtrlGDuringAPlacementHandsOverThePlacedObject)
{
    PlanWindow w;
    w.state.selected_component = panel;
    w.state.depot_palette = true;
    w.press(300, 300);
    ASSERT_EQ(w.plan.nb_objets, 1);
    w.key("g", kk_ctrl); // nothing selected: no group
    w.release(320, 300);
    ASSERT_EQ(w.plan.nb_objets, 1);
    EXPECT_EQ(w.host.changes, (std::vector<PlanChange>{PlanChange::placement}));
}

TEST(InteractionKeys, SaveLoadAndTheViews)
{
    PlanWindow w;
    w.key("s", kk_ctrl);
    w.key("L", kk_ctrl);
    ASSERT_EQ(w.requests.size(), 2u);
    EXPECT_EQ(w.requests[0].kind, InteractionRequest::Kind::save);
    EXPECT_EQ(w.requests[1].kind, InteractionRequest::Kind::load);
    w.key("s"); // a plain letter is not a shortcut
    EXPECT_EQ(w.requests.size(), 2u);

    w.key("F", kk_alt);
    EXPECT_TRUE(w.view.front_view);
    w.key("t");
    EXPECT_FALSE(w.view.front_view);

    w.key("+", kk_ctrl);
    EXPECT_DOUBLE_EQ(w.view.zoom, 2);
    EXPECT_FLOAT_EQ(w.view.decal_x, -100);
    w.key("m", kk_ctrl);
    w.key("m", kk_ctrl);
    EXPECT_DOUBLE_EQ(w.view.zoom, 0.5);
    w.key("à", kk_ctrl);
    EXPECT_TRUE(w.view.zoom_auto);
    EXPECT_EQ(w.host.view_changes, 4);
}

TEST(InteractionKeys, TheZoomToolZoomsToTheNextRectangle)
{
    PlanWindow w;
    place(w.plan, panel, 100, 100); // a press on it still draws the rectangle
    w.key(" ", kk_ctrl);
    EXPECT_TRUE(w.state.mode_loupe);
    EXPECT_EQ(w.host.cursor(), cursor_zoom);
    w.move(150, 150);
    EXPECT_EQ(w.host.cursor(), cursor_zoom);
    w.press(100, 100);
    EXPECT_TRUE(w.state.flag_lasso);
    EXPECT_FALSE(w.plan.focus);
    w.drag(300, 200);
    w.release(300, 200);
    EXPECT_FALSE(w.state.mode_loupe);
    EXPECT_EQ(w.host.cursor(), cursor_standard);
    EXPECT_FALSE(w.view.zoom_auto);
    EXPECT_DOUBLE_EQ(w.view.zoom, 725.0 / 200);
    // The rectangle's middle is in the middle of the plan area.
    const PixelPoint middle = w.view.to_pixel(200, 150);
    EXPECT_NEAR(middle.x, 75 + 725 / 2.0, 1e-3);
    EXPECT_NEAR(middle.y, 300, 1e-3);
    EXPECT_EQ(w.host.view_changes, 1);
    EXPECT_EQ(w.plan.nb_selection, 0);

    // A tall rectangle fits its height instead.
    w.key(" ", kk_ctrl);
    w.view.zoom = 1;
    w.view.decal_x = w.view.decal_y = 0;
    w.press(100, 100);
    w.release(110, 600);
    EXPECT_DOUBLE_EQ(w.view.zoom, 550.0 / 500);
}

TEST(InteractionKeys, ATinyZoomRectangleLeavesTheView)
{
    PlanWindow w;
    w.key(" ", kk_ctrl);
    w.press(100, 100);
    w.release(101, 150);
    EXPECT_FALSE(w.state.mode_loupe);
    EXPECT_DOUBLE_EQ(w.view.zoom, 1);
    EXPECT_EQ(w.host.view_changes, 0);
}

TEST(InteractionDelete, TheFocusAndTheSelectionGoExactlyAsChosen)
{
    PlanWindow w;
    for (const char* tag : {"a", "b", "c", "d", "e"})
        tagged(w, panel, float(200 + 150 * (tag[0] - 'a')), 300, tag);
    w.plan.index_focus = 2;
    ASSERT_TRUE(select_object(w.plan, 4).ok());
    ASSERT_TRUE(select_object(w.plan, 5).ok());
    w.move(500, 300); // hovering "c", object 3
    ASSERT_EQ(w.state.survol, 3);
    EXPECT_TRUE(delete_key(w.state, w.context));
    EXPECT_EQ(tags(w.plan), "a c");
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_EQ(w.plan.nb_selection, 0);
    EXPECT_EQ(w.state.survol, 2); // still "c", under its new number
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::deletion});

    // The next press picks the object under the pointer, not whatever took its old number.
    w.at(500, 300, button_left);
    EXPECT_EQ(w.plan.index_focus, 2);
    EXPECT_EQ(w.plan.obj_annexe[2], "c");
    w.release(500, 300);

    EXPECT_TRUE(delete_key(w.state, w.context));
    EXPECT_EQ(tags(w.plan), "a");
}

TEST(InteractionDelete, DeletingTheHeldObjectEndsTheDrag)
{
    PlanWindow w;
    place(w.plan, loose_panel, 300, 300);
    place(w.plan, loose_panel, 600, 300);
    w.press(300, 300);
    w.drag(350, 350);
    EXPECT_TRUE(delete_key(w.state, w.context));
    EXPECT_EQ(w.plan.nb_objets, 1);
    w.drag(360, 360);
    w.release(360, 360);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 600);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::deletion});
}

TEST(InteractionDelete, NothingToDeleteHandsOverNoChange)
{
    PlanWindow w;
    place(w.plan, panel, 300, 300);
    EXPECT_FALSE(delete_key(w.state, w.context));
    EXPECT_EQ(w.plan.nb_objets, 1);
    EXPECT_TRUE(w.host.changes.empty());
}

TEST(InteractionTools, TheMeasuringToolDrawsOneLineAndSwitchesOff)
{
    PlanWindow w;
    place(w.plan, panel, 100, 100);
    w.state.mode_mesure = true;
    w.press(100, 100); // on an object: measured from, not picked
    EXPECT_FALSE(w.plan.focus);
    w.drag(130, 140);
    ASSERT_FALSE(w.host.live.empty());
    ASSERT_TRUE(w.host.live.back().measure.has_value());
    EXPECT_EQ(measure_text(*w.host.live.back().measure), "Distance 50 cm");
    w.release(130, 140);
    EXPECT_FALSE(w.state.mode_mesure);
    ASSERT_TRUE(w.state.kept_measure.has_value()); // the distance stays on the plan
    EXPECT_EQ(measure_text(*w.state.kept_measure), "Distance 50 cm");
    w.press(100, 100);
    EXPECT_TRUE(w.plan.focus); // the next press picks again
    EXPECT_FALSE(w.state.kept_measure.has_value());
}

TEST(InteractionTools, EscapeDropsWhateverIsArmed)
{
    PlanWindow w;
    EXPECT_FALSE(cancel_armed(w.state, w.host));
    for (bool InteractionState::*flag : {&InteractionState::depot_palette, &InteractionState::mode_loupe,
                                         &InteractionState::mode_mesure, &InteractionState::flag_lasso}) {
        w.state.*flag = true;
        EXPECT_TRUE(cancel_armed(w.state, w.host));
        EXPECT_FALSE(w.state.*flag);
    }
    // A lasso dropped while the button is held: its release selects nothing.
    place(w.plan, panel, 300, 300);
    w.press(250, 250);
    w.drag(350, 350);
    EXPECT_TRUE(cancel_armed(w.state, w.host));
    w.release(350, 350);
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_EQ(w.plan.nb_selection, 0);
}

TEST(InteractionTools, TheReadoutShowsThePointerFromTheFloorCorner)
{
    PlanWindow w;
    w.move(150.25, 130);
    ASSERT_EQ(w.host.readout.position.size(), 4u);
    EXPECT_EQ(w.host.readout.position[0], "X :50.3 cm x Y :30 cm");
    EXPECT_EQ(w.host.readout.position[1], "zoom :1");
    EXPECT_EQ(w.host.readout.position[2], "topx :0");
    EXPECT_TRUE(w.host.readout.debug.empty());
    w.view.aff_debug = true;
    w.move(150.25, 130);
    ASSERT_EQ(w.host.readout.debug.size(), 2u);
    EXPECT_EQ(w.host.readout.debug[0].rfind("   x=150   y=130   ancx=-1", 0), 0u) << w.host.readout.debug[0];
    EXPECT_EQ(w.host.readout.debug[1], "flag_lasso=0        kk=0");
}
