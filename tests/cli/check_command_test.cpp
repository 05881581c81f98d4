// "check": the design checks on the command line, with an exit code a workflow can stop on.

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "plan/hidden_findings.h"
#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/object_entry.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::CliRun;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

namespace {

class CheckCommand : public ::testing::Test {
protected:
    CheckCommand() { app.write("lib/en.txt", "359=wholly outside the stand's floor\r\n364=picture missing:\r\n271=Recto\r\n"); }

    CliRun run(std::vector<std::string> args) { return run_cli_in(app.path(), args); }

    // Two built-in frames on the floor of 5 x 3 m; `outside` puts a third far beyond it.
    std::string design(bool outside, bool hidden = false, const std::string& picture = {})
    {
        PlanTable plan;
        for (float x : {200.0f, 400.0f}) {
            const size_t i = size_t(halvern::testing::append_object(plan, 0, x, 200));
            plan.obj_hauteur[i] = 228;
            plan.obj_faces[i] = 1;
        }
        plan.obj_visuel_recto[1] = picture;
        if (outside) {
            const int i = halvern::testing::append_object(plan, 0, 2000, 200);
            plan.obj_hauteur[size_t(i)] = 228;
            Finding f;
            f.kind = CheckKind::outside_floor;
            f.object = i;
            set_hidden(plan, f, hidden);
        }
        return app.write("design.qlm", format_project(plan, StandSettings{})).string();
    }

    ScratchDir app;
};

} // namespace

TEST_F(CheckCommand, NothingFoundExitsZero)
{
    const CliRun r = run({"check", design(false)});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"check", design(false), "--format", "json"}).out, "{\"findings\":[],\"count\":0}\n");
}

TEST_F(CheckCommand, FindingsExitThreeAsTsvOrJson)
{
    CliRun r = run({"check", design(true)});
    EXPECT_EQ(r.code, 3) << r.err;
    EXPECT_EQ(r.out, "outside\terror\t3\t0\t0\t0\twholly outside the stand's floor\n");
    r = run({"check", design(true), "--format", "json"});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.out, "{\"findings\":[{\"kind\":\"outside\",\"severity\":\"error\",\"object\":3,\"end\":0,\"other\":0,"
                     "\"hidden\":false,\"text\":\"wholly outside the stand's floor\"}],\"count\":1}\n");
}

TEST_F(CheckCommand, HiddenFindingsPassUnlessAllAreAsked)
{
    CliRun r = run({"check", design(true, true)});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    r = run({"check", design(true, true), "--all"});
    EXPECT_EQ(r.code, 0); // a hidden finding does not stop a workflow
    EXPECT_EQ(r.out, "outside\terror\t3\t0\t0\t1\twholly outside the stand's floor\n");
}

TEST_F(CheckCommand, PicturesAreLookedForBesideTheDesign)
{
    const CliRun r = run({"check", design(false, false, "gone.jpg")});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.out, "picture\terror\t1\t1\t0\t0\tpicture missing: gone.jpg (Recto)\n");
    // A name with a tab and an escape sequence stays in its column and never reaches the terminal.
    const CliRun odd = run({"check", design(false, false, "a\tb\x1B]0;owned\x07.jpg")});
    EXPECT_EQ(odd.out, "picture\terror\t1\t1\t0\t0\tpicture missing: a b\xEF\xBF\xBD]0;owned\xEF\xBF\xBD.jpg (Recto)\n");
}

TEST_F(CheckCommand, BadInputAndUsage)
{
    EXPECT_EQ(run({"check", (app.path() / "none.qlm").string()}).code, 1);
    app.write("short.qlm", "v1.1\r\n5\r\n3\r\n");
    EXPECT_EQ(run({"check", (app.path() / "short.qlm").string()}).code, 1);
    EXPECT_EQ(run({"check", design(false), "--format", "xml"}).code, 2);
    EXPECT_EQ(run({"check"}).code, 2);
}
