// Print tiles of a picture 65,000 pixels wide (the widest a JPEG holds, nearly) by 1,000 high:
// load, cut into equal strips and save each as JPEG at quality 100. Reports the time and how far
// the process's peak memory (resident set) rose during the cut, next to the size of the picture and
// of one strip as 24-bit bitmaps: the cut should hold the picture and one strip, not all of them.

#include <benchmark/benchmark.h>

#include "peak_memory.h"

#include <FreeImage.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "outputs/picture_tiling.h"

using namespace halvern;
using halvern::bench::reset_peak;
using halvern::bench::status_mb;

namespace {

constexpr int picture_width = 65000;
constexpr int picture_height = 1000;

std::filesystem::path wide_picture(const std::filesystem::path& dir)
{
    const auto file = dir / "wide.jpg";
    Bitmap picture(FreeImage_Allocate(picture_width, picture_height, 24));
    for (int y = 0; y < picture_height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture.get(), y);
        for (int x = 0; x < picture_width; ++x) {
            row[3 * x + FI_RGBA_RED] = BYTE(x / 256);
            row[3 * x + FI_RGBA_GREEN] = BYTE(x);
            row[3 * x + FI_RGBA_BLUE] = BYTE(y / 4);
        }
    }
    FreeImage_Save(FIF_JPEG, picture.get(), file.c_str(), 90);
    return file;
}

void tile_65000_pixels(benchmark::State& state)
{
    const int strips = int(state.range(0));
    const auto dir = std::filesystem::temp_directory_path() / ("halvern_tiles_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto picture = wide_picture(dir);
    std::vector<StripWidth> widths(size_t(strips), StripWidth{"836", 836});
    double rise = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool reset = reset_peak();
        const double before = status_mb("VmRSS:");
        state.ResumeTiming();
        auto report = tile_picture(picture, widths, 0);
        if (!report || !report->failures.empty())
            state.SkipWithError("the cut failed");
        state.PauseTiming();
        rise = reset ? status_mb("VmHWM:") - before : -1;
        state.ResumeTiming();
    }
    state.counters["picture_mb"] = double(picture_width) * picture_height * 3 / (1 << 20);
    state.counters["strip_mb"] = double(picture_width / strips) * picture_height * 3 / (1 << 20);
    state.counters["peak_rise_mb"] = rise;
    std::error_code ec;
    state.counters["jpeg_in_mb"] = double(std::filesystem::file_size(picture, ec)) / (1 << 20);
    std::filesystem::remove_all(dir, ec);
}

} // namespace

BENCHMARK(tile_65000_pixels)->Arg(5)->Arg(16)->Iterations(1)->Unit(benchmark::kMillisecond);
