// "export-gltf": every shipped example as a .glb in every variant, a .gltf with its pictures beside
// it, and bad input.

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

TEST(ExportGltfCommand, ExamplesVariantsFormsAndBadInput)
{
    const fs::path stage = halvern::testing::stage_dir();
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(stage / "examples")) {
        if (entry.path().extension() != ".qlm")
            continue;
        ++examples;
        for (const char* variant : {"0", "1", "2"}) {
            ScratchDir out;
            const auto run = run_cli_in(stage, {"export-gltf", entry.path().string(), (out / "stand").string(),
                                                "--variant", variant});
            ASSERT_EQ(run.code, 0) << run.err;
            EXPECT_EQ(run.err, "");
            const std::string glb = halvern::testing::read_bytes(out / "stand.glb"); // ".glb" added
            ASSERT_GE(glb.size(), 12u);
            EXPECT_EQ(glb.substr(0, 4), "glTF");
        }
    }
    EXPECT_GE(examples, 3);

    const std::string design = (stage / "examples" / "shell_stand_3x3.qlm").string();
    ScratchDir out;
    auto run = run_cli_in(stage, {"export-gltf", design, (out / "a.gltf").string()});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(halvern::testing::read_bytes(out / "a.gltf").find("\"void_sol.jpg\""), std::string::npos);
    EXPECT_TRUE(fs::exists(out / "void_sol.jpg"));

    EXPECT_EQ(run_cli_in(stage, {"export-gltf", design, (out / "b.glb").string(), "--variant", "3"}).code, 2);
    run = run_cli_in(stage, {"export-gltf", design, (out / "missing" / "c.glb").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("missing"), std::string::npos);
    EXPECT_EQ(run_cli_in(stage, {"export-gltf", (out / "none.qlm").string(), (out / "d.glb").string()}).code, 1);
}
