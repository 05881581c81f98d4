#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "cli/utf8_output.h"
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

// A file name from another system (Latin-1 "é") is bytes that are not UTF-8: printed as they are,
// they would break whatever reads the output.
TEST_F(LibraryCommands, FileNamesThatAreNotUtf8ArePrintedAsValidUtf8)
{
    app.write("extlib/1/caf\xE9.lib", "151\r\n0\r\nCaf\xE9\r\n1\r\n1\r\n1\r\n");
    app.write("extlib/1/bad\xE9.lib", "7001\r\n0\r\nToo far\r\n1\r\n1\r\n1\r\n");
    CommandRun r = run({"component", "151"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("file_name=caf\xEF\xBF\xBD.lib"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Caf\xC3\xA9"), std::string::npos) << "text read from a file is converted, not replaced";
    EXPECT_NE(r.err.find("bad\xEF\xBF\xBD.lib"), std::string::npos) << r.err;
}

TEST(Utf8Output, InvalidBytesBecomeReplacementCharactersAndCutSequencesWait)
{
    EXPECT_EQ(valid_utf8("a\xE9z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(valid_utf8("\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82"), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x99\x82");
    EXPECT_EQ(valid_utf8("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD"); // an overlong "/"
    EXPECT_EQ(valid_utf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"); // a surrogate

    std::ostringstream target;
    {
        Utf8OnlyBuffer buffer(target);
        std::ostream out(&buffer);
        out << "\xE2\x82";
        out << "\xAC" << '\xE2';
    }
    EXPECT_EQ(target.str(), "\xE2\x82\xAC\xEF\xBF\xBD");
}

// Every command that loads the library says once per component that its outline is drawn cut.
TEST_F(LibraryCommands, OutlinesBeyondThePointLimitAreNotedOncePerComponent)
{
    std::string list = "|";
    for (int i = 0; i < 1001; ++i)
        list += std::to_string(i % 100) + "|" + std::to_string(i % 50) + "|";
    app.write("extlib/1/long.lib", "151\r\n100\r\nLong\r\n100\r\n50\r\n10\r\ndraw=" + list + "\r\n");
    app.write("extlib/1/short.lib", "152\r\n100\r\nShort\r\n100\r\n50\r\n10\r\ndraw=|0|0|10|10|\r\n");
    CommandRun r = run({"library"});
    EXPECT_EQ(r.code, 0);
    const std::string note = (app / "extlib/1/long.lib").string()
                             + ": the outline of component 151 has more than 1000 points; only the first 1000 are drawn";
    const size_t at = r.err.find(note);
    ASSERT_NE(at, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(note, at + 1), std::string::npos);
    EXPECT_EQ(r.err.find("component 152"), std::string::npos);
}
