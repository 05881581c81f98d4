// The command line's whole outputs for the shipped examples, against the expected files kept under
// cases/: a change of behaviour anywhere between the file reader and the bill shows here.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern::testing;

namespace {

std::string expected(const std::string& name)
{
    std::ifstream in(source_dir() / "tests" / "cli" / "cases" / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_TRUE(in.good() || in.eof()) << name;
    return text.str();
}

} // namespace

TEST(ShippedExamplesOutput, BillObjectsAndInfoMatchTheirExpectedFiles)
{
    for (const char* example : {"shell_stand_3x3", "corner_stand_6x3", "island_stand_8x6"}) {
        const std::string design = (source_dir() / "data" / "examples" / (std::string(example) + ".qlm")).string();
        for (const char* command : {"bom", "objects", "info"}) {
            const CliRun run = run_cli_in(stage_dir(), {command, design});
            EXPECT_EQ(run.code, 0) << command << ' ' << example << ": " << run.err;
            const std::string kind = command == std::string("bom") ? "bom.tsv" : command;
            const std::string file = std::string(example) + "." + kind;
            EXPECT_EQ(run.out, expected(file)) << command << ' ' << example;
        }
    }
}
