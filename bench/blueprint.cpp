// "Save 2D Blueprint" of stands of 8 x 6, 30 x 20 and 60 x 60 m (10,000 x 8,000 to 62,000 x 62,000
// pixels) drawn in 500 x 500 tiles and written to JPEG a band at a time; and the 8 x 6 m stand
// drawn into one bitmap and saved whole, as it was before. Reports the time and the peak memory
// (resident set) of each, the peak being reset before each benchmark.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "outputs/plan_picture.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"
#include "render_scenes.h"

using namespace halvern;
using namespace halvern::bench;

namespace {

// VmHWM of /proc/self/status, in megabytes.
double peak_resident_mb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Starts a new peak of the resident set (Linux: "5" into clear_refs).
void reset_peak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

void report(benchmark::State& state, const std::filesystem::path& file)
{
    state.counters["peak_rss_mb"] = peak_resident_mb();
    std::error_code ec;
    state.counters["jpeg_mb"] = double(std::filesystem::file_size(file, ec)) / 1e6;
    std::filesystem::remove(file, ec);
}

std::filesystem::path scratch_jpeg()
{
    return std::filesystem::temp_directory_path() / ("halvern_blueprint_" + std::to_string(getpid()) + ".jpg");
}

// Range 0 the width, range 1 the depth in metres; 150 objects for 8 x 6 m and as many per square
// metre on the larger stands.
void blueprint_streamed(benchmark::State& state)
{
    ensure_gui_application();
    const int width = int(state.range(0)), depth = int(state.range(1));
    Scene s;
    fill(s, std::min(max_objects, 150 * width * depth / 48), width, depth);
    PlanScene scene = s.scene();
    const ViewState view = labelled_view();
    const auto file = scratch_jpeg();
    reset_peak();
    for (auto _ : state) {
        auto saved = save_blueprint_to(file, scene, view, qt_surface_maker());
        if (!saved)
            state.SkipWithError(saved.error().text().c_str());
    }
    report(state, file);
}

void blueprint_one_bitmap_8_by_6(benchmark::State& state)
{
    ensure_gui_application();
    Scene s;
    fill(s, 150, 8, 6);
    PlanScene scene = s.scene();
    const PictureJob job = blueprint_job(labelled_view(), s.stand);
    const auto file = scratch_jpeg();
    reset_peak();
    for (auto _ : state) {
        auto bitmap = draw_plan_picture(scene, job, qt_surface_maker());
        if (!bitmap || !save_jpeg(*bitmap, file))
            state.SkipWithError("the blueprint could not be made");
    }
    report(state, file);
}

// The drawing alone, without the JPEG encoding and the write.
void blueprint_drawing_only(benchmark::State& state)
{
    ensure_gui_application();
    Scene s;
    fill(s, int(state.range(0)), 8, 6);
    PlanScene scene = s.scene();
    const PictureJob job = blueprint_job(labelled_view(), s.stand);
    for (auto _ : state) {
        auto bitmap = draw_plan_picture(scene, job, qt_surface_maker());
        if (!bitmap)
            state.SkipWithError(bitmap.error().text().c_str());
    }
}

} // namespace

BENCHMARK(blueprint_streamed)->Args({8, 6})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(blueprint_one_bitmap_8_by_6)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(blueprint_drawing_only)->Arg(150)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(blueprint_streamed)->Args({30, 20})->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(blueprint_streamed)->Args({60, 60})->Unit(benchmark::kMillisecond)->Iterations(1);
