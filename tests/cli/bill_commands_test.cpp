// "bom" and "drop": the bill and the snapping of a design read from a file, with the program's
// built-in components as the library.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "plan/plan_table.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::CliRun;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;
using halvern::testing::place;

namespace {

class BillCommands : public ::testing::Test {
protected:
    BillCommands() { app.write("lib/en.txt", "0=Main window\r\n"); }

    CliRun run(std::vector<std::string> args) { return run_cli_in(app.path(), args); }

    std::string save(const PlanTable& plan, const std::string& name = "design.qlm")
    {
        return docs.write(name, format_project(plan, StandSettings{})).string();
    }

    ScratchDir app, docs;
};

} // namespace

TEST_F(BillCommands, LoneGoldPanelAsTabSeparatedText)
{
    PlanTable plan;
    place(plan, 3, 300, 300, 0, 228);
    CliRun r = run({"bom", save(plan)});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Gold\t 7\t 0\t\r\nVelts Gold\t 4\t 0\t\r\nJunction\t 4\t 0\t\r\nFeet\t 2\t 0\t\r\n"
                     "Print Panel (ml)\t 2.28\t 0\t\r\n");
}

TEST_F(BillCommands, JsonRowsAndTotals)
{
    PlanTable plan;
    place(plan, 3, 300, 300, 0, 228);
    CliRun r = run({"bom", save(plan), "--format", "json"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"rows\":[{\"component\":3,\"name\":\"Gold\",\"quantity\":7,\"unit_price\":0,", 0), 0u)
        << r.out;
    EXPECT_NE(r.out.find("{\"component\":61,\"name\":\"Print Panel (ml)\",\"quantity\":2.28,"), std::string::npos);
    EXPECT_NE(r.out.find("],\"total_price\":0,\"total_weight_kg\":"), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST_F(BillCommands, OneGroupOnly)
{
    PlanTable plan;
    place(plan, 3, 300, 300);
    int member = place(plan, 3, 600, 300);
    int g = place(plan, 99, 0, 0);
    plan.obj_groupe[size_t(member)] = g;
    std::string file = save(plan);
    CliRun all = run({"bom", file});
    CliRun one = run({"bom", file, "--group", std::to_string(g)});
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(all.out.substr(0, 9), "Gold\t 14\t");
    EXPECT_EQ(one.out.substr(0, 8), "Gold\t 7\t");

    EXPECT_EQ(run({"bom", file, "--group", "1"}).code, 1) << "object 1 is no group";
    EXPECT_EQ(run({"bom", file, "--group", "x"}).code, 2);
    EXPECT_EQ(run({"bom", file, "--format", "xml"}).code, 2);
}

TEST_F(BillCommands, UnreadableOrTruncatedDesignGivesNoBill)
{
    EXPECT_EQ(run({"bom", (docs / "missing.qlm").string()}).code, 1);
    PlanTable plan;
    place(plan, 3, 300, 300);
    std::string whole = format_project(plan, StandSettings{});
    auto cut = docs.write("cut.qlm", whole.substr(0, whole.size() - 400));
    CliRun r = run({"bom", cut.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.empty());
}

TEST_F(BillCommands, DropSnapsTheEndAndWritesTheDesign)
{
    PlanTable plan;
    place(plan, 3, 300, 300);      // Gold, 111.9 wide: end 2 at (355.95, 300)
    place(plan, 3, 600, 600, 45);
    std::string file = save(plan);
    std::string out = (docs / "dropped.qlm").string();
    CliRun r = run({"drop", file, "2", "414.85", "303", "-360", "-o", out});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "411.9\t300\t0\t0\n"); // joined end to end, rotation normalised

    PlanTable back;
    ComponentTable components;
    components[3].name = "Gold";
    auto bytes = read_project_bytes(out);
    ASSERT_TRUE(bytes.ok());
    StandSettings stand;
    ProjectReadResult read =
        read_project_text(bytes->bytes, out, bytes->format, ReadMode::load, components, back, stand);
    EXPECT_TRUE(read.complete());
    EXPECT_EQ(back.nb_objets, 2);
    EXPECT_FLOAT_EQ(back.obj_x[2], 411.9f);

    EXPECT_EQ(run({"drop", file, "2", "500", "-20"}).out, "500\t-20\t45\t0\n") << "rotation kept, negatives read";
}

TEST_F(BillCommands, DropRefusesGroupsMissingObjectsAndBadNumbers)
{
    PlanTable plan;
    place(plan, 3, 300, 300);
    place(plan, 99, 0, 0);
    plan.obj_groupe[1] = 2;
    std::string file = save(plan);
    EXPECT_EQ(run({"drop", file, "2", "0", "0"}).code, 1);
    EXPECT_EQ(run({"drop", file, "3", "0", "0"}).code, 1);
    EXPECT_EQ(run({"drop", file, "0", "0", "0"}).code, 1);
    EXPECT_EQ(run({"drop", file, "one", "0", "0"}).code, 2);
    EXPECT_EQ(run({"drop", file, "1", "1x", "0"}).code, 2);
    EXPECT_EQ(run({"drop", file, "1", "0", "nan"}).code, 2);
    EXPECT_EQ(run({"drop", file, "1", "0", "0", "inf"}).code, 2);
    EXPECT_EQ(run({"drop", file, "1", "0"}).code, 2);
    for (const char* outside : {"1e308", "-1e30", "100000.5", "-100001"}) {
        CliRun r = run({"drop", file, "1", outside, "0"});
        EXPECT_EQ(r.code, 2) << outside;
        EXPECT_NE(r.err.find("100000 cm"), std::string::npos) << r.err;
        EXPECT_EQ(run({"drop", file, "1", "0", outside}).code, 2) << outside;
    }
    EXPECT_EQ(run({"drop", file, "1", "-100000", "100000"}).out, "-100000\t100000\t0\t0\n");
}
