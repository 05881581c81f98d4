// The print pack of one face 6 m wide and 2.5 m high at 300 dpi with a 10 mm bleed, on a 1.6 m
// roll: four strips of about 18,900 x 29,800 pixels, each encoded row by row from a 4,000 x 1,700
// picture. Reports the time and how far the process's peak memory (resident set) rose, next to
// what one strip and the whole print would take as 24-bit bitmaps: the rise should be near the
// picture's own size, not a strip's.

#include <benchmark/benchmark.h>

#include "peak_memory.h"

#include <FreeImage.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "base/bitmap.h"
#include "outputs/print_pack.h"

using namespace halvern;
using halvern::bench::reset_peak;
using halvern::bench::status_mb;

namespace {

std::filesystem::path artwork(const std::filesystem::path& dir)
{
    const auto file = dir / "artwork.jpg";
    Bitmap picture(FreeImage_Allocate(4000, 1700, 24));
    for (int y = 0; y < 1700; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture.get(), y);
        for (int x = 0; x < 4000; ++x) {
            row[3 * x + FI_RGBA_RED] = BYTE(x / 16);
            row[3 * x + FI_RGBA_GREEN] = BYTE(y / 7);
            row[3 * x + FI_RGBA_BLUE] = BYTE(x ^ y);
        }
    }
    FreeImage_Save(FIF_JPEG, picture.get(), file.c_str(), 90);
    return file;
}

void six_metre_face_at_300_dpi(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path() / ("halvern_pack_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    PrintFace face;
    face.object = 1;
    face.label = "wall";
    face.width_mm = 6000;
    face.height_mm = 2500;
    face.picture_file = artwork(dir);
    face.picture = face.picture_file.string();
    const PrintPackSettings settings{300, 10, 1600, 20};
    double rise = 0;
    size_t strips = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const bool reset = reset_peak();
        const double before = status_mb("VmRSS:");
        state.ResumeTiming();
        const PrintPack pack = write_print_pack({face}, dir, settings);
        if (pack.faces_written() != 1)
            state.SkipWithError(("the face was not written: " + pack.entries[0].problem).c_str());
        state.PauseTiming();
        strips = pack.entries[0].pieces.size();
        rise = reset ? status_mb("VmHWM:") - before : -1;
        state.ResumeTiming();
    }
    const double height = print_pixels(2520, 300);
    state.counters["strips"] = double(strips);
    state.counters["strip_bitmap_mb"] = double(print_pixels(1600, 300)) * height * 3 / (1 << 20);
    state.counters["whole_bitmap_mb"] = double(print_pixels(6020, 300)) * height * 3 / (1 << 20);
    state.counters["picture_mb"] = 4000.0 * 1700 * 3 / (1 << 20);
    state.counters["peak_rise_mb"] = rise;
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

} // namespace

BENCHMARK(six_metre_face_at_300_dpi)->Iterations(1)->Unit(benchmark::kSecond);
