#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <vector>

#include "plan/end_grid.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "plan/plan_fixture.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

const ComponentTable& comps() { return test_components(); }

// Offsets that put an end just inside, on, and just outside the joining tolerance.
double near_tolerance(std::mt19937& rng)
{
    static const double offsets[] = {0, 1.9, 1.99, 1.999, 2.0, 2.001, 2.01, 0.5, 1.0};
    const double sign = rng() % 2 ? 1.0 : -1.0;
    if (rng() % 4 == 0)
        return std::uniform_real_distribution<double>(-2.5, 2.5)(rng);
    return sign * offsets[rng() % std::size(offsets)];
}

// Thousands of objects, most of them placed with one end near an end of an earlier object, some on
// cell edges, some turned by arbitrary angles, some without geometry or with unusable coordinates.
PlanTable random_layout(std::mt19937& rng, int n)
{
    static const int components[] = {panel_100, panel_50, profile_40, shelf_80, odd_style};
    PlanTable plan;
    std::uniform_real_distribution<double> anywhere(0, 3000);
    for (int i = 1; i <= n; ++i) {
        const unsigned kind = rng() % 100;
        if (kind < 2) {
            place_group(plan);
            plan.obj_x[size_t(i)] = float(anywhere(rng));
            continue;
        }
        const int comp = components[rng() % std::size(components)];
        double rot = rng() % 2 ? double(5 * int(rng() % 72)) : std::uniform_real_distribution<double>(-720, 720)(rng);
        if (kind < 25)
            rot = 90.0 * double(rng() % 4);
        double x = 0, y = 0;
        if (kind < 75 && i > 1) {
            const int j = 1 + int(rng() % size_t(i - 1));
            const PlanPoint p = end_point(plan, comps(), j, 1 + int(rng() % 2));
            const double half = comps()[comp].width / 2;
            const double a = rot * 0.017453292519943295;
            const double sign = rng() % 2 ? 1.0 : -1.0; // which of the new object's ends goes there
            x = p.x + near_tolerance(rng) + sign * half * std::cos(a);
            y = p.y + near_tolerance(rng) + sign * half * std::sin(a);
        } else if (kind < 90) {
            x = 2.0 * double(rng() % 1500); // ends on cell edges
            y = 2.0 * double(rng() % 1500);
        } else {
            x = anywhere(rng);
            y = anywhere(rng);
        }
        if (kind == 99) {
            static const double odd[] = {std::numeric_limits<double>::quiet_NaN(), 1e30, -1e30,
                                         std::numeric_limits<double>::infinity(), 3e38};
            (rng() % 2 ? x : y) = odd[rng() % std::size(odd)];
        }
        place(plan, comp, float(x), float(y), float(rot));
        if (kind == 98)
            plan.obj_comp[size_t(i)] = float(marked_for_deletion);
    }
    return plan;
}

struct Closeness {
    int joined_near_edge = 0; // joined, with an offset beyond 1.9 in x or y
    int missed_near_edge = 0; // not joined, with both offsets below 2.1
};

Closeness closeness(const PlanTable& plan)
{
    const EndTable ends = make_end_table(plan, comps());
    Closeness c;
    for (int i = 1; i <= plan.nb_objets; ++i)
        for (int j = i + 1; j <= plan.nb_objets; ++j)
            for (int e = 1; e <= 2; ++e)
                for (int f = 1; f <= 2; ++f) {
                    if (!ends.usable[size_t(i)] || !ends.usable[size_t(j)])
                        continue;
                    const PlanPoint a = ends.at(i, e), b = ends.at(j, f);
                    const double d = std::max(std::abs(a.x - b.x), std::abs(a.y - b.y));
                    if (ends_joined(a, b) && d > 1.9)
                        ++c.joined_near_edge;
                    if (!ends_joined(a, b) && d < 2.1)
                        ++c.missed_near_edge;
                }
    return c;
}

} // namespace

TEST(EndGrid, SameAnswersAsThePlainScanOnRandomLayouts)
{
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 rng(seed);
        PlanTable plan = random_layout(rng, max_objects);

        // The layout really tests the edge of the tolerance.
        const Closeness c = closeness(plan);
        EXPECT_GT(c.joined_near_edge, 100) << seed;
        EXPECT_GT(c.missed_near_edge, 100) << seed;

        PlanTable plain_plan = plan;
        compute_chains_plain(plain_plan, comps());
        compute_chains(plan, comps());
        std::set<int> chains;
        for (int i = 1; i <= plan.nb_objets; ++i) {
            ASSERT_EQ(plan.obj_ilot[size_t(i)], plain_plan.obj_ilot[size_t(i)]) << "seed " << seed << " object " << i;
            chains.insert(plan.obj_ilot[size_t(i)]);
        }
        EXPECT_LT(chains.size(), size_t(plan.nb_objets) * 3 / 4) << seed; // many objects share a chain

        EXPECT_EQ(computed_end_codes(plan, comps()), computed_end_codes_plain(plan, comps())) << seed;

        // Every single search, both with every object available and with a partial numbering.
        const EndTable ends = make_end_table(plan, comps());
        const EndGrid grid(ends, plan.nb_objets);
        EXPECT_EQ(grid.cell_size(), 2.0);
        for (int i = 1; i <= plan.nb_objets; ++i)
            plan.obj_ilot[size_t(i)] = rng() % 3 == 0 ? 1 : 0;
        int found = 0;
        for (int i = 1; i <= plan.nb_objets; ++i)
            for (int e = 1; e <= 2; ++e)
                for (NeighbourFilter filter : {NeighbourFilter::any, NeighbourFilter::unnumbered}) {
                    const EndMatch expected = find_neighbour_plain(plan, ends, i, e, filter);
                    ASSERT_EQ(grid.find_neighbour(plan, i, e, filter), expected)
                        << "seed " << seed << " object " << i << " end " << e;
                    found += expected.found();
                }
        EXPECT_GT(found, plan.nb_objets);
    }
}

TEST(EndGrid, FarAndUnusableCoordinates)
{
    PlanTable plan;
    place(plan, panel_50, 1e30f, 0, 0);
    place(plan, panel_50, 1e30f, 0, 0);   // the very same far ends: joined
    place(plan, panel_50, -1e30f, 0, 0);
    place(plan, panel_50, std::numeric_limits<float>::quiet_NaN(), 0, 0);
    place(plan, panel_50, std::numeric_limits<float>::infinity(), 0, 0);
    place(plan, panel_50, std::numeric_limits<float>::infinity(), 0, 0); // infinity is joined to nothing
    const EndTable ends = make_end_table(plan, comps());
    const EndGrid grid(ends, plan.nb_objets);
    for (int i = 1; i <= plan.nb_objets; ++i)
        for (int e = 1; e <= 2; ++e)
            EXPECT_EQ(grid.find_neighbour(plan, i, e, NeighbourFilter::any),
                      find_neighbour_plain(plan, ends, i, e, NeighbourFilter::any));
    EXPECT_EQ(grid.find_neighbour(plan, 1, 2, NeighbourFilter::any), (EndMatch{2, 2}));
    EXPECT_FALSE(grid.find_neighbour(plan, 5, 1, NeighbourFilter::any).found());
}
