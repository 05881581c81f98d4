// "export-dxf" and "bom --format xlsx" on the shipped island example: the drawing as a CAD
// program's reader meets it, the spreadsheet's totals equal to the CSV quote's.

// GCC 12 sees an uninitialised member inside std::regex at -O1 with the sanitizers (a false
// report in the standard library's own code), and warnings are errors here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <regex>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern::testing;
namespace fs = std::filesystem;

namespace {

std::string island() { return (source_dir() / "data" / "examples" / "island_stand_8x6.qlm").string(); }

std::string shell_output(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return out;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0)
        out.append(buffer.data(), n);
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

TEST(TradeFormats, ExportDxfWritesTheWholeDrawing)
{
    ScratchDir dir;
    const fs::path out = dir / "island.dxf";
    const CliRun run = run_cli_in(stage_dir(), {"export-dxf", island(), out.string()});
    ASSERT_EQ(run.code, halvern::exit_ok) << run.err;
    const std::string dxf = read_bytes(out);
    EXPECT_EQ(dxf.rfind("999\r\n", 0), 0u);
    EXPECT_NE(dxf.find("$INSUNITS\r\n 70\r\n4\r\n"), std::string::npos);
    EXPECT_EQ(dxf.substr(dxf.size() - 5), "EOF\r\n");
    // Every placed object is one insertion followed by its attributes and their end.
    const size_t inserts = count_of(dxf, "\r\nINSERT\r\n");
    EXPECT_GT(inserts, 10u);
    EXPECT_EQ(count_of(dxf, "\r\nSEQEND\r\n"), inserts);
    EXPECT_EQ(count_of(dxf, "\r\nATTRIB\r\n"), 3 * inserts);
    EXPECT_EQ(count_of(dxf, "\r\nDIMENSION\r\n"), 2u);

    const CliRun missing = run_cli_in(stage_dir(), {"export-dxf", island(), (dir / "no" / "x.dxf").string()});
    EXPECT_EQ(missing.code, halvern::exit_bad_input);
    EXPECT_NE(missing.err.find("x.dxf"), std::string::npos) << missing.err;
}

TEST(TradeFormats, SpreadsheetTotalsEqualTheCsvQuote)
{
    const CliRun refused = run_cli_in(stage_dir(), {"bom", island(), "--format", "xlsx"});
    EXPECT_EQ(refused.code, halvern::exit_usage);
    EXPECT_NE(refused.err.find("-o"), std::string::npos) << refused.err;

    ScratchDir dir;
    const fs::path out = dir / "quote.xlsx";
    const CliRun run = run_cli_in(stage_dir(), {"bom", island(), "--format", "xlsx", "-o", out.string(),
                                                "--date", "2026-01-31"});
    ASSERT_EQ(run.code, halvern::exit_ok) << run.err;
    EXPECT_TRUE(run.out.empty());
    const std::string sheet = shell_output("unzip -p '" + out.string() + "' xl/worksheets/sheet1.xml");
    // The three sums of the price column: the two sections and the whole quote.
    static const std::regex sum(R"re(<c r="E[0-9]+"[^>]*><f>SUM\([^<]*</f><v>([^<]*)</v>)re");
    std::vector<double> sums;
    for (std::sregex_iterator it(sheet.begin(), sheet.end(), sum), end; it != end; ++it)
        sums.push_back(std::stod((*it)[1]));
    ASSERT_EQ(sums.size(), 3u) << sheet.substr(0, 400);
    // The CSV quote ends with the same three totals, in its sixth field.
    const CliRun csv = run_cli_in(stage_dir(), {"bom", island(), "--format", "csv"});
    ASSERT_EQ(csv.code, halvern::exit_ok) << csv.err;
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = csv.out.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(csv.out.substr(start, end - start));
    ASSERT_GE(lines.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const std::string& line = lines[lines.size() - 3 + k];
        size_t field = 0;
        for (int comma = 0; comma < 5; ++comma)
            field = line.find(',', field) + 1;
        const double total = std::stod(line.substr(field, line.find(',', field) - field));
        EXPECT_EQ(std::lround(sums[k] * 100), std::lround(total * 100)) << line;
    }
    EXPECT_NE(shell_output("unzip -p '" + out.string() + "' xl/sharedStrings.xml").find("2026-01-31"),
              std::string::npos);
}
