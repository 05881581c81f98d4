#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "plan/plan_fixture.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

const ComponentTable& comps() { return test_components(); }

// Both chain numberings must agree on every layout of these tests; the result is the grid's.
std::vector<int> chains(PlanTable& plan)
{
    compute_chains_plain(plan, comps());
    std::vector<int> plain(plan.obj_ilot.begin() + 1, plan.obj_ilot.begin() + plan.nb_objets + 1);
    compute_chains(plan, comps());
    std::vector<int> grid(plan.obj_ilot.begin() + 1, plan.obj_ilot.begin() + plan.nb_objets + 1);
    EXPECT_EQ(plain, grid);
    return grid;
}

std::vector<std::string> codes(const PlanTable& plan)
{
    std::vector<std::string> plain = computed_end_codes_plain(plan, comps());
    std::vector<std::string> grid = computed_end_codes(plan, comps());
    EXPECT_EQ(plain, grid);
    for (int i = 1; i <= plan.nb_objets; ++i)
        EXPECT_EQ(end_code(plan, comps(), i, 1), end_code_with_override(plan, i, 1, grid[size_t(i)]));
    return std::vector<std::string>(grid.begin() + 1, grid.end());
}

using Codes = std::vector<std::string>;

} // namespace

TEST(EndPoint, HalfTheComponentWidthAlongTheAxis)
{
    PlanTable plan;
    place(plan, panel_100, 200, 300, 90);
    plan.obj_largeur[1] = 30; // the component's width counts, not the object's
    const PlanPoint e1 = end_point(plan, comps(), 1, 1);
    const PlanPoint e2 = end_point(plan, comps(), 1, 2);
    EXPECT_NEAR(e1.x, 200, 1e-9);
    EXPECT_NEAR(e1.y, 250, 1e-9);
    EXPECT_NEAR(e2.x, 200, 1e-9);
    EXPECT_NEAR(e2.y, 350, 1e-9);

    place_group(plan);
    EXPECT_EQ(end_point(plan, comps(), 2, 2), (PlanPoint{0, 0}));
}

TEST(Chains, JoinedBelowTheToleranceOnly)
{
    struct Gap {
        float dx, dy;
        bool joined;
    };
    for (Gap gap : {Gap{1.9f, 1.9f, true}, Gap{-1.9f, -1.9f, true}, Gap{2.0f, 0, false}, Gap{0, 2.0f, false},
                    Gap{-2.0f, 1.0f, false}, Gap{1.99f, -1.99f, true}}) {
        PlanTable plan;
        place(plan, panel_100, 100, 100, 0);                     // end 2 at (150, 100)
        place(plan, panel_100, 200 + gap.dx, 100 + gap.dy, 0);   // end 1 at (150 + dx, 100 + dy)
        const std::vector<int> ilot = chains(plan);
        EXPECT_EQ(ilot[0] == ilot[1], gap.joined) << gap.dx << " " << gap.dy;
    }
}

