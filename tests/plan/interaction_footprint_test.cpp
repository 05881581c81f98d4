// Picking by what is drawn: a press anywhere on a large object's footprint picks it, while every
// pick made by the reference point, the held selection and the lasso stay as they were. Also the
// right click that asks for the menu, the double-click, and the commands that turn and append.

#include <gtest/gtest.h>

#include "interaction_driver.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int long_wall = 110; // library 1, 400 by 5 cm
constexpr int counter = 111;   // library 1, 150 by 60 cm

// An object with its own size as the creation rule gives it.
int put(PlanWindow& w, int component, float x, float y, float rot = 0)
{
    const int i = place(w.plan, component, x, y, rot);
    w.plan.obj_largeur[size_t(i)] = float(w.components[component].width);
    w.plan.obj_profondeur[size_t(i)] = float(w.components[component].depth);
    return i;
}

struct Window : PlanWindow {
    Window()
    {
        define(components, long_wall, 400, 5, 1);
        define(components, counter, 150, 60, 1);
    }
    void shift_press(double x, double y)
    {
        move(x, y);
        const PixelPoint p = view.to_pixel(x, y);
        PointerInput in;
        in.pixel_x = p.x;
        in.pixel_y = p.y;
        in.buttons = button_left;
        in.shift = true;
        in.area_width = width;
        in.area_height = height;
        if (InteractionRequest r = interact(state, context, in))
            requests.push_back(std::move(r));
    }
    void double_click(double x, double y)
    {
        click(x, y);
        const PixelPoint p = view.to_pixel(x, y);
        PointerInput in;
        in.pixel_x = p.x;
        in.pixel_y = p.y;
        in.buttons = button_left;
        in.double_click = true;
        in.area_width = width;
        in.area_height = height;
        if (InteractionRequest r = interact(state, context, in))
            requests.push_back(std::move(r));
        release(x, y);
    }
};

} // namespace

TEST(InteractionFootprint, AClickNearEitherEndOfALongObjectPicksIt)
{
    struct Case {
        int component;
        float rot;
        double x, y; // the click, the object standing at (500, 300)
    };
    const Case cases[] = {
        {long_wall, 0, 302, 300},  {long_wall, 0, 698, 301},   // 2 cm from either end, 1 cm off its line
        {long_wall, 90, 500, 102}, {long_wall, 90, 499, 498},  // turned a quarter: the ends lie above and below
        {counter, 0, 427, 272},    {counter, 0, 573, 328},     // the corners of a 150 by 60 counter
        {counter, 30, 500 + 70 * 0.866, 300 + 70 * 0.5},       // along its turned length
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.component << " turned " << c.rot << " at " << c.x << "," << c.y);
        Window w;
        put(w, c.component, 500, 300, c.rot);
        w.press(c.x, c.y);
        EXPECT_EQ(w.plan.index_focus, 1);
        EXPECT_TRUE(w.plan.focus);
        EXPECT_FALSE(w.state.flag_lasso);
        EXPECT_EQ(w.state.selected_component, c.component);
        // The grab offset keeps the object where it is until the pointer moves.
        w.release(c.x, c.y);
        EXPECT_FLOAT_EQ(w.plan.obj_x[1], 500);
        EXPECT_FLOAT_EQ(w.plan.obj_y[1], 300);
    }
}

TEST(InteractionFootprint, OutsideTheFootprintNothingIsPicked)
{
    const double misses[][2] = {{297, 300}, {703, 300}, {450, 303.1}, {450, 296.9}};
    for (const auto& m : misses) {
        Window w;
        put(w, long_wall, 500, 300);
        w.press(m[0], m[1]);
        EXPECT_EQ(w.plan.index_focus, 0) << m[0] << "," << m[1];
        EXPECT_TRUE(w.state.flag_lasso);
    }
}

TEST(InteractionFootprint, AThinObjectIsSixPixelsWideAtAnyZoom)
{
    // 5 cm deep: at zoom 0.5 it is 2.5 pixels on screen, picked up to 3 pixels (6 cm) from its line.
    Window w;
    w.view.zoom = 0.5;
    put(w, long_wall, 500, 300);
    w.press(400, 305.9);
    EXPECT_EQ(w.plan.index_focus, 1);
    w.release(400, 305.9);
    w.click(400, 306.5);
    EXPECT_EQ(w.plan.index_focus, 0);
    // At zoom 4 the wall is 20 pixels deep: its own depth counts.
    w.view.zoom = 4;
    EXPECT_EQ(footprint_object(w.plan, w.components, 4, 400, 302.4), 1);
    EXPECT_EQ(footprint_object(w.plan, w.components, 4, 400, 302.6), 0);
}

