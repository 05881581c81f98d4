// "export-vrml": the shipped examples written as scenes that a real VRML reader opens without a
// word, in every variant.

#include <gtest/gtest.h>

#include "support/cli_runner.h"
#include "support/test_support.h"
#include "support/vrml_reader.h"

namespace fs = std::filesystem;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

TEST(ExportVrmlCommand, EveryShippedExampleOpensInAVrmlReader)
{
    const fs::path stage = halvern::testing::stage_dir();
    int examples = 0;
    for (const auto& entry : fs::directory_iterator(stage / "examples")) {
        if (entry.path().extension() != ".qlm")
            continue;
        ++examples;
        for (const char* variant : {"0", "1", "2"}) {
            ScratchDir out;
            const fs::path scene = out / "scene";
            const auto run = run_cli_in(stage, {"export-vrml", entry.path().string(), scene.string(), "--variant", variant});
            ASSERT_EQ(run.code, 0) << run.err;
            EXPECT_EQ(run.err, "");
            ASSERT_TRUE(fs::exists(out / "scene.wrl")); // ".wrl" added
            EXPECT_TRUE(fs::exists(out / "void_sol.jpg")); // the pictures are copied by default
            for (const std::string& problem : halvern::testing::vrml_read_problems(out / "scene.wrl"))
                ADD_FAILURE() << entry.path().filename() << " variant " << variant << ": " << problem;
        }
    }
    EXPECT_GE(examples, 3);
}

TEST(ExportVrmlCommand, OptionsAndBadInput)
{
    const fs::path stage = halvern::testing::stage_dir();
    const std::string design = (stage / "examples" / "shell_stand_3x3.qlm").string();
    ScratchDir out;
    auto run = run_cli_in(stage, {"export-vrml", design, (out / "a.wrl").string(), "--no-textures"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(fs::exists(out / "a.wrl"));
    EXPECT_FALSE(fs::exists(out / "void_sol.jpg"));

    EXPECT_EQ(run_cli_in(stage, {"export-vrml", design, (out / "b.wrl").string(), "--variant", "3"}).code, 2);
    run = run_cli_in(stage, {"export-vrml", design, (out / "missing" / "c.wrl").string()});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("missing"), std::string::npos);
    EXPECT_EQ(run_cli_in(stage, {"export-vrml", (out / "none.qlm").string(), (out / "d.wrl").string()}).code, 1);
}
