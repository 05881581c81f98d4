// The drop assist: a magnet or a free end a few pixels from the drop takes it at any zoom, while
// every drop the magnet and joining rule snaps lands exactly where the rule puts it.

#include <gtest/gtest.h>

#include "interaction_driver.h"
#include "plan/snapping.h"
#include "plan/view_state.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int pole = 1100;    // 10 x 10, one magnet on its right side at (105, 100) when placed at (100, 100)
constexpr int bracket = 1101; // 40 x 20, its magnet at the middle of its left edge, 19.5 left of its middle
constexpr int frame = 3;      // library 0, 100 wide, joined at its ends

// The zoom that fits the default 5 x 3 m stand into an 800 x 600 plan: 8 cm are about 9 pixels.
const double fit_zoom = fitted_zoom(800, 600, 5, 3);

struct Parts {
    ComponentTable components;
    Parts(double force)
    {
        Component& p = define(components, pole, 10, 10, 11);
        p.magnet_x[0] = 10;
        p.magnet_y[0] = 5;
        p.magnet_force[0] = force;
        p.no_magnet = "1";
        Component& s = define(components, bracket, 40, 20, 12);
        s.magnet_x[0] = 0.5;
        s.magnet_y[0] = 10;
        s.no_magnet = "1";
        define(components, frame, 100, 5);
    }
};

} // namespace

