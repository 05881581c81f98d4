#include <gtest/gtest.h>

#include "plan/snapping.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

constexpr int post = 1100;  // a 10 x 10 post with a magnet on its right side
constexpr int shelf = 1101; // a 40 x 20 shelf with a magnet at the middle of its left edge

class Snapping : public ::testing::Test {
protected:
    Snapping()
    {
        Component& p = define(components, post, 10, 10, 11);
        p.magnet_x[0] = 10;
        p.magnet_y[0] = 5;
        p.magnet_force[0] = 20;
        p.magnet_r[0] = 90;
        p.no_magnet = "1";
        Component& s = define(components, shelf, 40, 20, 12);
        s.magnet_x[0] = 0.5;
        s.magnet_y[0] = 10;
        s.no_magnet = "1";
    }

    ComponentTable components;
    PlanTable plan;
};

} // namespace

TEST_F(Snapping, DroppedMagnetLandsOnTheTarget)
{
    int target = place(plan, post, 100, 100);
    int f = place(plan, shelf, 135, 108); // its magnet at (115.5, 108), target magnet at (105, 100)
    SnapOutcome outcome = snap_dropped_object(plan, components, f);
    EXPECT_EQ(outcome.magnet.object, target);
    EXPECT_NEAR(plan.obj_x[size_t(f)] - 19.5, 105, 1e-4);
    EXPECT_NEAR(plan.obj_y[size_t(f)], 100, 1e-3);
    EXPECT_EQ(plan.obj_elevation[size_t(f)], 228); // on the post's top, magnet height 0
    EXPECT_EQ(plan.obj_x[size_t(target)], 100);   // only the dropped object moves
}

TEST_F(Snapping, ForceIsAStrictRadius)
{
    place(plan, post, 100, 100);
    int f = place(plan, shelf, 144.5f, 100); // its magnet exactly 20 from the target magnet
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);
    components[post].magnet_force[0] = 0;
    plan.obj_x[size_t(f)] = 126;
    EXPECT_EQ(find_magnet(plan, components, f).object, 0) << "force 0 attracts nothing";
}

TEST_F(Snapping, MagnetAtTheOriginNeverSnaps)
{
    place(plan, post, 100, 100);
    components[shelf].magnet_x[0] = 0;
    components[shelf].magnet_y[0] = 0;
    int f = place(plan, shelf, 125, 100);
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);
    components[shelf].magnet_y[0] = 10;
    components[post].magnet_x[0] = 0;
    components[post].magnet_y[0] = 0;
    EXPECT_EQ(find_magnet(plan, components, f).object, 0) << "nor as a target";
}

TEST_F(Snapping, ReceiverNeverPullsButStillAttracts)
{
    components[shelf].magnet_recepteur[0] = 1;
    place(plan, post, 100, 100);
    int f = place(plan, shelf, 125, 100);
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);

    // The other way round: the receiving shelf stands, the post is dragged to it.
    components[shelf].magnet_force[0] = 20;
    PlanTable other;
    int standing = place(other, shelf, 200, 100);
    int dragged = place(other, post, 170, 100);
    EXPECT_EQ(find_magnet(other, components, dragged).object, standing);
}

TEST_F(Snapping, EqualDistancesGoToTheLowerObjectNumber)
{
    place(plan, post, 100, 90);
    place(plan, post, 100, 110);
    int f = place(plan, shelf, 125, 100); // 10 from both target magnets
    EXPECT_EQ(find_magnet(plan, components, f).object, 1);
}

TEST_F(Snapping, ConstraintTurnsTheDroppedObject)
{
    components[post].magnet_contrainte[0] = 1;
    components[shelf].magnet_r[0] = 90;
    place(plan, post, 100, 100);
    int f = place(plan, shelf, 125, 100, 30);
    snap_dropped_object(plan, components, f);
    EXPECT_EQ(plan.obj_rot[size_t(f)], 180); // 0 + 90 + 270 + 180 = 540
}

