#include <gtest/gtest.h>

#include <random>

#include "outputs/bill_of_materials.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

// The built-in pieces the pass counts, with round numbers; module heights are the widths.
ComponentTable wall_system()
{
    ComponentTable c;
    define(c, 3, 114, 5).name = "Gold";
    c[3].price = 100;
    c[3].weight = 2000;
    define(c, 4, 98.5, 5).name = "Silver";
    define(c, 5, 68, 5).name = "Pink";
    define(c, 7, 34, 5).name = "Green";
    define(c, 8, 22, 5).name = "White";
    define(c, 9, 122.75, 5).name = "Black";
    for (int n : {23, 24, 25, 27, 28, 29, 73, 74, 75, 77, 78, 79, 50, 51})
        define(c, n, 1, 1).name = "piece " + std::to_string(n);
    c[50].price = 2.5;
    c[50].weight = 150;
    define(c, 61, 1, 1).name = "Printed visual";
    c[61].price = 40;
    define(c, 1500, 50, 50, 15).name = "Counter";
    return c;
}

EndCodeFn codes(std::string code) { return [code](int, int) { return code; }; }

} // namespace

TEST(ModuleStack, HeightsToTwoDecimals)
{
    EXPECT_EQ(module_stack(228), (std::vector<int>{3, 3}));
    EXPECT_EQ(module_stack(0), (std::vector<int>{3, 3}));
    EXPECT_EQ(module_stack(296), (std::vector<int>{3, 3, 5}));
    EXPECT_EQ(module_stack(37.9f), (std::vector<int>{7}));
    EXPECT_EQ(module_stack(25.504), (std::vector<int>{8}));
    EXPECT_EQ(module_stack(245.5), (std::vector<int>{9, 9}));
    EXPECT_EQ(module_stack(564), (std::vector<int>{3, 3, 3, 3, 3}));
    EXPECT_EQ(module_stack(229), (std::vector<int>{3}));
    EXPECT_EQ(module_stack(25.51), (std::vector<int>{3}));
}

TEST(QuantityPass, LoneGoldPanelPrintedOnItsRecto)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    place(plan, 3, 300, 300, 0, 228);
    Quantities q = count_components(plan, c, all_groups, codes("OO"));
    EXPECT_EQ(q[3], 3 + 4);   // 3 frames and 4 posts
    EXPECT_EQ(q[23], 4);      // a profile at each free end of each module
    EXPECT_EQ(q[51], 2);      // feet
    EXPECT_EQ(q[50], 4);      // junction pieces
    EXPECT_DOUBLE_EQ(q[61], 2.28);
    EXPECT_EQ(q[73], 0);

    Bill bill = make_bill(c, q);
    ASSERT_EQ(bill.rows.size(), 5u);
    EXPECT_EQ(bill.rows[0].component, 3);
    EXPECT_EQ(bill.rows[0].total_price, 700);
    EXPECT_DOUBLE_EQ(bill.total_price, 700 + 4 * 2.5 + 2.28 * 40);
    EXPECT_DOUBLE_EQ(bill.total_weight_g, 7 * 2000 + 4 * 150);
    EXPECT_EQ(bill_clipboard_text(bill).substr(0, 19), "Gold\t 7\t 700\t\r\npiec");
}

TEST(QuantityPass, HeightZeroIsTheFullHeightOfTwoModules)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    const int i = place(plan, 3, 300, 300, 0, 0);
    for (const int faces : {1, 3}) {
        plan.obj_faces[size_t(i)] = faces;
        Quantities q = count_components(plan, c, all_groups, codes("OO"));
        EXPECT_EQ(q[3], 3 + 4);
        EXPECT_DOUBLE_EQ(q[61], 2.28 * (faces == 3 ? 2 : 1)); // printed as tall as it is built
    }
}

TEST(QuantityPass, WallsMeetingEndToEndShareTheirPosts)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    place(plan, 3, 300, 300);        // end 2 at (357, 300)
    place(plan, 3, 418.9f, 304.9f); // end 1 at (361.9, 304.9): within 5
    Quantities q = count_components(plan, c, all_groups, codes("CO"));
    EXPECT_EQ(q[50], 6);
    EXPECT_EQ(q[51], 3);
    EXPECT_EQ(q[3], 6 + 6);
    // Profiles: the first wall's 4 points ("C" at end 1, "O" at end 2); the second's 2 at end 2.
    EXPECT_EQ(q[23], 6);

    plan.obj_x[2] = 419; // 5.0 apart: no longer shared
    EXPECT_EQ(count_components(plan, c, all_groups, codes("CO"))[50], 8);
}

