// "build-sheets": the crew's PDF (cover, packing list, a page per wall run, the free objects) and
// the same facts as JSON; bad arguments and unwritable files refused without a file left behind.

// GCC 12 sees an uninitialised member inside std::regex at -O1 with the sanitizers (a false
// report in the standard library's own code), and warnings are errors here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "support/cli_runner.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

namespace {

std::string run_text(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

size_t count_of(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(BuildSheetsCommand, AShippedExampleGivesACoverThePackingListAPagePerRunAndItsJson)
{
    ScratchDir out;
    const fs::path design = halvern::testing::source_dir() / "data" / "examples" / "shell_stand_3x3.qlm";
    const auto json = run_cli_in(halvern::testing::stage_dir(), {"build-sheets", design.string(), "--format", "json"});
    ASSERT_EQ(json.code, 0) << json.err;
    const size_t runs = count_of(json.out, "{\"run\":");
    EXPECT_GT(runs, 1u) << json.out;
    EXPECT_NE(json.out.find("\"packing\":[{\"component\":3,"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"libraries\":[{\"library\":0,"), std::string::npos);
    EXPECT_NE(json.out.find("\"objects\":["), std::string::npos);
    EXPECT_EQ(json.out.find("\"objects\":[]"), std::string::npos) << "the example has free objects";

    const fs::path pdf = out / "crew.pdf";
    const auto run = run_cli_in(halvern::testing::stage_dir(),
                                {"build-sheets", design.string(), pdf.string(), "--lang", "fr", "--date", "2026-03-01"});
    ASSERT_EQ(run.code, 0) << run.err;
    // The cover, a packing list of one page, a page per run, the free objects.
    const std::string info = run_text("pdfinfo '" + pdf.string() + "'");
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages: *([0-9]+)"))) << info;
    EXPECT_EQ(std::stoul(pages[1]), runs + 3);
    const std::string text = run_text("pdftotext -layout '" + pdf.string() + "' -");
    EXPECT_NE(text.find("Fiches de montage"), std::string::npos);
    EXPECT_NE(text.find("2026-03-01"), std::string::npos);
    EXPECT_NE(text.find("Liste de colisage"), std::string::npos);
}

TEST(BuildSheetsCommand, BadArgumentsAndUnwritableFilesAreRefused)
{
    ScratchDir out;
    const std::string design = (halvern::testing::source_dir() / "data" / "examples" / "corner_stand_6x3.qlm").string();
    const std::string pdf = (out / "x.pdf").string();
    struct Case {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"build-sheets", design}, 2},                                     // no PDF named
        {{"build-sheets", design, pdf, "--format", "xml"}, 2},
        {{"build-sheets", design, pdf, "--format", "json"}, 2},           // JSON goes to standard output
        {{"build-sheets", (out / "none.qlm").string(), pdf}, 1},
        {{"build-sheets", design, (out / "no" / "such" / "x.pdf").string()}, 1},
    };
    for (const Case& c : cases) {
        const auto run = run_cli_in(halvern::testing::stage_dir(), c.args);
        EXPECT_EQ(run.code, c.code) << c.args.back() << run.err;
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_FALSE(fs::exists(pdf));
}