TEST(InteractionFootprint, OverlappingFootprintsPickTheOneDrawnLast)
{
    Window w;
    put(w, counter, 500, 300);
    put(w, long_wall, 500, 320);
    put(w, counter, 560, 300);
    w.click(460, 320); // on the first counter and the wall: the wall lies on top
    EXPECT_EQ(w.plan.index_focus, 2);
    w.click(540, 290); // on both counters: the second
    EXPECT_EQ(w.plan.index_focus, 3);
    // Faded objects and groups are never picked, even on top.
    w.plan.obj_estompe[3] = 0;
    w.click(540, 290);
    EXPECT_EQ(w.plan.index_focus, 1);
    const int g = put(w, group_component, 500, 300);
    w.plan.obj_largeur[size_t(g)] = 1000;
    w.plan.obj_profondeur[size_t(g)] = 1000;
    w.click(540, 290);
    EXPECT_EQ(w.plan.index_focus, 1);
}

TEST(InteractionFootprint, TheReferencePointRuleKeepsEveryPickItMakes)
{
    // A post whose middle is 6 cm from the pointer lies under a wall drawn after it: the post wins.
    Window w;
    put(w, post, 300, 300);
    put(w, long_wall, 380, 304);
    w.click(300, 306);
    EXPECT_EQ(w.plan.index_focus, 1);
    // Two middles at the same distance: the lower number, whatever lies on top.
    Window t;
    put(t, counter, 500, 300);
    put(t, counter, 512, 300);
    t.click(506, 300);
    EXPECT_EQ(t.plan.index_focus, 1);
    // The hover itself is the reference-point rule alone.
    t.move(560, 300);
    EXPECT_EQ(t.state.survol, 0);
    EXPECT_EQ(t.host.cursor(), cursor_move); // yet the pointer shows what a press would pick
    EXPECT_EQ(picked_object(t.plan, t.components, 1, 560, 300), 2);
}

TEST(InteractionFootprint, APressInsideTheSelectionStillHoldsTheSelection)
{
    Window w;
    put(w, counter, 300, 300);
    put(w, counter, 600, 300);
    put(w, long_wall, 450, 320); // not selected, but within the selection's box
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    for (const auto& at : {std::pair{260.0, 310.0}, std::pair{400.0, 321.0}}) {
        w.press(at.first, at.second);
        EXPECT_TRUE(w.plan.focus_groupe);
        EXPECT_EQ(w.plan.index_focus, 0);
        EXPECT_EQ(w.plan.nb_selection, 2);
        w.release(at.first, at.second);
    }
    w.plan.obj_y[3] = 420; // now 25 cm below the selection's box: its footprint is picked
    w.press(330, 420);
    EXPECT_EQ(w.plan.index_focus, 3);
    EXPECT_EQ(w.plan.nb_selection, 0);
}

TEST(InteractionFootprint, ShiftPressAlwaysDrawsALasso)
{
    Window w;
    put(w, counter, 300, 300);
    put(w, post, 700, 300);
    put(w, post, 720, 300);
    w.shift_press(260, 280); // over the counter
    EXPECT_TRUE(w.state.flag_lasso);
    EXPECT_FALSE(w.plan.focus);
    w.drag(750, 350);
    w.release(750, 350);
    EXPECT_EQ(w.selection(), (std::vector<int>{1, 2, 3}));
    // Over a reference point and inside the selection too.
    w.shift_press(700, 300);
    EXPECT_TRUE(w.state.flag_lasso);
    EXPECT_FALSE(w.plan.focus_groupe);
    w.release(300, 300);
    EXPECT_EQ(w.plan.index_focus, 0);
}

TEST(InteractionFootprint, TakePickFocusesAnObjectOrSelectsItsGroup)
{
    Window w;
    put(w, counter, 300, 300);
    put(w, counter, 600, 300);
    put(w, counter, 900, 300);
    const int g = put(w, group_component, 0, 0);
    w.plan.obj_groupe[2] = g;
    w.plan.obj_groupe[3] = g;
    ASSERT_TRUE(select_object(w.plan, 3).ok());
    ASSERT_TRUE(take_pick(w.plan, 1).ok());
    EXPECT_EQ(w.plan.index_focus, 1);
    EXPECT_EQ(w.plan.nb_selection, 0);
    ASSERT_TRUE(take_pick(w.plan, 2).ok());
    EXPECT_EQ(w.plan.index_focus, 0);
    EXPECT_EQ(w.selection(), (std::vector<int>{2, 3}));
}

TEST(InteractionRightButton, AClickAsksForTheMenuOfWhatItPicks)
{
    Window w;
    put(w, counter, 300, 300);
    put(w, counter, 700, 300);
    w.plan.index_focus = 2;
    w.right_press(250, 310); // the footprint of the first counter
    w.right_drag(253, 310);  // 3 pixels: still a click
    w.release(253, 310);
    ASSERT_EQ(w.requested(InteractionRequest::Kind::context_menu).size(), 1u);
    const InteractionRequest menu = w.requests.back();
    EXPECT_EQ(menu.object, 1);
    EXPECT_TRUE(menu.objects.empty());
    EXPECT_EQ(w.plan.index_focus, 1); // it became the focus
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 0); // the turn the press started was let go
    EXPECT_TRUE(w.host.changes.empty());
    EXPECT_FALSE(w.state.rotation_en_cours);

    // On the empty plan: the plan's menu, the focus left alone.
    w.right_press(500, 500);
    w.release(500, 500);
    ASSERT_EQ(w.requests.size(), 2u);
    EXPECT_EQ(w.requests[1].object, 0);
    EXPECT_TRUE(w.requests[1].objects.empty());
    EXPECT_EQ(w.plan.index_focus, 1);

    // Inside the selection's box: the selection's menu.
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    w.plan.index_focus = 0;
    w.right_press(500, 300);
    w.release(500, 300);
    ASSERT_EQ(w.requests.size(), 3u);
    EXPECT_EQ(w.requests[2].objects, (std::vector<int>{1, 2}));
}