TEST(QuantityPass, JunctionLevelsFollowTheModuleHeights)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    place(plan, 3, 300, 300, 0, 296); // modules 3, 3, 5: levels 0, 114, 228
    place(plan, 3, 300, 300, 0, 228); // same ends, levels 0 and 114: all shared
    Quantities q = count_components(plan, c, all_groups, codes("OO"));
    EXPECT_EQ(q[50], 6);
    EXPECT_EQ(q[5], 2); // the top module's posts
    EXPECT_EQ(q[25], 2);
}

TEST(QuantityPass, FacesDecideProfilesAndPrintedLength)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    int i = place(plan, 3, 300, 300, 0, 228);

    plan.obj_faces[size_t(i)] = 3;
    Quantities q = count_components(plan, c, all_groups, codes("CC"));
    EXPECT_EQ(q[23], 8); // "C" on both faces
    EXPECT_DOUBLE_EQ(q[61], 4.56);
    EXPECT_EQ(count_components(plan, c, all_groups, codes("OO"))[23], 4); // "O" once per end

    plan.obj_faces[size_t(i)] = 2;
    EXPECT_EQ(count_components(plan, c, all_groups, codes("OO"))[23], 4);

    plan.obj_faces[size_t(i)] = 0;
    q = count_components(plan, c, all_groups, codes("CC"));
    EXPECT_EQ(q[23], 0);
    EXPECT_EQ(q[61], 0);
    EXPECT_EQ(q[50], 4);
}

TEST(QuantityPass, CornersForSquareEnds)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    place(plan, 3, 300, 300, 0, 296);
    Quantities q = count_components(plan, c, all_groups, [](int, int face) { return face == 1 ? "RO" : "RR"; });
    EXPECT_EQ(q[73], 2); // recto only, end 1, one per module 3
    EXPECT_EQ(q[75], 1);
    EXPECT_EQ(q[23], 2); // the "O" end, one profile per module
    EXPECT_EQ(q[25], 1);
}

TEST(QuantityPass, OneGroupAndOtherLibraries)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    place(plan, 3, 300, 300);
    int member = place(plan, 3, 414, 300); // shares its end 1 with the first wall
    int group = place(plan, 99, 0, 0);
    plan.obj_groupe[size_t(member)] = group;
    place(plan, 1500, 600, 600);

    Quantities q = count_components(plan, c, group, codes("OO"));
    EXPECT_EQ(q[3], 3 + 2); // the shared posts belong to the first wall
    EXPECT_EQ(q[50], 2);
    EXPECT_DOUBLE_EQ(q[61], 2.28);
    EXPECT_EQ(q[1500], 0);

    q = count_components(plan, c, all_groups, codes("OO"));
    EXPECT_EQ(q[3], 6 + 6);
    EXPECT_EQ(q[1500], 0);
}

TEST(QuantityPass, EmptyPlanGivesAnEmptyBill)
{
    ComponentTable c = wall_system();
    PlanTable plan;
    Bill bill = make_bill(c, count_components(plan, c, all_groups, codes("OO")));
    EXPECT_TRUE(bill.rows.empty());
    EXPECT_EQ(bill.total_price, 0);
    EXPECT_EQ(bill_clipboard_text(bill), "");
}

// Cells of the tolerance's size must find exactly the junctions of the pairwise search.
TEST(QuantityPass, CellsAgreeWithThePairwiseSearch)
{
    ComponentTable c = wall_system();
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(0, 99);
    const float heights[] = {228, 296, 0, 116, 245.5f, 37.9f, 500};
    for (int round = 0; round < 10; ++round) {
        PlanTable plan;
        float x = 0, y = 0;
        while (plan.nb_objets < 2000) {
            int comp = pick(rng) < 90 ? 3 : (pick(rng) < 50 ? 4 : 1500);
            float rot = float(90 * (pick(rng) % 4));
            int i = place(plan, comp, x, y, rot, heights[pick(rng) % 7]);
            plan.obj_faces[size_t(i)] = pick(rng) % 4;
            plan.obj_groupe[size_t(i)] = pick(rng) % 3;
            // Mostly chained walls, some ends just inside or outside the tolerance, some jumps.
            float gap = pick(rng) < 70 ? 0.0f : (pick(rng) < 50 ? 4.99f : 5.0f);
            x += 114 + gap;
            if (pick(rng) < 10) {
                x = float(pick(rng) * 50);
                y += 57;
            }
        }
        auto code = [](int i, int face) { return std::string(1, "OCR"[i % 3]) + "OCR"[(i + face) % 3]; };
        for (int group : {all_groups, 0, 1})
            EXPECT_EQ(count_components(plan, c, group, code), count_components_plain(plan, c, group, code))
                << "round " << round << " group " << group;
    }
}
