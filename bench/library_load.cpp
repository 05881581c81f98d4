// Loading a large installation: 5,000 definition files in 50 library folders, as the object
// editor writes them. Compares the whole load with merely reading the same bytes, and the
// anchored key search with testing every key by containment.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/line_cursor.h"
#include "base/text_file.h"
#include "library/definition_file.h"
#include "library/definition_keys.h"
#include "library/library_loader.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

constexpr int folders = 50;
constexpr int files_per_folder = 100;

Component random_component(std::mt19937& rng, int n)
{
    std::uniform_real_distribution<double> size(1, 300), coord(-50, 150), angle(-360, 360);
    Component c;
    c.shape = n % 3 == 0 ? 100 : n % 3 == 1 ? 99 : n % 11;
    c.name = "Composant n\xC2\xB0" + std::to_string(n) + " d\xC3\xA9" "cor";
    c.width = size(rng);
    c.depth = size(rng);
    c.height = size(rng);
    c.auto_elevation = n % 2;
    c.elevation = size(rng);
    c.panel_w_1 = size(rng);
    c.panel_h_1 = size(rng);
    c.panel = n % 4;
    for (int i = 0; i < 12; ++i)
        c.draw += "|" + std::to_string(int(coord(rng))) + "|" + std::to_string(int(coord(rng)));
    c.draw += "|";
    c.draw_mirror = float(n % 2);
    c.pivot_x = float(size(rng));
    c.pivot_y = float(size(rng));
    c.draw_color = int(rng() & 0xFFFFFF);
    for (size_t k = 0; k < 4; ++k) {
        c.magnet_x[k] = coord(rng);
        c.magnet_y[k] = coord(rng);
        c.magnet_r[k] = float(angle(rng));
        c.magnet_force[k] = 10;
        c.magnet_contrainte[k] = 1;
        c.magnet_recepteur[k] = 1;
    }
    c.color_src[0] = "Material_" + std::to_string(n);
    c.color_name[0] = "Face";
    c.color_lib[0] = "standard.lib";
    c.ref = "REF-" + std::to_string(n * 7);
    c.short_name = "C" + std::to_string(n);
    c.auteur = "Atelier";
    c.license = "Libre";
    return c;
}

// Generated once per run in the system's temporary folder and removed at exit.
struct Installation {
    fs::path app_dir;
    std::vector<fs::path> files;
    std::vector<std::string> key_lines;
    size_t total_bytes = 0;

    Installation()
    {
        std::random_device rd;
        app_dir = fs::temp_directory_path() / ("halvern-bench-" + std::to_string(rd()));
        fs::create_directories(app_dir / "extlib");
        std::string index;
        std::mt19937 rng(5000);
        for (int lib = 1; lib <= folders; ++lib) {
            index += std::to_string(lib) + "," + std::to_string(lib - 1) + ",Library " + std::to_string(lib) + "\r\n";
            fs::path folder = app_dir / "extlib" / std::to_string(lib);
            fs::create_directories(folder);
            for (int i = 0; i < files_per_folder; ++i) {
                const int n = (lib - 1) * files_per_folder + i + 1; // 1..5000
                fs::path file = folder / ("comp_" + std::to_string(n) + ".lib");
                std::vector<std::string> lines = definition_lines(random_component(rng, n), n);
                lines.push_back("name_en=Component " + std::to_string(n));
                (void)write_lines(file, lines);
                if (n % 2 == 0)
                    (void)write_file_safely(fs::path(file).replace_extension(".dat"), "#VRML V2.0 utf8\n");
                files.push_back(file);
                total_bytes += fs::file_size(file);
                key_lines.insert(key_lines.end(), lines.begin() + 6, lines.end());
            }
        }
        (void)write_file_safely(app_dir / "extlib" / "lib.index", index);
    }

    ~Installation()
    {
        std::error_code ec;
        fs::remove_all(app_dir, ec);
    }
};

const Installation& installation()
{
    static const Installation inst;
    return inst;
}

// The floor: the bytes of every definition file, read with the same file primitive the loader
// uses, from a list made beforehand (no folder listing, no conversion, no parsing).
void BM_ReadBytesOnly(benchmark::State& state)
{
    const Installation& inst = installation();
    for (auto _ : state) {
        size_t bytes = 0;
        for (const fs::path& file : inst.files) {
            auto content = read_file_bytes(file);
            bytes += content ? content->size() : 0;
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inst.total_bytes));
    state.counters["files"] = double(inst.files.size());
}
BENCHMARK(BM_ReadBytesOnly)->Unit(benchmark::kMillisecond);

// The whole load: catalogue, index, listing of 50 folders, every file read, converted and parsed,
// companions looked up, price table, magnet directions.
void BM_LoadLibrary(benchmark::State& state)
{
    const Installation& inst = installation();
    auto components = std::make_unique<ComponentTable>();
    LibraryTable libraries;
    size_t notes = 0;
    for (auto _ : state)
        notes += load_component_tables(inst.app_dir, "en", *components, libraries).size();
    if (notes != 0 || (*components)[5000].name != "Component 5000")
        state.SkipWithError("the load did not read every file");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inst.total_bytes));
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond);

// The parsing alone, on bytes already in memory.
void BM_ParseInMemory(benchmark::State& state)
{
    const Installation& inst = installation();
    std::vector<std::string> contents;
    for (const fs::path& file : inst.files)
        contents.push_back(*read_file_bytes(file));
    auto components = std::make_unique<ComponentTable>();
    for (auto _ : state)
        for (const std::string& bytes : contents)
            benchmark::DoNotOptimize(parse_definition(bytes, *components, "en", {}));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(inst.total_bytes));
}
BENCHMARK(BM_ParseInMemory)->Unit(benchmark::kMillisecond);

void BM_MatchKeysAnchored(benchmark::State& state)
{
    const Installation& inst = installation();
    for (auto _ : state)
        for (const std::string& line : inst.key_lines)
            benchmark::DoNotOptimize(match_keys(line));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(inst.key_lines.size()));
}
BENCHMARK(BM_MatchKeysAnchored)->Unit(benchmark::kMillisecond);

void BM_MatchKeysByContainment(benchmark::State& state)
{
    const Installation& inst = installation();
    for (auto _ : state)
        for (const std::string& line : inst.key_lines)
            benchmark::DoNotOptimize(match_keys_by_containment(line));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(inst.key_lines.size()));
}
BENCHMARK(BM_MatchKeysByContainment)->Unit(benchmark::kMillisecond);

} // namespace
