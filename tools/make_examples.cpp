// Writes the designs of the installation folder:
//   lib/base.qlm       the design the editor starts with: an empty 5 x 3 m stand with a back wall
//   examples/shell_stand_3x3.qlm, corner_stand_6x3.qlm, island_stand_8x6.qlm, built from the
//                      catalogue and the starter libraries that the folder holds
//     make_examples DATA_FOLDER
// Each design is read back as the program would load it, and must keep every object.

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "base/text_file.h"
#include "examples/design_builder.h"
#include "library/library_loader.h"
#include "plan/plan_ends.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace fs = std::filesystem;
using namespace halvern;
using namespace halvern::tools;

namespace {

void write_and_check(const fs::path& folder, const ExampleDesign& design, const ComponentTable& components)
{
    const fs::path file = folder / design.file;
    if (auto written = write_project_file(file, design.plan, design.stand); !written)
        throw std::runtime_error(written.error().text());
    Result<ProjectBytes> bytes = read_project_bytes(file);
    if (!bytes)
        throw std::runtime_error(bytes.error().text());
    PlanTable plan;
    StandSettings stand;
    ProjectReadResult read = read_project_text(bytes->bytes, file, bytes->format, ReadMode::load,
                                               components, plan, stand);
    if (!read.complete() || read.dropped != 0 || plan.nb_objets != design.plan.nb_objets || !read.notes.empty())
        throw std::runtime_error(file.string() + " does not read back whole");
    int frames = 0, joined = 0;
    const std::vector<std::string> codes = computed_end_codes(plan, components);
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (plan.comp(i) >= 0 && plan.comp(i) < 99) {
            ++frames;
            joined += codes[size_t(i)] != "OO";
        }
    std::printf("%s: %d objects, %d frames of which %d joined\n", file.string().c_str(), plan.nb_objets, frames,
                joined);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_examples DATA_FOLDER\n");
        return 2;
    }
    const fs::path data = argv[1];
    try {
        ComponentTable components;
        LibraryTable libraries;
        const std::vector<Error> notes = load_component_tables(data, "en", components, libraries);
        if (!notes.empty())
            throw std::runtime_error("the library under " + data.string() + " loads with notes: " + notes[0].text());
        StandSettings base;
        base.stand_murs = 1 << 1; // the back wall
        if (auto written = write_project_file(data / "lib" / "base.qlm", PlanTable{}, base); !written)
            throw std::runtime_error(written.error().text());
        const fs::path folder = data / "examples";
        fs::create_directories(folder);
        for (const ExampleDesign& design :
             {shell_stand(components), corner_stand(components), island_stand(components)})
            write_and_check(folder, design, components);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_examples: %s\n", e.what());
        return 1;
    }
    return 0;
}
