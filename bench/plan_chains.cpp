// Chain numbers and end codes of a full plan, as every redraw computes them: the grid search
// against the plain scan of the whole table, on 2550 panels joined end to end in one long snake.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "library/component_table.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"

using namespace halvern;

namespace {

constexpr int panel = 1;

const ComponentTable& components()
{
    static const ComponentTable table = [] {
        ComponentTable t;
        t[panel].name = "panel";
        t[panel].width = 100;
        return t;
    }();
    return table;
}

void put(PlanTable& plan, float x, float y, float rot)
{
    const size_t i = size_t(++plan.nb_objets);
    plan.obj_comp[i] = panel;
    plan.obj_x[i] = x;
    plan.obj_y[i] = y;
    plan.obj_rot[i] = rot;
}

// 51 rows of 49 panels, running right and left in turn, each row joined to the next by an upright
// panel: 2550 panels in one chain.
PlanTable snake()
{
    PlanTable plan;
    for (int row = 0; row < 51; ++row) {
        const float y = float(100 + 100 * row);
        const bool rightwards = row % 2 == 0;
        for (int k = 0; k < 49; ++k)
            put(plan, rightwards ? float(150 + 100 * k) : float(4950 - 100 * k), y, rightwards ? 0.0f : 180.0f);
        put(plan, rightwards ? 5000.0f : 100.0f, y + 50, 90);
    }
    return plan;
}

struct Outcome {
    std::vector<int> ilot;
    std::vector<std::string> codes;
    bool operator==(const Outcome&) const = default;
};

Outcome run_plain(PlanTable& plan)
{
    compute_chains_plain(plan, components());
    return {plan.obj_ilot, computed_end_codes_plain(plan, components())};
}

Outcome run_grid(PlanTable& plan)
{
    compute_chains(plan, components());
    return {plan.obj_ilot, computed_end_codes(plan, components())};
}

PlanTable& checked_plan()
{
    static PlanTable plan = [] {
        PlanTable p = snake();
        PlanTable q = p;
        if (p.nb_objets != max_objects || !(run_plain(p) == run_grid(q)) || q.obj_ilot[size_t(max_objects)] != 1) {
            std::fprintf(stderr, "plan_chains: the grid and the plain scan disagree\n");
            std::exit(1);
        }
        return p;
    }();
    return plan;
}

void chains_and_end_codes_plain(benchmark::State& state)
{
    PlanTable& plan = checked_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(run_plain(plan));
}

void chains_and_end_codes_grid(benchmark::State& state)
{
    PlanTable& plan = checked_plan();
    for (auto _ : state)
        benchmark::DoNotOptimize(run_grid(plan));
}

// Both in one run, so that the ratio is taken on the same machine load.
void grid_against_plain(benchmark::State& state)
{
    PlanTable& plan = checked_plan();
    using clock = std::chrono::steady_clock;
    double plain_s = 0, grid_s = 0;
    for (auto _ : state) {
        auto t0 = clock::now();
        benchmark::DoNotOptimize(run_plain(plan));
        auto t1 = clock::now();
        benchmark::DoNotOptimize(run_grid(plan));
        auto t2 = clock::now();
        plain_s += std::chrono::duration<double>(t1 - t0).count();
        grid_s += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["plain_ms"] = 1000 * plain_s / n;
    state.counters["grid_ms"] = 1000 * grid_s / n;
    state.counters["ratio"] = plain_s / grid_s;
}

} // namespace

BENCHMARK(chains_and_end_codes_plain)->Unit(benchmark::kMillisecond);
BENCHMARK(chains_and_end_codes_grid)->Unit(benchmark::kMillisecond);
BENCHMARK(grid_against_plain)->Unit(benchmark::kMillisecond)->Iterations(20);
