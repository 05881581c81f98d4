// The 3D scene of a full design (2,550 objects: printed walls, bends and starter components),
// against writing the same number of bytes raw through the same safe-write path. The goal is a
// ratio of at most 3.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/text_file.h"
#include "large_design.h"
#include "library/library_loader.h"
#include "outputs/vrml_export.h"
#include "outputs/vrml_scene.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    fs::path app = HALVERN_STAGE_DIR;
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand{20, 12, 0xFFF, "", "Client", "Salon"};
    fs::path folder;
    std::string scene;

    Fixture()
    {
        (void)load_component_tables(app, "en", components, libraries);
        bench::fill_large_design(components, app, plan);
        folder = fs::temp_directory_path() / ("halvern-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        scene = build_vrml_scene({components, plan, stand, app, 0, {}}, VrmlVariant::full).text;
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_export_scene(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        VrmlScene scene = build_vrml_scene({f.components, f.plan, f.stand, f.app, 0, {}}, VrmlVariant::full);
        auto written = export_vrml_file(f.folder / "stand.wrl", std::move(scene), true);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.scene.size()));
    state.counters["scene_MB"] = double(f.scene.size()) / 1e6;
}

void BM_export_scene_without_pictures(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        VrmlScene scene = build_vrml_scene({f.components, f.plan, f.stand, f.app, 0, {}}, VrmlVariant::full);
        auto written = export_vrml_file(f.folder / "bare.wrl", std::move(scene), false);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.scene.size()));
}

void BM_build_scene_in_memory(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(build_vrml_scene({f.components, f.plan, f.stand, f.app, 0, {}}, VrmlVariant::full));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.scene.size()));
}

void BM_write_raw_bytes(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        auto written = write_file_safely(f.folder / "raw.wrl", f.scene);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.scene.size()));
}

} // namespace

BENCHMARK(BM_export_scene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_export_scene_without_pictures)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_build_scene_in_memory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_write_raw_bytes)->Unit(benchmark::kMillisecond);
