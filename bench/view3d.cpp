// The 3D window's work: a scene built and read and its first frame drawn (what a change of the
// design costs before it shows), and frames while orbiting at 1280 × 720, for the island example
// and a 2,550-object design. Needs a display with OpenGL (run under xvfb-run); without one every
// benchmark says so and is skipped.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <filesystem>

#include "large_design.h"
#include "library/library_loader.h"
#include "project/project_reader.h"
#include "view3d/coin_scene.h"
#include "view3d/offscreen_render.h"
#include "view3d/scene_snapshot.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

const fs::path stage = HALVERN_STAGE_DIR;
const QSize frame(1280, 720);

struct Fixture {
    SceneSnapshot island, large;
    std::unique_ptr<OffscreenRenderer> renderer;
    std::string problem;

    Fixture()
    {
        static int argc = 1;
        static char name[] = "bench";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
        renderer = std::make_unique<OffscreenRenderer>();
        if (!renderer->ready())
            problem = renderer->problem() + " (run under xvfb-run)";
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

void build_and_first_frame(benchmark::State& state, const SceneSnapshot& snapshot)
{
    Fixture& f = fixture();
    if (!f.problem.empty()) {
        state.SkipWithError(f.problem.c_str());
        return;
    }
    int nodes = 0;
    for (auto _ : state) {
        const CoinScene scene = read_coin_scene(build_scene_text(snapshot).text);
        OrbitCamera camera;
        camera.set_view(StandardView::iso, scene.bounds(), double(frame.width()) / frame.height());
        if (Result<void> drawn = f.renderer->draw(scene, camera, frame); !drawn) {
            state.SkipWithError(drawn.error().text().c_str());
            return;
        }
        nodes = scene.node_count();
    }
    state.counters["nodes"] = nodes;
}

// The two halves of a build, apart: the text (on the worker) and Coin's reading of it.
void text_only(benchmark::State& state, const SceneSnapshot& snapshot)
{
    size_t bytes = 0;
    for (auto _ : state)
        bytes = build_scene_text(snapshot).text.size();
    state.counters["bytes"] = double(bytes);
}

void reading_only(benchmark::State& state, const SceneSnapshot& snapshot)
{
    const std::string text = build_scene_text(snapshot).text;
    for (auto _ : state)
        benchmark::DoNotOptimize(read_coin_scene(text).root());
}

void orbit(benchmark::State& state, const SceneSnapshot& snapshot)
{
    Fixture& f = fixture();
    if (!f.problem.empty()) {
        state.SkipWithError(f.problem.c_str());
        return;
    }
    const CoinScene scene = read_coin_scene(build_scene_text(snapshot).text);
    OrbitCamera camera;
    camera.set_view(StandardView::iso, scene.bounds(), double(frame.width()) / frame.height());
    (void)f.renderer->draw(scene, camera, frame); // the first frame makes Coin's caches
    for (auto _ : state) {
        camera.orbit(6, 1);
        if (Result<void> drawn = f.renderer->draw(scene, camera, frame); !drawn) {
            state.SkipWithError(drawn.error().text().c_str());
            return;
        }
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_IslandBuildAndFirstFrame(benchmark::State& state) { build_and_first_frame(state, fixture().island); }
void BM_LargeBuildAndFirstFrame(benchmark::State& state) { build_and_first_frame(state, fixture().large); }
void BM_LargeSceneText(benchmark::State& state) { text_only(state, fixture().large); }
void BM_LargeCoinReading(benchmark::State& state) { reading_only(state, fixture().large); }
void BM_IslandOrbitFrame(benchmark::State& state) { orbit(state, fixture().island); }
void BM_LargeOrbitFrame(benchmark::State& state) { orbit(state, fixture().large); }

} // namespace

BENCHMARK(BM_IslandBuildAndFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeBuildAndFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_LargeSceneText)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LargeCoinReading)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_IslandOrbitFrame)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LargeOrbitFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