TEST(DropAssist, AMagnetWithinTwelvePixelsAndTwiceItsForceTakesTheDrop)
{
    struct Case {
        const char* what;
        double force, gap, zoom;
        bool snaps, assisted;
    };
    const Case cases[] = {
        {"8 cm at the fitted zoom", 5, 8, fit_zoom, true, true},
        {"8 cm where 8 cm are 40 pixels", 5, 8, 5, false, false},
        {"exactly 12 pixels", 5, 8, 1.5, true, true},
        {"just over 12 pixels", 5, 8, 1.5001, false, false},
        {"exactly twice the force", 4, 8, fit_zoom, true, true},
        {"over twice the force", 3.9, 8, 0.1, false, false},
        {"force 0, a centimetre away, far out", 0, 1, 0.1, false, false},
        {"inside the force: the rule's own snap", 10, 8, 5, true, false},
        {"no zoom given: the rule alone", 5, 8, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Parts parts(c.force);
        PlanTable plan;
        place(plan, pole, 100, 100);
        const int f = place(plan, bracket, float(105 + 19.5 + c.gap), 100);
        const SnapOutcome outcome = snap_dropped_object(plan, parts.components, f, c.zoom);
        EXPECT_EQ(outcome.magnet.object, c.snaps ? 1 : 0);
        EXPECT_EQ(outcome.assisted, c.assisted);
        EXPECT_NEAR(plan.obj_x[size_t(f)], c.snaps ? 124.5 : 124.5 + c.gap, 1e-4);
        EXPECT_EQ(plan.obj_elevation[size_t(f)], c.snaps ? 228 : 0);
    }
}

TEST(DropAssist, AFreeEndWithinTwelvePixelsAndTenCentimetresIsJoined)
{
    struct Case {
        const char* what;
        double dx, dy, zoom;
        bool joins, assisted;
    };
    const Case cases[] = {
        {"8 cm at the fitted zoom", 8, 0, fit_zoom, true, true},
        {"8 cm where 8 cm are 40 pixels", 8, 0, 5, false, false},
        {"6 cm across and 6 down", 6, 6, fit_zoom, true, true},
        {"exactly 10 cm, far out", 10, 0, 0.1, true, true},
        {"over 10 cm, far out", 10.5, 0, 0.1, false, false},
        {"4.9 cm: the rule's own joint", 4.9, 4.9, 5, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Parts parts(0);
        PlanTable plan;
        place(plan, frame, 100, 100); // end 2 at (150, 100)
        const int f = place(plan, frame, float(200 + c.dx), float(100 + c.dy));
        const SnapOutcome outcome = snap_dropped_object(plan, parts.components, f, c.zoom);
        EXPECT_EQ(outcome.joined_to, c.joins ? 1 : 0);
        EXPECT_EQ(outcome.assisted, c.assisted);
        EXPECT_NEAR(plan.obj_x[size_t(f)], c.joins ? 200 : 200 + c.dx, 1e-4);
    }
}

TEST(DropAssist, AnEndNeverPullsAnObjectOffTheMagnetThatHoldsIt)
{
    Parts parts(5);
    parts.components[bracket].no_magnet = "0";
    PlanTable plan;
    place(plan, pole, 100, 100);
    // The assist takes the magnet 8 cm away; a frame end 9 cm from where the bracket's end lands
    // (and 17 from where it fell) stays where it is.
    place(plan, frame, 185.5f, 100); // end 1 at 135.5
    const int f = place(plan, bracket, 132.5f, 100); // ends at 112.5 and 152.5, landing at 104.5 and 144.5
    const SnapOutcome outcome = snap_dropped_object(plan, parts.components, f, fit_zoom);
    EXPECT_EQ(outcome.magnet.object, 1);
    EXPECT_EQ(outcome.joined_to, 0);
    EXPECT_NEAR(plan.obj_x[size_t(f)], 124.5, 1e-4);
}

// Drops all around a pole with a magnet and two frames: wherever the rule alone snaps the drop, the
// assist at any zoom gives exactly the same table.
TEST(DropAssist, EveryDropTheRuleSnapsLandsWhereTheRulePutsIt)
{
    for (double force : {0.0, 5.0, 20.0}) {
        Parts parts(force);
        parts.components[pole].magnet_contrainte[0] = 1;
        parts.components[pole].magnet_r[0] = 90;
        parts.components[bracket].no_magnet = "0";
        PlanTable base;
        place(base, pole, 100, 100);
        place(base, frame, 175, 100); // ends at 125 and 225
        place(base, frame, 175, 140, 90);
        int rule_snaps = 0;
        for (int component : {bracket, frame}) {
            PlanTable plan = base;
            const int f = place(plan, component, 0, 0);
            const size_t F = size_t(f);
            for (double x = 100; x <= 260; x += 2.5)
                for (double y = 80; y <= 200; y += 2.5) {
                    const auto drop = [&](double zoom) {
                        plan.obj_elevation[F] = 0;
                        return drop_object(plan, parts.components, f, x, y, 30, zoom);
                    };
                    const SnapOutcome by_rule = drop(0);
                    if (by_rule.magnet.object == 0 && by_rule.joined_to == 0)
                        continue;
                    ++rule_snaps;
                    const float rule[4] = {plan.obj_x[F], plan.obj_y[F], plan.obj_rot[F], plan.obj_elevation[F]};
                    for (double zoom : {fit_zoom, 0.05}) {
                        const SnapOutcome outcome = drop(zoom);
                        ASSERT_FALSE(outcome.assisted) << component << " at " << x << "," << y;
                        const float got[4] = {plan.obj_x[F], plan.obj_y[F], plan.obj_rot[F], plan.obj_elevation[F]};
                        for (int v = 0; v < 4; ++v)
                            ASSERT_EQ(got[v], rule[v]) << component << " at " << x << "," << y << ", value " << v;
                    }
                }
        }
        EXPECT_GT(rule_snaps, 20) << "force " << force;
    }
}

// Through the pointer: a frame dragged and released 8 cm beside another's end.
TEST(DropAssist, ADragReleasedEightCentimetresFromAnEnd)
{
    for (double zoom : {1.0, 5.0}) {
        SCOPED_TRACE(zoom);
        PlanWindow w;
        w.view.zoom = zoom;
        place(w.plan, panel, 100, 100); // end 2 at (150, 100)
        const int f = place(w.plan, panel, 260, 100);
        w.press(260, 100);
        w.drag(230, 103);
        w.release(208, 103);
        EXPECT_NEAR(w.plan.obj_x[size_t(f)], zoom == 1.0 ? 200 : 208, 1e-4);
        EXPECT_NEAR(w.plan.obj_y[size_t(f)], zoom == 1.0 ? 100 : 103, 1e-4);
        EXPECT_EQ(w.host.changes, std::vector<PlanChange>{PlanChange::move});
    }
}
