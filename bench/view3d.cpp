// The 3D window's drawing: a scene built, read into the stand's model and its first frame drawn
// (what opening the window costs), and frames while orbiting at 1280 × 720, for the island example
// and a 2,550-object design, with and without smoothed edges (the window draws unsmoothed while the
// camera moves, and a large stand at half the resolution). Besides the wall clock, each frame's
// processor time over all threads (OpenGL's software renderer draws on several): the busier the
// machine, the more the two differ. Needs a display with OpenGL (run under xvfb-run); without one
// every benchmark says so and is skipped.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <ctime>
#include <filesystem>

#include "large_design.h"
#include "library/library_loader.h"
#include "project/project_reader.h"
#include "view3d/draw_batches.h"
#include "view3d/model_renderer.h"
#include "view3d/offscreen_render.h"
#include "view3d/scene_snapshot.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

const fs::path stage = HALVERN_STAGE_DIR;
const QSize frame(1280, 720);

double process_seconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Fixture {
    SceneSnapshot island, large;
    std::unique_ptr<OffscreenRenderer> smooth, sharp;
    std::string problem;

    Fixture()
    {
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
        smooth = std::make_unique<OffscreenRenderer>(4);
        sharp = std::make_unique<OffscreenRenderer>(0);
        if (!smooth->ready())
            problem = smooth->problem() + " (run under xvfb-run)";
        auto components = std::make_shared<ComponentTable>();
        LibraryTable libraries;
        (void)load_component_tables(stage, "en", *components, libraries);
        island.components = large.components = components;
        island.app_dir = large.app_dir = stage;
        const fs::path file = stage / "examples" / "island_stand_8x6.qlm";
        if (Result<ProjectBytes> bytes = read_project_bytes(file))
            (void)read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, *components, island.plan,
                                    island.stand);
        else
            problem = bytes.error().text();
        large.stand = {20, 12, 0xFFF, "", "Client", "Salon"};
        bench::fill_large_design(*components, stage, large.plan);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void counters(benchmark::State& state, const OffscreenRenderer& renderer, const DrawBatches& stand)
{
    state.counters["triangles"] = double(stand.triangle_count());
    state.counters["vertices"] = double(stand.vertex_count());
    state.counters["draw_calls"] = renderer.renderer()->stats().draw_calls;
    state.counters["textures"] = renderer.renderer()->stats().textures;
}

void build_and_first_frame(benchmark::State& state, const SceneSnapshot& snapshot)
{
    Fixture& f = fixture();
    if (!f.problem.empty()) {
        state.SkipWithError(f.problem.c_str());
        return;
    }
    scene_picture_cache().clear(); // the window opened for the first time
    DrawBatches stand;
    for (auto _ : state) {
        StandModel model;
        stand.clear();
        stand.apply(build_model(snapshot, model));
        OrbitCamera camera;
        camera.set_view(StandardView::iso, stand.bounds(), double(frame.width()) / frame.height());
        // A renderer of its own each time: every buffer and texture is made anew. Unsmoothed, as the
        // window shows a new reading first.
        OffscreenRenderer renderer(0);
        if (Result<void> drawn = renderer.draw(stand, camera, frame); !drawn) {
            state.SkipWithError(drawn.error().text().c_str());
            return;
        }
        counters(state, renderer, stand);
        state.counters["uploaded_MB"] = double(renderer.renderer()->stats().bytes_uploaded) / 1e6;
        scene_picture_cache().clear();
    }
}

// The two halves of a build, apart: the scene's text and the model's reading of it.
void text_only(benchmark::State& state, const SceneSnapshot& snapshot)
{
    size_t bytes = 0;
    for (auto _ : state)
        bytes = build_snapshot_scene(snapshot).text.size();
    state.counters["bytes"] = double(bytes);
}

void reading_only(benchmark::State& state, const SceneSnapshot& snapshot)
{
    const VrmlScene scene = build_snapshot_scene(snapshot);
    for (auto _ : state) {
        StandModel model;
        model.read(scene);
        benchmark::DoNotOptimize(model.triangle_count());
    }
}

void orbit(benchmark::State& state, const SceneSnapshot& snapshot, bool smooth, QSize size = frame)
{
    Fixture& f = fixture();
    if (!f.problem.empty()) {
        state.SkipWithError(f.problem.c_str());
        return;
    }
    OffscreenRenderer& renderer = smooth ? *f.smooth : *f.sharp;
    StandModel model;
    DrawBatches stand;
    stand.apply(build_model(snapshot, model));
    OrbitCamera camera;
    camera.set_view(StandardView::iso, stand.bounds(), double(frame.width()) / frame.height());
    (void)renderer.draw(stand, camera, size); // the first frame uploads the buffers
    const double cpu = process_seconds();
    for (auto _ : state) {
        camera.orbit(6, 1);
        if (Result<void> drawn = renderer.draw(stand, camera, size); !drawn) {
            state.SkipWithError(drawn.error().text().c_str());
            return;
        }
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["cpu_ms_per_frame"] = (process_seconds() - cpu) * 1000 / double(std::max<int64_t>(1, state.iterations()));
    counters(state, renderer, stand);
}

void BM_IslandBuildAndFirstFrame(benchmark::State& state) { build_and_first_frame(state, fixture().island); }
void BM_LargeBuildAndFirstFrame(benchmark::State& state) { build_and_first_frame(state, fixture().large); }
void BM_LargeSceneText(benchmark::State& state) { text_only(state, fixture().large); }
void BM_LargeModelReading(benchmark::State& state) { reading_only(state, fixture().large); }
void BM_IslandOrbitFrame(benchmark::State& state) { orbit(state, fixture().island, true); }
void BM_LargeOrbitFrame(benchmark::State& state) { orbit(state, fixture().large, true); }
void BM_IslandOrbitFrameUnsmoothed(benchmark::State& state) { orbit(state, fixture().island, false); }
void BM_LargeOrbitFrameUnsmoothed(benchmark::State& state) { orbit(state, fixture().large, false); }
// As the window draws a large stand while it turns: unsmoothed at half the resolution, then enlarged.
void BM_LargeOrbitFrameHalfResolution(benchmark::State& state)
{
    orbit(state, fixture().large, false, frame / 2);
}

} // namespace

BENCHMARK(BM_IslandBuildAndFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeBuildAndFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_LargeSceneText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LargeModelReading)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_IslandOrbitFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeOrbitFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_IslandOrbitFrameUnsmoothed)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeOrbitFrameUnsmoothed)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(BM_LargeOrbitFrameHalfResolution)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
