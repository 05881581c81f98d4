// Designs and command lines a hostile file or a careless user makes: every output refuses what it
// cannot bound, never replaces what is not a regular file, nor the files it reads.

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>

#include "library/builtin_catalogue.h"
#include "outputs/print_pack.h"
#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using namespace halvern;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

namespace {

fs::path write_design(const fs::path& file, float stand_width, float object_x, int walls = 0)
{
    PlanTable plan;
    const int i = halvern::testing::place(plan, 3, object_x, 150);
    plan.obj_visuel_recto[size_t(i)] = "front.png";
    StandSettings stand;
    stand.stand_largeur = stand_width;
    stand.stand_murs = walls;
    EXPECT_TRUE(write_project_file(file, plan, stand));
    return file;
}

} // namespace

// A stand 1,000 km wide (read "as it is", so that Save keeps it) hung the window picture, the 3D
// scene and the print pack, and made prints and SVG files as large as the disk; an object as far
// made pictures of nothing. Each output now refuses before it starts, naming what is out of range.
TEST(HostileOutputs, AStandOrObjectBeyondThePlansRangeIsRefusedByEveryOutput)
{
    ScratchDir dir;
    const std::string wide = write_design(dir / "wide.qlm", 1e9f, 150, 0b1111).string();
    const std::string far = write_design(dir / "far.qlm", 5, 1e9f).string();
    const struct {
        std::vector<std::string> args; // the design and the output are appended
        std::string out;               // the file or folder that must not appear
    } commands[] = {
        {{"render", "--width", "800", "--height", "600"}, "w.jpg"},
        {{"render"}, "r.jpg"},
        {{"blueprint"}, "b.jpg"},
        {{"print"}, "p.pdf"},
        {{"export-plan"}, "e.svg"},
        {{"export-plan"}, "e.pdf"},
        {{"export-vrml"}, "v.wrl"},
        {{"export-gltf"}, "g.glb"},
        {{"export-web"}, "w.html"},
        {{"print-pack"}, "pack"},
    };
    for (const auto& [design, named] : {std::pair{wide, "the stand's width"}, std::pair{far, "object 1: its x"}}) {
        for (const auto& command : commands) {
            std::vector<std::string> args = command.args;
            args.push_back(design);
            args.push_back((dir / command.out).string());
            const auto run = run_cli_in(halvern::testing::stage_dir(), args);
            const std::string what = args[0] + " " + design;
            EXPECT_EQ(run.code, 1) << what;
            EXPECT_NE(run.err.find(named), std::string::npos) << what << ": " << run.err;
            EXPECT_NE(run.err.find("outside what an output can draw"), std::string::npos) << what;
            EXPECT_FALSE(fs::exists(dir / command.out)) << what;
        }
    }
}

// Given the design itself as OUT, print wrote a PDF over it and preview a PNG; a FIFO as OUT was
// replaced by a plain file. Now the design is never written over (compared by identity, so a link
// to it counts too), preview adds ".png" as render adds ".jpg", and a pipe stays a pipe.
TEST(HostileOutputs, NoCommandWritesOverTheDesignItReadsNorOverAPipe)
{
    ScratchDir dir;
    const fs::path design = write_design(dir / "stand.qlm", 5, 150);
    fs::create_symlink(design, dir / "link.qlm");
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
    const std::string saved = halvern::testing::read_bytes(design);
    const std::string d = design.string(), link = (dir / "link.qlm").string(), pipe = (dir / "pipe").string();
    const struct {
        std::vector<std::string> args;
        int code;
        const char* says;
    } cases[] = {
        {{"print", d, d}, 1, "reads"},
        {{"print", d, link}, 1, "reads"},
        {{"export-web", d, d}, 1, "reads"},
        {{"preview", "3", d}, 0, ""},
        {{"print", d, pipe}, 1, "not a regular file"},
        {{"price-table", "export", pipe}, 1, "not a regular file"},
    };
    for (const auto& c : cases) {
        const auto run = run_cli_in(halvern::testing::stage_dir(), c.args);
        EXPECT_EQ(run.code, c.code) << c.args[0] << " " << c.args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(halvern::testing::read_bytes(design), saved) << c.args[0];
        EXPECT_EQ(fs::symlink_status(dir / "pipe").type(), fs::file_type::fifo) << c.args[0];
    }
    EXPECT_TRUE(fs::exists(dir / "stand.qlm.png"));
}

// A print pack written into the design's own folder, where a face's picture bears the name of a
// print: the artwork is kept and that face is refused, naming the file.
TEST(HostileOutputs, APrintPackNeverReplacesAPictureItReads)
{
    ScratchDir dir;
    PlanTable plan;
    const int i = halvern::testing::place(plan, 0, 150, 150);
    plan.obj_texte[size_t(i)] = "Front";
    ComponentTable components;
    fill_builtin_catalogue(components, "en");
    const std::string name = print_file_name(printed_faces(plan, components, dir.path())[0], 1, 1);
    plan.obj_visuel_recto[size_t(i)] = name;
    QImage art(600, 300, QImage::Format_RGB32);
    art.fill(qRgb(10, 120, 200));
    ASSERT_TRUE(art.save(QString::fromStdString((dir / name).string()), "PNG"));
    const std::string artwork = halvern::testing::read_bytes(dir / name);
    ASSERT_TRUE(write_project_file(dir / "stand.qlm", plan, StandSettings{}));

    const auto run = run_cli_in(halvern::testing::stage_dir(),
                                {"print-pack", (dir / "stand.qlm").string(), dir.path().string(), "--dpi", "20"});
    EXPECT_EQ(run.code, 3); // a face that could not be written, as for any print pack
    EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("reads"), std::string::npos) << run.err;
    EXPECT_EQ(halvern::testing::read_bytes(dir / name), artwork);
}
