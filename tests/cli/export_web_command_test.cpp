// "export-web": the island example as one page within its size bound, and bad input.

#include <gtest/gtest.h>

#include "model3d/web_page_export.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using halvern::testing::read_bytes;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

TEST(ExportWebCommand, TheIslandPageHoldsEverythingWithinItsSizeAndBadInputWritesNothing)
{
    const fs::path stage = halvern::testing::stage_dir();
    if (!fs::exists(fs::path(halvern::default_viewer_folder) / "three.min.js"))
        GTEST_SKIP() << "three.js is not installed (package libjs-three, which scripts/setup installs)";
    const std::string design = (stage / "examples" / "island_stand_8x6.qlm").string();
    ScratchDir out;
    auto run = run_cli_in(stage, {"export-gltf", design, (out / "island.glb").string()});
    ASSERT_EQ(run.code, 0) << run.err;
    run = run_cli_in(stage, {"export-web", design, (out / "island.html").string(), "--with-quote", "--date", "8.12.2026",
                             "--lang", "fr"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string page = read_bytes(out / "island.html");
    size_t viewer = 0;
    for (const fs::path& file : halvern::viewer_files(halvern::default_viewer_folder)) {
        const std::string script = read_bytes(file);
        viewer += script.size();
        EXPECT_NE(page.find(script), std::string::npos) << file; // inlined whole
    }
    EXPECT_LE(page.size(), fs::file_size(out / "island.glb") * 4 / 3 + viewer + 100 * 1024);
    EXPECT_NE(page.find("<html lang=\"fr\">"), std::string::npos);
    EXPECT_NE(page.find("<span id=\"date\">8.12.2026</span>"), std::string::npos);
    EXPECT_NE(page.find("Permission is hereby granted"), std::string::npos); // three.js's licence
    EXPECT_NE(page.find("<td>Drapeau voile</td>"), std::string::npos); // the library in the page's language
    EXPECT_NE(page.find("<h2>Devis</h2>"), std::string::npos);
    EXPECT_EQ(page.find("src=\"http"), std::string::npos); // nothing fetched at view time
    run = run_cli_in(stage, {"export-web", design, (out / "plain.html").string()});
    EXPECT_EQ(read_bytes(out / "plain.html").find("<table"), std::string::npos);

    EXPECT_EQ(run_cli_in(stage, {"export-web", design, (out / "a.html").string(), "--variant", "3"}).code, 2);
    run = run_cli_in(stage, {"export-web", design, (out / "b.html").string(), "--viewer-folder",
                             (out / "nowhere").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("libjs-three"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("three.min.js"), std::string::npos) << run.err;
    out.write("bad/three.min.js", "var s = '</script>';");
    out.write("bad/examples/js/loaders/GLTFLoader.js", "");
    out.write("bad/examples/js/controls/OrbitControls.js", "");
    run = run_cli_in(stage, {"export-web", design, (out / "c.html").string(), "--viewer-folder", (out / "bad").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("three.min.js"), std::string::npos) << run.err;
    EXPECT_EQ(run_cli_in(stage, {"export-web", (out / "none.qlm").string(), (out / "d.html").string()}).code, 1);
    for (const char* name : {"a.html", "b.html", "c.html", "d.html"})
        EXPECT_FALSE(fs::exists(out / name)) << name;
}