TEST_F(Snapping, LibraryRestrictionAndOtherLibraryReceivers)
{
    place(plan, post, 100, 100); // library 11
    int f = place(plan, shelf, 125, 100);
    components[shelf].magnet_only_lib[0] = 5;
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);
    components[shelf].magnet_only_lib[0] = 11;
    EXPECT_EQ(find_magnet(plan, components, f).object, 1);

    components[shelf].magnet_only_lib[0] = -1;
    components[shelf].magnet_recepteur[0] = 3; // pulls only towards other libraries
    EXPECT_EQ(find_magnet(plan, components, f).object, 1);
    components[shelf].library = 11;
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);
}

TEST_F(Snapping, NoMagnetElevationKeepsTheHeight)
{
    components[shelf].magnet_no_elevation = 1;
    place(plan, post, 100, 100);
    int f = place(plan, shelf, 125, 100);
    plan.obj_elevation[size_t(f)] = 40;
    snap_dropped_object(plan, components, f);
    EXPECT_EQ(plan.obj_elevation[size_t(f)], 40);
}

TEST_F(Snapping, GroupAndMarkedObjectsNeverAttract)
{
    int g = place(plan, post, 100, 100);
    plan.obj_comp[size_t(g)] = 99;
    int m = place(plan, post, 100, 100);
    plan.obj_comp[size_t(m)] = -1;
    int f = place(plan, shelf, 125, 100);
    EXPECT_EQ(find_magnet(plan, components, f).object, 0);
}

TEST(AutoElevation, ClimbsOntoTheHigherOfStackedObjects)
{
    ComponentTable components;
    define(components, 1200, 100, 50, 12);
    define(components, 1201, 30, 30, 12).auto_elevation = 1;
    PlanTable plan;
    int low = place(plan, 1200, 100, 100, 0, 80);
    int high = place(plan, 1200, 100, 100, 0, 40);
    plan.obj_elevation[size_t(high)] = 80;
    place(plan, 1200, 300, 100, 0, 500); // far away: no overlap
    int f = place(plan, 1201, 140, 110, 0, 10);
    plan.obj_elevation[size_t(f)] = 999;
    snap_dropped_object(plan, components, f);
    EXPECT_EQ(plan.obj_elevation[size_t(f)], 120);
    (void)low;

    // Edges that only touch do not overlap.
    plan.obj_x[size_t(f)] = 165; // 150 + 15
    apply_auto_elevation(plan, components, f);
    EXPECT_EQ(plan.obj_elevation[size_t(f)], 0);
}

TEST(EndJoining, StrictFiveCentimetres)
{
    ComponentTable components;
    define(components, 3, 100, 5);
    PlanTable plan;
    place(plan, 3, 100, 100); // end 2 at (150, 100)
    int f = place(plan, 3, 204.9f, 104.9f); // end 1 at (154.9, 104.9)
    EXPECT_EQ(snap_dropped_object(plan, components, f).joined_to, 1);
    EXPECT_NEAR(plan.obj_x[size_t(f)], 200, 1e-4);
    EXPECT_NEAR(plan.obj_y[size_t(f)], 100, 1e-4);

    plan.obj_x[size_t(f)] = 205;
    plan.obj_y[size_t(f)] = 100;
    EXPECT_EQ(snap_dropped_object(plan, components, f).joined_to, 0);
    EXPECT_EQ(plan.obj_x[size_t(f)], 205);
}

TEST(EndJoining, TheLastMatchingPairWinsAndNoMagnetStaysOut)
{
    ComponentTable components;
    define(components, 3, 100, 5);
    PlanTable plan;
    place(plan, 3, 100, 100);          // ends at 50 and 150
    place(plan, 3, 301, 100);          // ends at 251 and 351
    int f = place(plan, 3, 199, 100); // ends at 149 and 249: both within reach
    EXPECT_EQ(join_ends(plan, components, f), 2);
    EXPECT_NEAR(plan.obj_x[size_t(f)], 201, 1e-4); // end 2 on object 2's end 1, not end 1 on object 1

    components[3].no_magnet = "1";
    plan.obj_x[size_t(f)] = 199;
    EXPECT_EQ(join_ends(plan, components, f), 0);
}
