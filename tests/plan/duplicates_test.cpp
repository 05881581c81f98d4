#include <gtest/gtest.h>

#include <random>

#include "plan/duplicates.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

ComponentTable built_ins()
{
    ComponentTable components;
    define(components, 3, 100, 5, 0);
    define(components, 4, 100, 5, 0);
    define(components, 1500, 100, 5, 15);
    return components;
}

} // namespace

TEST(Duplicates, JustUnderFiveCentimetresMarksBoth)
{
    ComponentTable components = built_ins();
    PlanTable plan;
    place(plan, 3, 100, 100);
    place(plan, 3, 104.9f, 104.9f);
    EXPECT_EQ(find_duplicates(plan, components), (std::vector<int>{1, 2}));
    plan.obj_x[2] = 105;
    EXPECT_TRUE(find_duplicates(plan, components).empty());
}

TEST(Duplicates, RotationMustBeEqualExactly)
{
    ComponentTable components = built_ins();
    PlanTable plan;
    place(plan, 3, 100, 100, 0);
    place(plan, 3, 100, 100, 360);
    EXPECT_TRUE(find_duplicates(plan, components).empty());
}

TEST(Duplicates, OnlyTheBuiltInLibraryAndFadedObjectsUnmarked)
{
    ComponentTable components = built_ins();
    PlanTable plan;
    place(plan, 1500, 100, 100);
    place(plan, 1500, 100, 100);
    EXPECT_TRUE(find_duplicates(plan, components).empty());

    place(plan, 3, 300, 300);
    int faded = place(plan, 4, 300, 300); // another built-in component counts too
    plan.obj_estompe[size_t(faded)] = 0;
    EXPECT_EQ(find_duplicates(plan, components), (std::vector<int>{3}));
}

TEST(Duplicates, GroupAndMarkedObjectsAreNeverPartners)
{
    ComponentTable components = built_ins();
    PlanTable plan;
    place(plan, 3, 100, 100);
    place(plan, 99, 100, 100);
    place(plan, -1, 100, 100);
    EXPECT_TRUE(find_duplicates(plan, components).empty());
}

// The cell method must mark exactly what the pairwise scan marks, also for positions that sit on
// cell borders and pairs right at the 5 cm limit.
TEST(Duplicates, CellsAgreeWithThePairwiseScan)
{
    ComponentTable components = built_ins();
    std::mt19937 rng(42);
    for (int round = 0; round < 20; ++round) {
        PlanTable plan;
        std::uniform_real_distribution<float> where(-200, 800);
        std::uniform_int_distribution<int> pick(0, 9);
        const float nudges[] = {0, 4.999f, 5.0f, 5.001f, -4.999f, -5.0f, 2.5f, 0.0001f};
        while (plan.nb_objets < 2000) {
            float x = pick(rng) < 3 ? float(5 * int(where(rng) / 5)) : where(rng);
            float y = where(rng);
            int comp = pick(rng) < 8 ? 3 : 1500;
            float rot = pick(rng) < 7 ? 0.0f : 90.0f;
            int i = place(plan, comp, x, y, rot);
            if (pick(rng) == 0)
                plan.obj_estompe[size_t(i)] = 0;
            if (plan.nb_objets < 2000 && pick(rng) < 5)
                place(plan, comp, x + nudges[pick(rng) % 8], y + nudges[pick(rng) % 8], rot);
        }
        auto fast = find_duplicates(plan, components);
        EXPECT_EQ(fast, find_duplicates_plain(plan, components)) << "round " << round;
        EXPECT_FALSE(fast.empty());
    }
}
