// Saving and loading a full design (2,550 objects), against writing and reading the same bytes
// raw through the same safe-write path. The goal is a ratio of at most 3.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "base/text_file.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

using namespace halvern;
namespace fs = std::filesystem;

namespace {

struct Fixture {
    ComponentTable components;
    PlanTable plan;
    StandSettings stand{12, 8, 0x0F3, "parquet.jpg", "Client", "Salon 2025"};
    fs::path folder;
    std::string bytes;

    Fixture()
    {
        for (int c = 1; c <= 40; ++c)
            components[c].name = "component " + std::to_string(c);
        std::mt19937 rng(7);
        std::uniform_real_distribution<float> pos(100, 6100);
        for (int n = 1; n <= max_objects; ++n) {
            const size_t i = size_t(++plan.nb_objets);
            const bool group = n % 50 == 0;
            plan.obj_comp[i] = group ? 99.0f : float(1 + n % 40);
            plan.obj_x[i] = pos(rng);
            plan.obj_y[i] = pos(rng);
            plan.obj_rot[i] = float(n % 360);
            plan.obj_hauteur[i] = 228;
            plan.obj_elevation[i] = n % 3 == 0 ? 12.5f : 0;
            plan.obj_faces[i] = n % 4;
            plan.obj_profondeur[i] = 10;
            plan.obj_largeur[i] = 100.5f;
            plan.obj_texte[i] = group ? "Groupe " + std::to_string(n) : (n % 5 == 0 ? "Mur d'accueil" : "");
            plan.obj_visuel_recto[i] = n % 2 ? "C:\\visuels\\recto_" + std::to_string(n) + ".jpg" : "";
            plan.obj_visuel_verso[i] = n % 7 ? "" : "verso.jpg";
            plan.obj_groupe[i] = group ? 0 : (n / 50 + 1) * 50 <= max_objects ? (n / 50 + 1) * 50 : 0;
        }
        folder = fs::temp_directory_path() / ("halvern-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder);
        bytes = format_project(plan, stand);
    }
    ~Fixture() { fs::remove_all(folder); }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_save_project(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "design.qlm";
    for (auto _ : state) {
        auto written = write_project_file(file, f.plan, f.stand);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
}

void BM_save_raw_bytes(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "raw.qlm";
    for (auto _ : state) {
        auto written = write_file_safely(file, f.bytes);
        if (!written)
            state.SkipWithError(written.error().text().c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
}

void BM_load_project(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "load.qlm";
    (void)write_file_safely(file, f.bytes);
    PlanTable plan;
    StandSettings stand;
    for (auto _ : state) {
        plan.nb_objets = 0;
        auto bytes = read_project_bytes(file);
        ProjectReadResult read = read_project_text(bytes->bytes, file, bytes->format, ReadMode::load,
                                                   f.components, plan, stand);
        if (plan.nb_objets != max_objects || !read.complete())
            state.SkipWithError("the design did not read back whole");
        benchmark::DoNotOptimize(plan.obj_x.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
}

void BM_load_raw_bytes(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "load.qlm";
    (void)write_file_safely(file, f.bytes);
    for (auto _ : state) {
        auto bytes = read_file_bytes(file);
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(f.bytes.size()));
}

// The two halves on their own, in memory: what the file format itself costs.
void BM_format_project(benchmark::State& state)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        std::string bytes = format_project(f.plan, f.stand);
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_parse_project(benchmark::State& state)
{
    Fixture& f = fixture();
    PlanTable plan;
    StandSettings stand;
    for (auto _ : state) {
        plan.nb_objets = 0;
        ProjectReadResult read =
            read_project_text(f.bytes, "memory.qlm", ProjectFormat::v11, ReadMode::load, f.components, plan, stand);
        benchmark::DoNotOptimize(plan.obj_x.data());
    }
}

// The round trip the goal is stated for: save then load, against raw write then raw read.
void BM_save_and_load_project(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "round.qlm";
    PlanTable plan;
    StandSettings stand;
    for (auto _ : state) {
        if (!write_project_file(file, f.plan, f.stand))
            state.SkipWithError("write failed");
        plan.nb_objets = 0;
        auto bytes = read_project_bytes(file);
        ProjectReadResult read = read_project_text(bytes->bytes, file, bytes->format, ReadMode::load,
                                                   f.components, plan, stand);
        if (plan.nb_objets != max_objects || !read.complete())
            state.SkipWithError("the design did not read back whole");
    }
}

void BM_save_and_load_raw_bytes(benchmark::State& state)
{
    Fixture& f = fixture();
    const fs::path file = f.folder / "round_raw.qlm";
    for (auto _ : state) {
        if (!write_file_safely(file, f.bytes))
            state.SkipWithError("write failed");
        auto bytes = read_file_bytes(file);
        benchmark::DoNotOptimize(bytes->data());
    }
}

} // namespace

BENCHMARK(BM_save_and_load_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_save_and_load_raw_bytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_format_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_parse_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_save_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_save_raw_bytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_load_project)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_load_raw_bytes)->Unit(benchmark::kMillisecond);
