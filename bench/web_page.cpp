// The customer's web page of the island example, as "export-web" makes it (goal: at most 1 s, and
// a page of at most the .glb x 4/3 + the viewer's scripts + 100 KB), and the same stand with four
// photographs of 4000 x 3000 pixels on its flags and walls, which the page reduces to 2048 pixels a
// side (JPEG quality 85), against the same page with the full pictures.

#include <benchmark/benchmark.h>

#include <FreeImage.h>

#include <filesystem>
#include <random>

#include "base/ui_text.h"
#include "library/library_loader.h"
#include "model3d/web_page_export.h"
#include "project/project_reader.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

struct Design {
    fs::path app = HALVERN_STAGE_DIR;
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    UiText texts;
};

// Removed with everything in it when the benchmarks end.
struct Scratch {
    fs::path folder = fs::temp_directory_path() / ("halvern-bench-web-" + std::to_string(std::random_device{}()));
    Scratch() { fs::create_directories(folder); }
    ~Scratch()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

const fs::path& scratch()
{
    static const Scratch s;
    return s.folder;
}

// A photograph-like picture: smooth gradients with noise, so that JPEG has work to do.
fs::path photograph(int n)
{
    const fs::path file = scratch() / ("photo" + std::to_string(n) + ".jpg");
    if (fs::exists(file))
        return file;
    FIBITMAP* bitmap = FreeImage_Allocate(4000, 3000, 24);
    std::mt19937 noise{unsigned(n)};
    for (unsigned y = 0; y < 3000; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, int(y));
        for (unsigned x = 0; x < 4000; ++x) {
            row[3 * x + 0] = BYTE((x / 16 + noise() % 24) & 255);
            row[3 * x + 1] = BYTE((y / 12 + n * 40 + noise() % 24) & 255);
            row[3 * x + 2] = BYTE(((x + y) / 28 + noise() % 24) & 255);
        }
    }
    FreeImage_Save(FIF_JPEG, bitmap, file.c_str(), 90);
    FreeImage_Unload(bitmap);
    return file;
}

Design& island(bool photographs)
{
    static Design plain, photographed;
    Design& d = photographs ? photographed : plain;
    if (d.plan.nb_objets == 0) {
        (void)load_component_tables(d.app, "en", d.components, d.libraries);
        const fs::path file = d.app / "examples" / "island_stand_8x6.qlm";
        if (Result<ProjectBytes> bytes = read_project_bytes(file))
            read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, d.components, d.plan, d.stand);
        d.texts.load(d.app, "en");
        if (photographs) {
            int n = 0;
            for (int object : {41, 42, 31, 32})
                d.plan.obj_visuel_recto[size_t(object)] = photograph(n++).string();
        }
    }
    return d;
}

void page(benchmark::State& state, bool photographs, bool full_pictures)
{
    Design& d = island(photographs);
    WebPageOptions options;
    options.with_quote = true;
    options.full_pictures = full_pictures;
    options.date = "2026-12-08";
    const VrmlInputs inputs{d.components, d.plan, d.stand, d.app, 0, {}};
    const fs::path file = scratch() / "page.html";
    WebPageReport report;
    for (auto _ : state) {
        Result<WebPageReport> written = export_web_page(file, inputs, d.texts, options);
        if (!written) {
            state.SkipWithError(written.error().text().c_str());
            return;
        }
        report = *written;
    }
    size_t viewer = 0;
    for (const fs::path& script : viewer_files(default_viewer_folder))
        viewer += fs::file_size(script);
    state.counters["page_MB"] = double(report.page_bytes) / 1e6;
    state.counters["glb_MB"] = double(report.glb_bytes) / 1e6;
    state.counters["bound_MB"] = double(report.glb_bytes * 4 / 3 + viewer + 100 * 1024) / 1e6;
    state.counters["pictures"] = double(report.pictures);
}

void BM_WebPageIsland(benchmark::State& state) { page(state, false, false); }
void BM_WebPageIslandPhotographs(benchmark::State& state) { page(state, true, false); }
void BM_WebPageIslandPhotographsFull(benchmark::State& state) { page(state, true, true); }
BENCHMARK(BM_WebPageIsland)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WebPageIslandPhotographs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WebPageIslandPhotographsFull)->Unit(benchmark::kMillisecond);

} // namespace
