// "info", "objects" and "convert": designs read from files by the command line, with the
// program's built-in components as the library (0 and 1 exist, 4321 does not).

#include <gtest/gtest.h>

#include <sstream>

#include "base/text_file.h"
#include "cli/cli.h"
#include "plan/plan_table.h"
#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/object_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::CliRun;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

namespace {

class DesignCommands : public ::testing::Test {
protected:
    DesignCommands() { app.write("lib/en.txt", "0=Main window\r\n"); }

    CliRun run(std::vector<std::string> args) { return run_cli_in(app.path(), args); }

    static int place(PlanTable& plan, float comp, float x, float y, float rot = 0, int groupe = 0)
    {
        return halvern::testing::build_object(plan, comp, x, y, rot).group(groupe).width(75.1f).depth(12);
    }

    // A dropped object first, two panels joined in a straight run in the group behind them, and
    // a lone panel turned by -90.4 degrees.
    std::string sample_design()
    {
        PlanTable plan;
        place(plan, 4321, 0, 0);
        place(plan, 0, 100, 100, 0, 4);
        place(plan, 0, 175.1f, 100, 0, 4);
        place(plan, 99, 0, 0);
        place(plan, 1, 400, 300, -90.4f);
        plan.obj_force_verso[5] = "?45";
        plan.obj_texte[4] = "Accueil";
        StandSettings stand{6.5f, 4, 3, "sol \xC3\xA9.jpg", "Client", "Stand"};
        return format_project(plan, stand);
    }

    ScratchDir app, docs;
};

} // namespace

TEST_F(DesignCommands, InfoPrintsTheStandAndTheCounts)
{
    std::string file = docs.write("sample.qlm", sample_design()).string();
    CliRun r = run({"info", file});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "format=v1.1\nstand_largeur=6.5\nstand_profondeur=4\nstand_murs=3\n"
                     "floor_texture=sol \xC3\xA9.jpg\nclient=Client\ntitle=Stand\nobjects=4\ngroups=1\ndropped=1\n");
    EXPECT_EQ(r.err, "halvern: " + file + ":1029: 1 object names a component missing from the library (the first, "
                                          "component 4321, at this line) and was left out\n");

}

TEST_F(DesignCommands, InfoOfAnOldFileAndOfFilesThatCannotBeRead)
{
    std::string header = "4.5\r\n2\r\nm.jpg\r\nC\r\nT\r\n";
    for (int k = 0; k < 1019; ++k)
        header += "0\r\n";
    std::string old = docs.write("old.vek", header + "100\r\n100\r\n0\r\n1\r\n228\r\n0\r\n1\r\n9\r\n57.6\r\n"
                                                     "\r\n\r\n\r\n\r\n").string();
    CliRun r = run({"info", old});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "format=old\nstand_largeur=4.5\nstand_profondeur=2\nstand_murs=0\nfloor_texture=m.jpg\n"
                     "client=C\ntitle=T\nobjects=1\ngroups=0\ndropped=0\n");

    CliRun missing = run({"info", (docs / "missing.qlm").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("missing.qlm: Unreadable file: cannot be read"), std::string::npos) << missing.err;
    EXPECT_EQ(run({"info", docs.path().string()}).code, 1);
    EXPECT_EQ(run({"--lang", "fr", "info", docs.write("empty.qlm", "").string()}).err,
              "halvern: " + (docs / "empty.qlm").string() + ": Fichier illisible: the file is empty\n");

    // Cut inside the second object: what was read is shown, and the exit says the file is damaged.
    std::string whole = sample_design();
    std::string cut = docs.write("cut.qlm", whole.substr(0, whole.size() - 113 * 2 * 2 - 20)).string();
    CliRun damaged = run({"info", cut});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_NE(damaged.out.find("objects=2\n"), std::string::npos);
    EXPECT_NE(damaged.err.find("Unreadable file: the file ends here"), std::string::npos);

    EXPECT_EQ(run({"info"}).code, 2);
    EXPECT_EQ(run({"info", "a", "b"}).code, 2);
}

TEST_F(DesignCommands, ObjectsListsEveryObjectWithEndCodesAndChains)
{
    std::string file = docs.write("sample.qlm", sample_design()).string();
    CliRun r = run({"objects", file});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "1\t0\t100\t100\t0\t228\t0\t1\t75.1\t12\t3\tOC\tOC\t1\t\n"
                     "2\t0\t175.1\t100\t0\t228\t0\t1\t75.1\t12\t3\tCO\tCO\t1\t\n"
                     "3\t99\t0\t0\t0\t228\t0\t1\t75.1\t12\t0\tOO\tOO\t2\tAccueil\n"
                     "4\t1\t400\t300\t270\t228\t0\t1\t75.1\t12\t0\tOO\t?45\t3\t\n");
}

