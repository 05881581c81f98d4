// Every design check over a full plan of 2,550 objects, as the Checks list runs them after each
// edit (the pictures answered from memory, as the list's cache answers them once read); the check
// of objects in the air at its worst; and the overlap search by grid against the pairwise scan it
// replaces.

#include <benchmark/benchmark.h>

#include <map>
#include <stdexcept>

#include "plan/design_checks.h"
#include "plan/footprint_overlaps.h"

using namespace halvern;

namespace {

const ComponentTable& components()
{
    static const ComponentTable table = [] {
        ComponentTable c;
        c[3].name = "frame";
        c[3].width = 114;
        c[3].depth = 5;
        c[3].has_3d = true;
        c[1100].name = "table";
        c[1100].width = c[1100].depth = 60;
        c[1100].library = 11;
        c[1100].has_3d = true;
        return c;
    }();
    return table;
}

// Rows of frames joined end to end, each row closed by a square corner, a table in front of every
// tenth frame, pictures on the frames; one frame in a hundred doubled on another.
PlanTable full_plan()
{
    PlanTable plan;
    for (int row = 0; plan.nb_objets < max_objects; ++row)
        for (int col = 0; col < 50 && plan.nb_objets < max_objects; ++col) {
            const size_t i = size_t(++plan.nb_objets);
            const bool desk = col % 10 == 9;
            plan.obj_comp[i] = desk ? 1100 : 3;
            plan.obj_x[i] = float(200 + col * 114 - (col % 100 == 33 ? 114 : 0));
            plan.obj_y[i] = float(200 + row * 110 + (desk ? 40 : 0));
            plan.obj_rot[i] = 0;
            plan.obj_hauteur[i] = desk ? 75 : 228;
            plan.obj_faces[i] = 1;
            plan.obj_visuel_recto[i] = desk ? "" : "visual" + std::to_string(col % 7) + ".jpg";
            plan.obj_estompe[i] = -1;
        }
    return plan;
}

class MemoryPictures : public PictureProbe {
public:
    std::optional<std::array<int, 2>> size_of(const std::string& path) override
    {
        if (path == "visual6.jpg")
            return std::nullopt;
        return std::array<int, 2>{1140, 2280};
    }
};

struct Design {
    PlanTable plan = full_plan();
    StandSettings stand{60, 60, 0, {}, {}, {}};
    UiText texts;
    MemoryPictures pictures;
    CheckInput input() { return {plan, components(), stand, texts, &pictures}; }
};

void BM_AllChecks(benchmark::State& state)
{
    Design d;
    if (find_overlaps(d.plan, components()) != find_overlaps_plain(d.plan, components()))
        throw std::runtime_error("the overlap searches differ");
    size_t found = 0;
    for (auto _ : state) {
        std::vector<Finding> findings = run_design_checks(d.input());
        found = findings.size();
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["findings"] = double(found);
}
BENCHMARK(BM_AllChecks)->Unit(benchmark::kMillisecond);

// Every table lifted to 75 cm with nothing under it: each is tried against every object of the plan.
void BM_FloatingTables(benchmark::State& state)
{
    Design d;
    for (int i = 1; i <= d.plan.nb_objets; ++i)
        if (d.plan.comp(i) == 1100)
            d.plan.obj_elevation[size_t(i)] = 75;
    size_t found = 0;
    for (auto _ : state) {
        std::vector<Finding> findings = check_floating(d.input());
        found = findings.size();
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["findings"] = double(found);
}
BENCHMARK(BM_FloatingTables)->Unit(benchmark::kMillisecond);

void BM_OverlapsGrid(benchmark::State& state)
{
    Design d;
    for (auto _ : state)
        benchmark::DoNotOptimize(find_overlaps(d.plan, components()).size());
}
BENCHMARK(BM_OverlapsGrid)->Unit(benchmark::kMillisecond);

void BM_OverlapsPlain(benchmark::State& state)
{
    Design d;
    for (auto _ : state)
        benchmark::DoNotOptimize(find_overlaps_plain(d.plan, components()).size());
}
BENCHMARK(BM_OverlapsPlain)->Unit(benchmark::kMillisecond);

} // namespace
