// The checks that run at every redraw or list refresh, on a full plan of 2,550 objects: the
// quantity pass and the duplicate marks, each by cells and by the pairwise scan; and one drop
// with snapping.

#include <benchmark/benchmark.h>

#include <stdexcept>

#include "outputs/bill_of_materials.h"
#include "plan/duplicates.h"
#include "plan/snapping.h"

using namespace halvern;

namespace {

ComponentTable wall_components()
{
    ComponentTable c;
    for (int n : {3, 4, 5, 7, 8, 9}) {
        c[n].name = "module";
        c[n].width = 114;
        c[n].depth = 5;
    }
    for (int n = 20; n <= 99; ++n)
        if (c[n].name.empty())
            c[n].name = "piece";
    // A post with four magnets, for the drop.
    Component& post = c[1100];
    post.name = "post";
    post.width = post.depth = 10;
    post.library = 11;
    for (int k = 0; k < 4; ++k) {
        post.magnet_x[size_t(k)] = k % 2 ? 10 : 0.5;
        post.magnet_y[size_t(k)] = k < 2 ? 5 : 9.5;
        post.magnet_force[size_t(k)] = 15;
    }
    return c;
}

// Rows of walls joined end to end, every tenth wall doubled on top of another (a duplicate).
PlanTable full_plan()
{
    PlanTable plan;
    int i = 0;
    for (int row = 0; plan.nb_objets < max_objects; ++row)
        for (int col = 0; col < 50 && plan.nb_objets < max_objects; ++col) {
            i = ++plan.nb_objets;
            plan.obj_comp[size_t(i)] = (col % 10 == 9) ? 1100 : 3;
            plan.obj_x[size_t(i)] = float(100 + col * 114 - (col % 10 == 3 ? 114 : 0));
            plan.obj_y[size_t(i)] = float(100 + row * 150);
            plan.obj_rot[size_t(i)] = 0;
            plan.obj_hauteur[size_t(i)] = (row % 3 == 0) ? 296 : 228;
            plan.obj_faces[size_t(i)] = 1 + col % 3;
            plan.obj_estompe[size_t(i)] = -1;
        }
    return plan;
}

const ComponentTable& components()
{
    static const ComponentTable c = wall_components();
    return c;
}

std::string code_of(int i, int face) { return std::string(1, "OCR"[i % 3]) + "OC"[face - 1]; }

void check_same()
{
    PlanTable plan = full_plan();
    if (count_components(plan, components(), all_groups, code_of)
        != count_components_plain(plan, components(), all_groups, code_of))
        throw std::runtime_error("the quantity passes differ");
    if (find_duplicates(plan, components()) != find_duplicates_plain(plan, components()))
        throw std::runtime_error("the duplicate checks differ");
}

void BM_QuantityPassCells(benchmark::State& state)
{
    check_same();
    PlanTable plan = full_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(count_components(plan, components(), all_groups, code_of));
}

void BM_QuantityPassPairwise(benchmark::State& state)
{
    PlanTable plan = full_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(count_components_plain(plan, components(), all_groups, code_of));
}

void BM_DuplicatesCells(benchmark::State& state)
{
    PlanTable plan = full_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(find_duplicates(plan, components()));
}

void BM_DuplicatesPairwise(benchmark::State& state)
{
    PlanTable plan = full_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(find_duplicates_plain(plan, components()));
}

void BM_DropWithSnapping(benchmark::State& state)
{
    PlanTable plan = full_plan();
    const int f = 19; // a post in the first row
    for (auto _ : state) {
        plan.obj_x[f] = 1300;
        plan.obj_y[f] = 104;
        benchmark::DoNotOptimize(snap_dropped_object(plan, components(), f));
    }
}

} // namespace

BENCHMARK(BM_QuantityPassCells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QuantityPassPairwise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DuplicatesCells)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DuplicatesPairwise)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropWithSnapping)->Unit(benchmark::kMicrosecond);