TEST_F(DesignCommands, TextsWithTabsAndControlCharactersStayInTheirCell)
{
    PlanTable plan;
    place(plan, 1, 400, 300);
    // A tab, an escape sequence that retitles a terminal, and a hole of the code page, which reads
    // as a C1 control (U+0081).
    plan.obj_texte[1] = "a\tb\x1B]0;owned\x07 HOLE2J \xC2\xA0" "end";
    StandSettings stand{5, 3, 0, "", "Dupont\x1B[2J", "T"};
    std::string bytes = format_project(plan, stand);
    bytes.replace(bytes.find("HOLE"), 4, "\x81");
    const std::string file = docs.write("odd.qlm", bytes).string();
    const std::string bad = "\xEF\xBF\xBD";
    CliRun r = run({"objects", file});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "1\t1\t400\t300\t0\t228\t0\t1\t75.1\t12\t0\tOO\tOO\t1\ta b" + bad + "]0;owned" + bad + " " + bad
                         + "2J \xC2\xA0" "end\n");
    EXPECT_NE(run({"info", file}).out.find("\nclient=Dupont" + bad + "[2J\n"), std::string::npos);
}

TEST_F(DesignCommands, ConvertWritesTheCurrentFormat)
{
    std::string header = "4.5\r\n2\r\nm.jpg\r\nC\r\nT\r\n";
    for (int k = 0; k < 1019; ++k)
        header += "0\r\n";
    std::string old = docs.write("old.vek", header + "100\r\n100\r\n-90\r\n1\r\n228\r\n0\r\n1\r\n9\r\n57.6\r\n"
                                                     "Mur\r\nr.jpg\r\n\r\nnote").string();
    std::string out = (docs / "new.qlm").string();
    CliRun r = run({"convert", old, out});
    EXPECT_EQ(r.code, 0) << r.err;
    auto lines = split_lines(read_bytes(out));
    ASSERT_EQ(lines.size(), 1025u + 113u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 7),
              (std::vector<std::string>{"v1.1", "4.5", "2", "m.jpg", "C", "T", "0"}));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1025, lines.begin() + 1025 + 16),
              (std::vector<std::string>{"100", "100", "270", "1", "228", "0", "1", "9", "57.6", "Mur", "r.jpg", "",
                                        "note", "", "", "0"}));
    // Converting the result again changes nothing.
    std::string again = (docs / "again.qlm").string();
    EXPECT_EQ(run({"convert", out, again}).code, 0);
    EXPECT_EQ(read_bytes(again), read_bytes(out));
}

TEST_F(DesignCommands, ConvertRefusesADamagedFileAndReportsAFailedWrite)
{
    std::string whole = sample_design();
    std::string cut = docs.write("cut.qlm", whole.substr(0, whole.size() - 300)).string();
    std::string target = docs.write("target.qlm", "keep me").string();
    CliRun r = run({"convert", cut, target});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(read_bytes(target), "keep me");
    EXPECT_NE(r.err.find(target + ": not written"), std::string::npos);

    std::string good = docs.write("good.qlm", whole).string();
    std::string nowhere = (docs / "no such folder" / "x.qlm").string();
    CliRun failed = run({"convert", good, nowhere});
    EXPECT_EQ(failed.code, 1);
    EXPECT_NE(failed.err.find("halvern: " + nowhere + ": cannot be written"), std::string::npos) << failed.err;
    EXPECT_EQ(run({"convert", good}).code, 2);
}

// Objects beyond the capacity are not read; written back, the file would lose them.
TEST_F(DesignCommands, ADesignOverCapacityIsNeverWrittenBack)
{
    PlanTable one;
    place(one, 1, 400, 300);
    const std::string single = format_project(one, StandSettings{});
    const size_t header_end = [&] {
        size_t at = 0;
        for (int line = 0; line < 1025; ++line)
            at = single.find("\r\n", at) + 2;
        return at;
    }();
    std::string many = single.substr(0, header_end);
    for (int k = 0; k < max_objects + 50; ++k)
        many += single.substr(header_end);
    const std::string file = docs.write("many.qlm", many).string();

    CliRun converted = run({"convert", file, file});
    EXPECT_EQ(converted.code, 1);
    EXPECT_NE(converted.err.find("at most 2550 objects"), std::string::npos) << converted.err;
    EXPECT_NE(converted.err.find(file + ": not written"), std::string::npos) << converted.err;
    CliRun dropped = run({"drop", file, "1", "500", "500", "-o", file});
    EXPECT_EQ(dropped.code, 1);
    EXPECT_EQ(read_bytes(file), many);
    EXPECT_EQ(run({"drop", file, "1", "500", "500"}).code, 0); // nothing written: nothing lost
}

// A first line that is not a tag we read: read as the old format, it would become junk objects
// that a conversion in place would keep.
TEST_F(DesignCommands, AnUnknownVersionTagIsRefusedNotReadAsTheOldFormat)
{
    std::string whole = sample_design();
    for (std::string tag : {"V1.1", "v1.2", "v1.10"}) {
        const std::string bytes = tag + whole.substr(4);
        const std::string file = docs.write("tagged.qlm", bytes).string();
        CliRun r = run({"convert", file, file});
        EXPECT_EQ(r.code, 1) << tag;
        EXPECT_NE(r.err.find(file + ":1: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("unknown design format"), std::string::npos) << r.err;
        EXPECT_EQ(read_bytes(file), bytes);
    }
    const std::string marked = docs.write("marked.qlm", "\xEF\xBB\xBF" + whole).string();
    CliRun r = run({"info", marked});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("format=v1.1\nstand_largeur=6.5\n"), std::string::npos) << r.out;
}

