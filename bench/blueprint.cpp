// "Save 2D Blueprint" of an 8 x 6 m stand: 10,000 x 8,000 pixels drawn in 500 x 500 tiles and
// saved as JPEG. Reports the time and the process's peak memory (resident set) against what it was
// before the first save.

#include <benchmark/benchmark.h>

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

void blueprint_8_by_6(benchmark::State& state)
{
    ensure_gui_application();
    Scene s;
    fill(s, int(state.range(0)), 8, 6);
    PlanScene scene = s.scene();
    const ViewState view = labelled_view();
    const auto file = std::filesystem::temp_directory_path() / ("halvern_blueprint_" + std::to_string(getpid()) + ".jpg");
    const double before = peak_resident_mb();
    for (auto _ : state) {
        auto saved = save_blueprint_to(file, scene, view, qt_surface_maker());
        if (!saved)
            state.SkipWithError(saved.error().text().c_str());
    }
    state.counters["peak_rss_mb"] = peak_resident_mb();
    state.counters["peak_rise_mb"] = peak_resident_mb() - before;
    std::error_code ec;
    state.counters["jpeg_mb"] = double(std::filesystem::file_size(file, ec)) / 1e6;
    std::filesystem::remove(file, ec);
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

BENCHMARK(blueprint_8_by_6)->Arg(150)->Unit(benchmark::kMillisecond)->Iterations(3);
// After the save, so that the save's peak is measured from a process that has not drawn yet.
BENCHMARK(blueprint_drawing_only)->Arg(150)->Unit(benchmark::kMillisecond)->Iterations(3);
