#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::read_bytes;
using halvern::testing::ScratchDir;

namespace {

using CommandRun = halvern::testing::CliRun;

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class LibraryCommands : public ::testing::Test {
protected:
    LibraryCommands()
    {
        app.write("extlib/lib.index", "1,0,Panels\r\n2,1,Lights\r\n");
        app.write("extlib/1/panel.lib", "150\r\n99\r\nPanneau\r\n100.5\r\n2\r\n245\r\nname_en=Panel\r\n"
                                        "magnet_r_1=-90\r\ndraw_color=FF\r\nmagnet_x_10=3.5\r\n");
        app.write("extlib/1/panel.dat", "#VRML V2.0 utf8\n");
        app.write("extlib/2/bad.lib", "7000\r\n0\r\nToo far\r\n1\r\n1\r\n1\r\n");
    }

    CommandRun run(std::vector<std::string> args) { return halvern::testing::run_cli_in(app.path(), args); }

    ScratchDir app;
};

} // namespace

TEST_F(LibraryCommands, LibraryListsNamedComponentsInNumberOrder)
{
    CommandRun r = run({"library"});
    EXPECT_EQ(r.code, 0);
    auto lines = lines_of(r.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "0\t0\tPurple\t75.1\t12\t0\t0\t1\t0\t227\t0");
    EXPECT_NE(r.out.find("\n21\t0\tVelts Lime \t"), std::string::npos);
    EXPECT_NE(r.out.find("\n99\t100\tgroupe\t"), std::string::npos);
    EXPECT_NE(r.out.find("\n150\t1\tPanel\t100.5\t2\t245\t99\t1\t0\t0\t0\n"), std::string::npos);
    EXPECT_EQ(lines.back().rfind("2317\t23\tPoteau ovale\t20\t3.8\t245\t0\t1\t", 0), 0u);
    int previous = -1;
    for (const auto& line : lines) {
        int n = std::stoi(line);
        EXPECT_GT(n, previous);
        previous = n;
    }
    // The skipped file is named on stderr and does not stop the listing.
    EXPECT_EQ(r.err, "halvern: " + (app / "extlib/2/bad.lib").string()
                         + ":1: line 1 holds '7000', not a component number from 0 to 5000; file not read\n");
    EXPECT_NE(run({"library", "--lang", "fr"}).out.find("\n150\t1\tPanneau\t"), std::string::npos);
}

TEST_F(LibraryCommands, ComponentPrintsEveryFieldInOrder)
{
    CommandRun r = run({"component", "150"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto lines = lines_of(r.out);
    ASSERT_EQ(lines.size(), 29u + 3 * 6 + 9 * 11 + 8);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6),
              (std::vector<std::string>{"shape=99", "name=Panel", "width=100.5", "depth=2", "height=245",
                                        "auto_elevation=0"}));
    EXPECT_EQ(lines[20], "info=");
    EXPECT_EQ(lines[26], "pivot_x=-1");
    EXPECT_EQ(lines[28], "draw_color=255");
    EXPECT_EQ(lines[29], "color_src_0=");
    EXPECT_EQ(lines[47], "magnet_x_0=0");
    EXPECT_EQ(lines[57], "magnet_x_10=3.5");
    EXPECT_EQ(lines[58], "magnet_y_0=0");
    EXPECT_EQ(lines[47 + 6 * 11 + 1], "magnet_r_1=270");
    EXPECT_EQ(lines[47 + 7 * 11], "magnet_only_lib_0=-1");
    EXPECT_EQ(std::vector<std::string>(lines.end() - 8, lines.end()),
              (std::vector<std::string>{"library=1", "file_name=panel.lib", "has_3d=1", "price=0", "weight=0",
                                        "pack_by=0", "style=0", "hidden=0"}));

    CommandRun builtin = run({"component", "0"});
    EXPECT_NE(builtin.out.find("\nmagnet_r_2=-15\n"), std::string::npos); // component 0 is never normalised
    EXPECT_NE(run({"component", "2305"}).out.find("\nmagnet_r_0=120\n"), std::string::npos);
}

TEST_F(LibraryCommands, ComponentNumberErrors)
{
    CommandRun free = run({"component", "151"});
    EXPECT_EQ(free.code, 1);
    EXPECT_TRUE(free.out.empty());
    EXPECT_NE(free.err.find("151"), std::string::npos);
    EXPECT_EQ(run({"component", "5001"}).code, 2);
    EXPECT_EQ(run({"component", "-1"}).code, 2);
    EXPECT_EQ(run({"component", "x"}).code, 2);
    EXPECT_EQ(run({"component"}).code, 2);
}

TEST_F(LibraryCommands, PriceTableExportAndImport)
{
    CommandRun exported = run({"price-table", "export", (app / "prices.txt").string()});
    ASSERT_EQ(exported.code, 0) << exported.err;
    std::string text = read_bytes(app / "prices.txt");
    EXPECT_EQ(text.rfind("0\r\nName :\r\n\"Purple\"\r\nPrice :\r\n0\r\n", 0), 0u);
    EXPECT_NE(text.find("\r\n150\r\nName :\r\n\"Panel\"\r\n"), std::string::npos);

    app.write("new.txt", "150\r\nName :\r\nCloison\r\nPrice :\r\n45.5\r\nWeight (gr) :\r\n3000\r\nPack by\r\n2\r\n");
    CommandRun imported = run({"price-table", "import", (app / "new.txt").string()});
    EXPECT_EQ(imported.code, 0) << imported.err;
    EXPECT_NE(imported.err.find("ends inside the record of component 150"), std::string::npos);
    EXPECT_NE(run({"library"}).out.find("\n150\t1\tCloison\t100.5\t2\t245\t99\t1\t45.5\t3000\t2\n"),
              std::string::npos);

    std::string installed = read_bytes(app / "extlib/table.lib");
    app.write("junk.txt", "not\r\na table\r\n");
    CommandRun refused = run({"price-table", "import", (app / "junk.txt").string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find((app / "junk.txt").string() + ":1: "), std::string::npos);
    EXPECT_EQ(read_bytes(app / "extlib/table.lib"), installed);

    EXPECT_EQ(run({"price-table", "import", (app / "absent.txt").string()}).code, 1);
    EXPECT_EQ(run({"price-table", "export", (app / "no/such/folder/p.txt").string()}).code, 1);
    EXPECT_EQ(run({"price-table", "swap", "x"}).code, 2);
    EXPECT_EQ(run({"price-table", "export"}).code, 2);
}
