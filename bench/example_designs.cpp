// The shipped installation as a user meets it: the start-up load of the catalogue and the starter
// libraries, then opening the island example and working out its chains and end codes, as the
// first redraw does.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "library/library_loader.h"
#include "plan/plan_ends.h"
#include "project/project_reader.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

const fs::path stage = HALVERN_STAGE_DIR;

void BM_LoadShippedLibrary(benchmark::State& state)
{
    for (auto _ : state) {
        ComponentTable components;
        LibraryTable libraries;
        benchmark::DoNotOptimize(load_component_tables(stage, "en", components, libraries));
    }
}
BENCHMARK(BM_LoadShippedLibrary)->Unit(benchmark::kMillisecond);

void BM_OpenIslandExample(benchmark::State& state)
{
    ComponentTable components;
    LibraryTable libraries;
    load_component_tables(stage, "en", components, libraries);
    const fs::path file = stage / "examples" / "island_stand_8x6.qlm";
    Result<ProjectBytes> bytes = read_project_bytes(file);
    if (!bytes) {
        state.SkipWithError(bytes.error().text().c_str());
        return;
    }
    for (auto _ : state) {
        PlanTable plan;
        StandSettings stand;
        ProjectReadResult read =
            read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, components, plan, stand);
        compute_chains(plan, components);
        benchmark::DoNotOptimize(computed_end_codes(plan, components));
        benchmark::DoNotOptimize(read.objects_added);
    }
}
BENCHMARK(BM_OpenIslandExample)->Unit(benchmark::kMicrosecond);

} // namespace
