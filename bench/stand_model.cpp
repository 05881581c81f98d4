// The stand's triangle model and its glTF: the scene text of the 2,550-object design, Coin reading
// that whole text at once, the model read from it (in full, and again after one object moved), and
// the .glb written from it (goal: at most 2 s). The island example for scale.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "large_design.h"
#include "library/library_loader.h"
#include "model3d/gltf_export.h"
#include "model3d/object_names.h"
#include "model3d/stand_model.h"
#include "model3d/vrml_triangles.h"
#include "project/project_reader.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

struct Design {
    fs::path app = HALVERN_STAGE_DIR;
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand{20, 12, 0xFFF, "", "Client", "Salon"};
    VrmlScene scene;

    VrmlScene build() const { return build_vrml_scene({components, plan, stand, app, 0, {}}, VrmlVariant::full); }
};

Design& large()
{
    static Design d = [] {
        Design d;
        (void)load_component_tables(d.app, "en", d.components, d.libraries);
        bench::fill_large_design(d.components, d.app, d.plan);
        d.scene = d.build();
        return d;
    }();
    return d;
}

Design& island()
{
    static Design d = [] {
        Design d;
        (void)load_component_tables(d.app, "en", d.components, d.libraries);
        const fs::path file = d.app / "examples" / "island_stand_8x6.qlm";
        if (Result<ProjectBytes> bytes = read_project_bytes(file))
            read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, d.components, d.plan, d.stand);
        d.scene = d.build();
        return d;
    }();
    return d;
}

void counters(benchmark::State& state, const StandModel& model, const Design& d)
{
    state.counters["objects"] = double(model.objects().size());
    state.counters["triangles"] = double(model.triangle_count());
    state.counters["materials"] = double(model.material_count());
    state.counters["model_MB"] = double(model.memory_bytes()) / 1e6;
    state.counters["scene_MB"] = double(d.scene.text.size()) / 1e6;
}

void BM_LargeSceneText(benchmark::State& state)
{
    Design& d = large();
    for (auto _ : state)
        benchmark::DoNotOptimize(d.build());
    state.counters["scene_MB"] = double(d.scene.text.size()) / 1e6;
}
BENCHMARK(BM_LargeSceneText)->Unit(benchmark::kMillisecond);

// The whole text read by Coin and walked for its triangles, as a model without the pieces would.
void BM_LargeCoinReading(benchmark::State& state)
{
    Design& d = large();
    for (auto _ : state) {
        VrmlTriangles read = read_vrml_triangles(d.scene.text);
        benchmark::DoNotOptimize(read.meshes.size());
    }
}
BENCHMARK(BM_LargeCoinReading)->Unit(benchmark::kMillisecond)->Iterations(1);

void full_read(benchmark::State& state, Design& d)
{
    StandModel last;
    for (auto _ : state) {
        StandModel model;
        model.read(d.scene, plan_namer(d.plan, d.components));
        benchmark::DoNotOptimize(model.triangle_count());
        last = std::move(model);
    }
    counters(state, last, d);
}
void BM_ModelFullReadIsland(benchmark::State& state) { full_read(state, island()); }
void BM_ModelFullReadLarge(benchmark::State& state) { full_read(state, large()); }
BENCHMARK(BM_ModelFullReadIsland)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelFullReadLarge)->Unit(benchmark::kMillisecond);

// One object moves back and forth: the model reads it (and any neighbour it joins) again.
void one_change(benchmark::State& state, Design& d, int object)
{
    PlanTable moved = d.plan;
    moved.obj_x[size_t(object)] += 7;
    const VrmlScene other = build_vrml_scene({d.components, moved, d.stand, d.app, 0, {}}, VrmlVariant::full);
    StandModel model;
    model.read(d.scene, plan_namer(d.plan, d.components));
    bool flip = false;
    int read = 0;
    for (auto _ : state) {
        flip = !flip;
        read = int(model.read(flip ? other : d.scene, plan_namer(d.plan, d.components)).read.size());
    }
    state.counters["objects_read"] = read;
    counters(state, model, d);
}
void BM_ModelOneChangeIsland(benchmark::State& state) { one_change(state, island(), 1); }
void BM_ModelOneChangeLarge(benchmark::State& state) { one_change(state, large(), 1275); }
BENCHMARK(BM_ModelOneChangeIsland)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelOneChangeLarge)->Unit(benchmark::kMillisecond);

void BM_GltfExportLarge(benchmark::State& state)
{
    Design& d = large();
    StandModel model;
    model.read(d.scene, plan_namer(d.plan, d.components));
    const fs::path file = fs::temp_directory_path() / ("halvern-bench-" + std::to_string(std::random_device{}()) + ".glb");
    size_t bytes = 0;
    for (auto _ : state) {
        auto written = export_gltf_file(file, model);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
        bytes = fs::file_size(file);
    }
    fs::remove(file);
    state.counters["glb_MB"] = double(bytes) / 1e6;
    counters(state, model, d);
}
BENCHMARK(BM_GltfExportLarge)->Unit(benchmark::kMillisecond);

} // namespace
