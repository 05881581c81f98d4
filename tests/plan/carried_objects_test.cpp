// Objects standing on others: which objects a carrier carries, and the gestures that take them
// along (moved, turned, copied, deleted with it), or leave them where they are with the switch off.

#include <gtest/gtest.h>

#include <cmath>

#include "interaction_driver.h"
#include "plan/carried_objects.h"
#include "plan/dialog_fields.h"
#include "plan/select_many.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int counter = 201;  // 100 x 50, 105 high
constexpr int holder = 202;   // 24 x 12, climbs onto what it is dropped on
constexpr int platform = 203; // 200 x 100, 10 high
constexpr int carpet = 204;   // 300 x 300, 1 high

void define_pieces(ComponentTable& t)
{
    define(t, counter, 100, 50, 2).no_magnet = "1";
    Component& h = define(t, holder, 24, 12, 1);
    h.no_magnet = "1";
    h.auto_elevation = 1;
    define(t, platform, 200, 100, 5).no_magnet = "1";
    define(t, carpet, 300, 300, 5).no_magnet = "1";
}

// An object with its own size, raised to `elevation`.
int put(PlanTable& plan, const ComponentTable& t, int component, float x, float y, float elevation, float height,
        float rot = 0)
{
    const int i = place(plan, component, x, y, rot, height);
    plan.obj_largeur[size_t(i)] = float(t[component].width);
    plan.obj_profondeur[size_t(i)] = float(t[component].depth);
    plan.obj_elevation[size_t(i)] = elevation;
    return i;
}

struct Stand : PlanWindow {
    int desk = 0, brochures = 0;
    Stand(bool carry)
    {
        define_pieces(components);
        state.carry = carry;
        desk = put(plan, components, counter, 300, 300, 0, 105);
        brochures = put(plan, components, holder, 320, 300, 105, 30);
    }
    float x(int i) const { return plan.obj_x[size_t(i)]; }
    float y(int i) const { return plan.obj_y[size_t(i)]; }
};

} // namespace

TEST(CarriedObjects, WhatStandsOnACarrier)
{
    struct Case {
        const char* what;
        int carrier;
        float carrier_height, carrier_rot;
        float x, y, rot, elevation;
        bool carried;
    };
    // The carrier stands at (300, 300); a holder of 24 x 12 is tried on it.
    const Case cases[] = {
        {"on the counter's top", counter, 105, 0, 320, 300, 0, 105, true},
        {"a centimetre low", counter, 105, 0, 320, 300, 0, 104, true},
        {"a centimetre high", counter, 105, 0, 320, 300, 0, 106, true},
        {"floating above it", counter, 105, 0, 320, 300, 0, 106.5f, false},
        {"on the floor beside its foot", counter, 105, 0, 320, 300, 0, 0, false},
        {"flush with its right edge", counter, 105, 0, 338, 300, 0, 105, true},
        {"overhanging its right edge", counter, 105, 0, 340, 300, 0, 105, false},
        {"turned, reaching past its back", counter, 105, 0, 300, 320, 90, 105, false},
        {"inside a turned counter", counter, 105, 90, 300, 335, 90, 105, true},
        {"where the turned counter is not", counter, 105, 90, 340, 300, 0, 105, false},
        {"on a frame of height 0, read as 228", 3, 0, 0, 300, 300, 0, 228, true},
        {"a carpet carries nothing", carpet, 1, 0, 320, 300, 0, 1, false},
        {"nor what stands on the floor over it", carpet, 1, 0, 320, 300, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ComponentTable t;
        define_pieces(t);
        define(t, 3, 100, 30, 0);
        PlanTable plan;
        const int carrier = put(plan, t, c.carrier, 300, 300, 0, c.carrier_height, c.carrier_rot);
        const int object = put(plan, t, holder, c.x, c.y, c.elevation, 30, c.rot);
        EXPECT_EQ(carries(plan, t, carrier, object), c.carried);
        EXPECT_FALSE(carries(plan, t, object, carrier));
    }
}

TEST(CarriedObjects, AStackCarriesEverythingOnIt)
{
    ComponentTable t;
    define_pieces(t);
    PlanTable plan;
    const int desk = put(plan, t, counter, 300, 300, 10, 105);
    const int stage = put(plan, t, platform, 280, 300, 0, 10);
    put(plan, t, holder, 420, 300, 0, 30); // on the floor beside the platform
    const int brochures = put(plan, t, holder, 320, 300, 115, 30);
    EXPECT_EQ(carried_objects(plan, t, {stage}), (std::vector<int>{desk, brochures}));
    EXPECT_EQ(carried_objects(plan, t, {desk}), (std::vector<int>{brochures}));
    EXPECT_TRUE(carried_objects(plan, t, {brochures}).empty());
}

// A press on the counter away from the holder, and the gesture; with the switch on the holder goes
// along, with it off the holder stays where it was.
TEST(CarriedObjects, MovingTheCounter)
{
    for (bool carry : {true, false}) {
        SCOPED_TRACE(carry ? "carrying" : "switched off");
        Stand w(carry);
        w.press(295, 300);
        w.drag(345, 325);
        ASSERT_FALSE(w.host.live.empty());
        EXPECT_EQ(w.host.live.back().objects.size(), carry ? 2u : 1u); // the holder's outline goes along
        w.release(395, 350);
        EXPECT_FLOAT_EQ(w.x(w.desk), 400);
        EXPECT_FLOAT_EQ(w.y(w.desk), 350);
        EXPECT_FLOAT_EQ(w.x(w.brochures), carry ? 420 : 320);
        EXPECT_FLOAT_EQ(w.y(w.brochures), carry ? 350 : 300);
        EXPECT_EQ(w.plan.obj_elevation[size_t(w.brochures)], 105);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::move});
    }
}