TEST(InteractionRightButton, ARightDragStillTurnsAndAsksForNothing)
{
    Window w;
    put(w, counter, 300, 300);
    w.plan.index_focus = 1;
    w.right_press(300, 300);
    w.right_drag(304, 300); // 4 pixels: a drag
    w.right_drag(300, 300); // back where it started: still a drag
    w.right_drag(340, 340);
    w.release(340, 340);
    EXPECT_TRUE(w.requests.empty());
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 40);
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::turn});
}

TEST(InteractionDoubleClick, ADoubleClickAsksForTheObjectDialog)
{
    Window w;
    put(w, counter, 300, 300);
    w.double_click(250, 300);
    const auto dialogs = w.requested(InteractionRequest::Kind::object_properties);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].object, 1);
    EXPECT_FALSE(w.plan.focus);
    w.double_click(600, 600); // on nothing: no dialog
    EXPECT_EQ(w.requests.size(), 1u);
}

TEST(InteractionCommands, TurningByAFixedAngleTurnsTheFocusOrTheSelection)
{
    Window w;
    put(w, counter, 300, 300, 350);
    put(w, counter, 500, 300);
    w.plan.index_focus = 1;
    EXPECT_TRUE(turn_chosen(w.plan, w.components, 90));
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 80);
    EXPECT_FLOAT_EQ(w.plan.obj_x[1], 300); // about its own middle
    EXPECT_TRUE(turn_chosen(w.plan, w.components, -90));
    EXPECT_TRUE(turn_chosen(w.plan, w.components, -90));
    EXPECT_FLOAT_EQ(w.plan.obj_rot[1], 260);

    // The selection about the middle of its box: four quarter turns bring it back.
    w.plan.index_focus = 0;
    w.plan.obj_rot[1] = 0;
    ASSERT_TRUE(select_object(w.plan, 1).ok());
    ASSERT_TRUE(select_object(w.plan, 2).ok());
    EXPECT_TRUE(turn_chosen(w.plan, w.components, 90));
    EXPECT_NEAR(w.plan.obj_x[1], 400, 1e-3);
    EXPECT_NEAR(w.plan.obj_y[1], 200, 1e-3);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 90);
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(turn_chosen(w.plan, w.components, 90));
    EXPECT_NEAR(w.plan.obj_x[1], 300, 1e-3);
    EXPECT_NEAR(w.plan.obj_y[1], 300, 1e-3);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], 0);

    clear_selection(w.plan);
    EXPECT_FALSE(turn_chosen(w.plan, w.components, 90)); // nothing chosen
}

TEST(InteractionCommands, AppendingTakesTheFocusedObjectsComponentWhenNoneIsChosen)
{
    Window w;
    put(w, panel, 300, 300);
    w.plan.index_focus = 1;
    w.state.selected_component = 0;
    EXPECT_TRUE(append_at_focus(w.state, w.context, 0));
    EXPECT_EQ(w.state.selected_component, panel);
    ASSERT_EQ(w.plan.nb_objets, 2);
    EXPECT_EQ(w.plan.comp(2), panel);
    EXPECT_EQ(w.plan.index_focus, 2);
    EXPECT_FLOAT_EQ(w.plan.obj_rot[2], -30); // joined: turned -30 degrees, as the "+" key does
    EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::append});

    // A chosen component is used as it is; "turned" is the "m" rule.
    w.state.selected_component = post;
    EXPECT_TRUE(append_at_focus(w.state, w.context, 1));
    EXPECT_EQ(w.plan.comp(3), post);

    // With nothing focused nothing is added.
    w.plan.index_focus = 0;
    EXPECT_FALSE(append_at_focus(w.state, w.context, 0));
    EXPECT_EQ(w.plan.nb_objets, 3);
}

TEST(InteractionFootprint, AnObjectDrawnFromItsOwnPathIsPickedWhereItsOutlineReaches)
{
    // A 20 by 10 footprint whose point list is 200 cm long: drawn from its right end leftwards.
    Window w;
    constexpr int bench = 120;
    Component& c = define(w.components, bench, 20, 10, 2);
    c.shape = shape_point_list;
    c.draw = "|0|0|200|0|200|10|0|10|";
    put(w, bench, 500, 300);
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 320, 302), 1); // far outside its footprint
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 505, 298), 1);
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 290, 302), 0); // beyond where it is drawn
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 530, 302), 0);
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 400, 320), 0);
    w.plan.obj_rot[1] = 90; // turned with the object
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 498, 120), 1);
    EXPECT_EQ(footprint_object(w.plan, w.components, 1, 320, 302), 0);
}
