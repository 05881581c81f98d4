#include <gtest/gtest.h>

#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

TEST(ColourCommands, ConvertsBothWaysOnOneLine)
{
    ScratchDir app;
    auto r = run_cli_in(app.path(), {"colour", "10", "20", "30"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "h=210 s=0.5 l=0.078 c=170 j=0 m=85 n=225\n");
    r = run_cli_in(app.path(), {"colour", "0", "0", "0"});
    EXPECT_EQ(r.out, "h=0 s=0 l=0 c=0 j=0 m=0 n=255\n");
    r = run_cli_in(app.path(), {"colour", "--cmyk", "102", "0", "0", "51"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "r=134 g=157 b=158\n");

    for (std::vector<std::string> bad : {std::vector<std::string>{"colour", "1", "2", "256"},
                                         {"colour", "1", "2", "x"},
                                         {"colour", "1", "2", "3", "4"},
                                         {"colour", "--cmyk", "1", "2", "3"}}) {
        r = run_cli_in(app.path(), bad);
        EXPECT_EQ(r.code, 2) << bad.back();
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(ColourCommands, ListsKeptRecordsAndFailsOnADamagedLibrary)
{
    ScratchDir app;
    const auto good = app.write("good.lib", "\"Rouge\",255,0,0,0,0.5,250,240,230\r\n"
                                            "\"Rouge encore\",255,0,0,0,0,0,0,0\r\n"
                                            "\"Gris\",128,128,128,0.25,0.1,1,2,3\r\n");
    auto r = run_cli_in(app.path(), {"colours", good.string()});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\tRouge\t255\t0\t0\t0\t0.5\t250\t240\t230\tSatin\t0\t1\t0.5\n"
                     "2\tGris\t128\t128\t128\t0.25\t0.1\t1\t2\t3\tMat\t0\t0\t0.502\n");

    const auto bad = app.write("bad.lib", "\"A\",1,2,3,0,0,0,0,0\r\n\"B\",4,5,six,0,0,0,0,0\r\n");
    r = run_cli_in(app.path(), {"colours", bad.string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "1\tA\t1\t2\t3\t0\t0\t0\t0\t0\tMat\t210\t0.5\t0.008\n");
    EXPECT_NE(r.err.find("bad.lib:2:"), std::string::npos) << r.err;

    r = run_cli_in(app.path(), {"colours", (app / "none.lib").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("none.lib"), std::string::npos);
}

TEST(ColourCommands, ObjectsShowTheGivenSlots)
{
    halvern::PlanTable plan;
    plan.nb_objets = 2;
    for (size_t i : {1u, 2u})
        plan.obj_comp[i] = 21, plan.obj_x[i] = 100.0f * float(i), plan.obj_y[i] = 100;
    plan.colours[2][4] = {{200, 10, 10}, {1, 2, 3}, 0.5f, 0.3f, true};
    ScratchDir app;
    const auto file = app.write("d.qlm", halvern::format_project(plan, halvern::StandSettings{}));
    auto r = run_cli_in(app.path(), {"objects", file.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    const size_t second = r.out.find("\n2\t");
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(r.out.substr(0, second).find("c4="), std::string::npos);
    EXPECT_NE(r.out.find("\tc4=200 10 10 1 2 3 0.3 0.5\n", second), std::string::npos) << r.out;
}