TEST(CarriedObjects, TurningTheCounter)
{
    for (bool carry : {true, false}) {
        SCOPED_TRACE(carry ? "carrying" : "switched off");
        Stand w(carry);
        w.click(295, 300);
        w.right_press(295, 300);
        w.right_drag(315, 320); // 20 degrees
        w.at(315, 320, button_none);
        EXPECT_FLOAT_EQ(w.plan.obj_rot[size_t(w.desk)], 20);
        const double a = 20 * 3.14159265358979 / 180;
        EXPECT_NEAR(w.x(w.brochures), carry ? 300 + 20 * std::cos(a) : 320, 1e-3);
        EXPECT_NEAR(w.y(w.brochures), carry ? 300 + 20 * std::sin(a) : 300, 1e-3);
        EXPECT_FLOAT_EQ(w.plan.obj_rot[size_t(w.brochures)], carry ? 20 : 0);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::turn});
    }
}

TEST(CarriedObjects, CopyingTheCounterWithAlt)
{
    for (bool carry : {true, false}) {
        SCOPED_TRACE(carry ? "carrying" : "switched off");
        Stand w(carry);
        w.press(295, 300, kk_alt);
        w.drag(295, 400, kk_alt);
        w.release(295, 450, kk_alt);
        ASSERT_EQ(w.plan.nb_objets, carry ? 4 : 3);
        EXPECT_FLOAT_EQ(w.y(3), 450);
        EXPECT_FLOAT_EQ(w.x(w.brochures), 320); // the originals stay
        EXPECT_FLOAT_EQ(w.y(w.brochures), 300);
        if (carry) {
            EXPECT_EQ(w.plan.comp(4), holder);
            EXPECT_FLOAT_EQ(w.x(4), 320);
            EXPECT_FLOAT_EQ(w.y(4), 450);
            EXPECT_EQ(w.plan.obj_elevation[4], 105);
        }
        EXPECT_EQ(w.plan.index_focus, 3);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::copy});
    }
}

TEST(CarriedObjects, DeletingTheCounter)
{
    for (bool carry : {true, false}) {
        SCOPED_TRACE(carry ? "carrying" : "switched off");
        Stand w(carry);
        put(w.plan, w.components, counter, 600, 300, 0, 105); // carries nothing, stays
        w.click(295, 300);
        EXPECT_TRUE(delete_key(w.state, w.context));
        ASSERT_EQ(w.plan.nb_objets, carry ? 1 : 2);
        EXPECT_EQ(w.plan.comp(carry ? 1 : 2), counter);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::deletion});
    }
}

TEST(CarriedObjects, AGroupTakesWhatItsCarrierCarries)
{
    Stand w(true);
    const int other = put(w.plan, w.components, counter, 300, 450, 0, 105);
    w.plan.focus = false;
    w.plan.index_focus = 0;
    select_objects(w.plan, {w.desk, other});
    w.key("g", kk_ctrl);
    w.press(295, 300); // picks the group
    w.release(295, 300);
    w.press(300, 300); // holds the selection
    w.drag(350, 300);
    w.release(400, 300);
    EXPECT_FLOAT_EQ(w.x(w.desk), 400);
    EXPECT_FLOAT_EQ(w.x(other), 400);
    EXPECT_FLOAT_EQ(w.x(w.brochures), 420);
}