TEST(Chains, LastInTableOrderIsTheNeighbour)
{
    // B and C both touch end 2 of A, but not each other.
    PlanTable plan;
    place(plan, panel_100, 100, 100, 0);    // A: end 2 at (150, 100)
    place(plan, panel_100, 148.5f, 150, 90); // B: end 1 at (148.5, 100)
    place(plan, panel_100, 201.5f, 100, 0);  // C: end 1 at (151.5, 100)
    const EndTable ends = make_end_table(plan, comps());
    EXPECT_EQ(find_neighbour_plain(plan, ends, 1, 2, NeighbourFilter::any), (EndMatch{3, 1}));
    // A takes C; B touches no other member and starts a chain of its own.
    EXPECT_EQ(chains(plan), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(codes(plan), (Codes{"OC", "RO", "CO"}));

    // When B also touches C, it joins the chain through C's end.
    plan.obj_x[2] = 150;
    EXPECT_EQ(chains(plan), (std::vector<int>{1, 1, 1}));
}

TEST(Chains, WalkNumbersInTableOrderAndSkipsObjectsWithoutGeometry)
{
    PlanTable plan;
    place(plan, panel_100, 500, 500, 0);   // a chain of its own
    place(plan, panel_100, 100, 100, 0);
    place_group(plan);                      // a group object lies where it lies, joined to nothing
    plan.obj_x[3] = 150;
    plan.obj_y[3] = 100;
    place(plan, panel_100, 200, 100, 0);
    place(plan, panel_100, 300, 100, 0);    // marked for deletion: joined to nothing
    plan.obj_comp[5] = float(marked_for_deletion);
    place(plan, panel_100, 400, 100, 0);
    EXPECT_EQ(chains(plan), (std::vector<int>{1, 2, 3, 2, 4, 5}));
}

TEST(Chains, LongChainNeedsNoDeepRecursion)
{
    PlanTable plan;
    for (int i = 0; i < max_objects; ++i)
        place(plan, panel_50, float(50 * i), 0, 0);
    compute_chains(plan, comps());
    for (int i = 1; i <= plan.nb_objets; ++i)
        ASSERT_EQ(plan.obj_ilot[size_t(i)], 1);
}

TEST(EndCode, LonePanelAndOverrides)
{
    PlanTable plan;
    place(plan, panel_100, 100, 100, 0);
    EXPECT_EQ(end_code(plan, comps(), 1, 1), "OO");
    EXPECT_EQ(end_code(plan, comps(), 1, 2), "OO");
    plan.obj_force_recto[1] = "R?45x";
    EXPECT_EQ(end_code(plan, comps(), 1, 1), "R?45x");
    EXPECT_EQ(end_code(plan, comps(), 1, 2), "OO");
    plan.obj_force_verso[1] = "CC";
    EXPECT_EQ(end_code(plan, comps(), 1, 2), "CC");

    place_group(plan);
    EXPECT_EQ(end_code(plan, comps(), 2, 1), "OO");
}

TEST(EndCode, StraightRunIsC)
{
    // Turned by 33 degrees: the joint comes from the rotations, so float end points do not turn
    // 180 into 179.
    PlanTable plan;
    const double c = std::cos(33 * 0.017453292519943295), s = std::sin(33 * 0.017453292519943295);
    for (int i = 0; i < 3; ++i)
        place(plan, panel_100, float(1000 + 100 * i * c), float(1000 + 100 * i * s), 33);
    EXPECT_EQ(codes(plan), (Codes{"OC", "CC", "CO"}));
    EXPECT_EQ(joint_angle(plan, 2, 1, {1, 2}), 180);

    // A neighbour lying the other way round meets with its own end 2.
    PlanTable reversed;
    place(reversed, panel_100, 100, 100, 0);
    place(reversed, panel_100, 200, 100, 180);
    EXPECT_EQ(codes(reversed), (Codes{"OC", "OC"}));
}

TEST(EndCode, SquareCornerOnEitherSide)
{
    // A along x, recto towards larger y; B leaves A's end 2 towards the recto side.
    PlanTable recto;
    place(recto, panel_100, 100, 100, 0);
    place(recto, panel_100, 150, 150, 90);
    EXPECT_EQ(joint_angle(recto, 1, 2, {2, 1}), 90);
    EXPECT_EQ(joint_angle(recto, 2, 1, {1, 2}), 90);
    EXPECT_EQ(codes(recto), (Codes{"OR", "RO"}));

    PlanTable verso;
    place(verso, panel_100, 100, 100, 0);
    place(verso, panel_100, 150, 50, 270);
    EXPECT_EQ(joint_angle(verso, 1, 2, {2, 1}), 270);
    EXPECT_EQ(codes(verso), (Codes{"OO", "OO"}));

    // A corner at end 1, with rotations outside 0..359: B rises on A's recto side, while A lies on
    // B's verso side.
    PlanTable turned;
    place(turned, panel_100, 100, 100, 720);   // end 1 at (50, 100)
    place(turned, panel_100, 50, 150, -270);   // end 1 at (50, 100), towards larger y
    EXPECT_EQ(joint_angle(turned, 1, 1, {2, 1}), 90);
    EXPECT_EQ(joint_angle(turned, 2, 1, {1, 1}), 270);
    EXPECT_EQ(codes(turned), (Codes{"RO", "OO"}));
}

TEST(EndCode, OtherAnglesAreWritten)
{
    PlanTable plan;
    place(plan, panel_100, 100, 100, 0);
    const double c = std::cos(45 * 0.017453292519943295), s = std::sin(45 * 0.017453292519943295);
    place(plan, panel_100, float(150 + 50 * c), float(100 + 50 * s), 45);
    place(plan, panel_100, float(50 - 50 * c), float(100 + 50 * s), 135);
    EXPECT_EQ(codes(plan), (Codes{"?135?135", "?135O", "?225O"}));
    plan.obj_y[3] = float(100 - 50 * s);
    plan.obj_rot[3] = 225;
    EXPECT_EQ(codes(plan)[0], "?225?135");
    EXPECT_EQ(end_letter(0), "?0");
    EXPECT_EQ(end_letter(-1), "O");
}