TEST(CarriedObjects, TheMenuTurnAndTheArrowKeysTakeThemAlong)
{
    ComponentTable t;
    define_pieces(t);
    PlanTable plan;
    const int desk = put(plan, t, counter, 300, 300, 0, 105);
    const int brochures = put(plan, t, holder, 320, 300, 105, 30);
    plan.index_focus = desk;
    EXPECT_TRUE(turn_chosen(plan, t, 90, carried_by_chosen(plan, t)));
    EXPECT_NEAR(plan.obj_x[size_t(brochures)], 300, 1e-3);
    EXPECT_NEAR(plan.obj_y[size_t(brochures)], 320, 1e-3);
    EXPECT_FLOAT_EQ(plan.obj_rot[size_t(brochures)], 90);
    EXPECT_TRUE(nudge_objects(plan, 10, 0, carried_by_chosen(plan, t)));
    EXPECT_NEAR(plan.obj_x[size_t(brochures)], 310, 1e-3);
}

TEST(CarriedObjects, ACopyOfTheCounterSnapsAndItsHolderFollows)
{
    ComponentTable t;
    define_pieces(t);
    t[counter].no_magnet = "0";
    PlanTable plan;
    put(plan, t, counter, 300, 300, 0, 105); // its end 2 at (350, 300)
    const int copy = put(plan, t, counter, 403, 302, 0, 105);
    const int on_copy = put(plan, t, holder, 423, 302, 105, 30);
    settle_copies(plan, t, {copy, on_copy});
    EXPECT_NEAR(plan.obj_x[size_t(copy)], 400, 1e-3); // joined end to end
    EXPECT_NEAR(plan.obj_x[size_t(on_copy)], 420, 1e-3);
    EXPECT_NEAR(plan.obj_y[size_t(on_copy)], 300, 1e-3);
}

// The dialogs and the height and elevation commands edit the counter's own fields; what stands on
// it turns with it and stays on its top.
TEST(CarriedObjects, EditingTheCountersFieldsKeepsItsLoadOnTop)
{
    struct Case {
        const char* what;
        float rot, elevation, height;
        bool carry;
        float x, y, on_top;
    };
    const Case cases[] = {
        {"turned a quarter", 90, 0, 105, true, 300, 320, 105},
        {"raised on a plinth", 0, 10, 105, true, 320, 300, 115},
        {"made taller", 0, 0, 110, true, 320, 300, 110},
        {"with the switch off", 90, 10, 110, false, 320, 300, 105},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ComponentTable t;
        define_pieces(t);
        PlanTable plan;
        const int desk = put(plan, t, counter, 300, 300, 0, 105);
        const int brochures = put(plan, t, holder, 320, 300, 105, 30);
        const CarriedLoad load(plan, t, {desk}, c.carry);
        plan.obj_rot[size_t(desk)] = c.rot;
        plan.obj_elevation[size_t(desk)] = c.elevation;
        plan.obj_hauteur[size_t(desk)] = c.height;
        load.settle(plan);
        EXPECT_NEAR(plan.obj_x[size_t(brochures)], c.x, 1e-3);
        EXPECT_NEAR(plan.obj_y[size_t(brochures)], c.y, 1e-3);
        EXPECT_FLOAT_EQ(plan.obj_elevation[size_t(brochures)], c.on_top);
    }
}

// The group dialog turns its members about the group's middle and raises them: the holder on one
// of them goes with its counter; a holder that is itself a member moves once.
TEST(CarriedObjects, TheGroupDialogTakesTheLoadOfItsMembers)
{
    ComponentTable t;
    define_pieces(t);
    PlanTable plan;
    const int left = put(plan, t, counter, 300, 300, 0, 105);
    const int right = put(plan, t, counter, 500, 300, 0, 105);
    const int loose = put(plan, t, holder, 280, 300, 105, 30);
    const int member = put(plan, t, holder, 520, 300, 105, 30);
    const std::vector<int> members{left, right, member};
    const CarriedLoad load(plan, t, members, true);
    GroupFields f = read_group_fields(plan, members);
    f.rot = "180";
    f.elevation = "10";
    apply_group_fields(plan, t, members, 0, f);
    load.settle(plan);
    // Turned half a turn about (400, 300): the left counter stands where the right one stood.
    EXPECT_NEAR(plan.obj_x[size_t(left)], 500, 1e-3);
    EXPECT_NEAR(plan.obj_x[size_t(loose)], 520, 1e-3);
    EXPECT_FLOAT_EQ(plan.obj_elevation[size_t(loose)], 115);
    EXPECT_NEAR(plan.obj_x[size_t(member)], 280, 1e-3);
    EXPECT_FLOAT_EQ(plan.obj_elevation[size_t(member)], 115);
}
