// The quote as a spreadsheet, unzipped and read as the sheets' own XML: formulas and not only
// values, the values they carry equal to the CSV quote's to the cent, and the packing list's bags.

// GCC 12 sees an uninitialised member inside std::regex at -O1 with the sanitizers (a false
// report in the standard library's own code), and warnings are errors here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <regex>

#include "outputs/quote.h"
#include "outputs/quote_workbook.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

struct Cell {
    std::string formula, value;
};
using Sheet = std::map<std::pair<int, std::string>, Cell>; // (row, column)

std::string unzipped(const std::filesystem::path& file, const std::string& member)
{
    const std::string command = "unzip -p '" + file.string() + "' '" + member + "'";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

Sheet cells_of(const std::string& xml)
{
    Sheet sheet;
    static const std::regex cell_pattern(R"re(<c r="([A-Z]+)([0-9]+)"[^>]*?(?:/>|>(.*?)</c>))re");
    static const std::regex formula_pattern("<f>(.*?)</f>"), value_pattern("<v>(.*?)</v>");
    for (std::sregex_iterator it(xml.begin(), xml.end(), cell_pattern), end; it != end; ++it) {
        const std::string inner = (*it)[3];
        Cell cell;
        std::smatch m;
        if (std::regex_search(inner, m, formula_pattern))
            cell.formula = m[1];
        if (std::regex_search(inner, m, value_pattern))
            cell.value = m[1];
        sheet[{std::stoi((*it)[2]), (*it)[1]}] = cell;
    }
    return sheet;
}

long cents(const std::string& number) { return std::lround(std::stod(number) * 100); }

std::vector<std::vector<std::string>> csv_rows(const std::string& csv)
{
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    for (size_t end; (end = csv.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::vector<std::string> fields;
        std::string line = csv.substr(start, end - start), field;
        for (char c : line + ",") {
            if (c == ',') {
                fields.push_back(field);
                field.clear();
            } else {
                field += c;
            }
        }
        rows.push_back(fields);
    }
    return rows;
}

ComponentTable priced_pieces()
{
    ComponentTable c;
    define(c, 3, 114, 5).name = "Gold";
    c[3].price = 100.1;
    c[3].weight = 2000;
    for (int n : {23, 50, 51, 61})
        define(c, n, 1, 1);
    c[50].price = 2.35;
    c[50].pack_by = 3;
    c[51].price = 4.99;
    c[51].weight = 333.3;
    c[61].price = 12.5; // a metre of printed visual
    define(c, 1500, 100, 50, 15).name = "Counter";
    c[1500].price = 420.55;
    c[1500].weight = 35000;
    c[1500].pack_by = 1;
    return c;
}

QuoteWorkbookTexts texts()
{
    QuoteWorkbookTexts t;
    t.title.client_label = "Client";
    t.title.client = "Maison & Fils <Lyon>";
    t.unit = "Unit";
    t.per_bag = "Per bag";
    t.to_take = "To take";
    t.pieces = "pcs";
    t.metres = "m";
    return t;
}

} // namespace

TEST(QuoteWorkbook, FormulasCarryTheCsvNumbersToTheCent)
{
    const ComponentTable c = priced_pieces();
    PlanTable plan;
    place(plan, 3, 300, 300);
    place(plan, 3, 414, 300);
    place(plan, 1500, 100, 100);
    place(plan, 1500, 200, 100);
    const Quote quote = design_quote(plan, c);
    ASSERT_FALSE(quote.bill.rows.empty());
    halvern::testing::ScratchDir dir;
    const auto file = dir / "quote.xlsx";
    auto written = write_quote_workbook(file, quote, c, texts());
    ASSERT_TRUE(written) << written.error().text();

    const std::string workbook = unzipped(file, "xl/workbook.xml");
    EXPECT_NE(workbook.find("name=\"Quote\""), std::string::npos);
    EXPECT_NE(workbook.find("name=\"Packing\""), std::string::npos);
    const std::string xml = unzipped(file, "xl/worksheets/sheet1.xml");
    EXPECT_NE(xml.find("state=\"frozen\""), std::string::npos);
    EXPECT_NE(xml.find("fitToPage=\"1\""), std::string::npos);
    EXPECT_NE(xml.find("paperSize=\"9\""), std::string::npos);
    const Sheet sheet = cells_of(xml);

    // Line totals are quantity x unit price as a formula; the sums are SUM formulas.
    std::vector<std::string> lines, sums, weights;
    for (const auto& [at, cell] : sheet) {
        const std::string row = std::to_string(at.first);
        if (at.second == "E" && cell.formula == "C" + row + "*D" + row)
            lines.push_back(cell.value);
        if (at.second == "E" && cell.formula.rfind("SUM(", 0) == 0)
            sums.push_back(cell.value);
        if (at.second == "F" && cell.formula.rfind("SUM(", 0) == 0)
            weights.push_back(cell.value);
    }
    const auto csv = csv_rows(quote_csv(quote, english_csv_labels()));
    const size_t line_count = quote.bill.rows.size() + quote.others.size();
    ASSERT_EQ(csv.size(), 1 + line_count + 3);
    ASSERT_EQ(lines.size(), line_count);
    ASSERT_EQ(sums.size(), 3u);
    ASSERT_EQ(weights.size(), 3u);
    for (size_t k = 0; k < line_count; ++k)
        EXPECT_EQ(cents(lines[k]), cents(csv[1 + k][5])) << csv[1 + k][2];
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(cents(sums[k]), cents(csv[1 + line_count + k][5])) << k;
        EXPECT_EQ(std::lround(std::stod(weights[k]) * 1000), std::lround(std::stod(csv[1 + line_count + k][6]) * 1000))
            << k;
    }
    // The title block's text is escaped, not taken for markup.
    EXPECT_NE(unzipped(file, "xl/sharedStrings.xml").find("Maison &amp; Fils &lt;Lyon&gt;"), std::string::npos);
}

TEST(QuoteWorkbook, PackingListRoundsBagsUp)
{
    struct Case {
        double quantity, pack_by, bags;
    };
    const Case cases[] = {
        {30, 12, 3}, {24, 12, 2}, {1, 12, 1}, {5, 0, 5},     // sold by the piece
        {4.56, 0, 5},                                       // metres, whole metres
        {4.56, 2.5, 2}, {0.1 + 0.2, 0.1, 3}, {0, 5, 0},     // noise of a float is no extra bag
    };
    for (const Case& c : cases)
        EXPECT_EQ(bags_to_take(c.quantity, c.pack_by), c.bags) << c.quantity << " by " << c.pack_by;

    const ComponentTable c = priced_pieces();
    PlanTable plan;
    place(plan, 3, 300, 300);
    place(plan, 1500, 100, 100);
    const Quote quote = design_quote(plan, c);
    halvern::testing::ScratchDir dir;
    const auto file = dir / "quote.xlsx";
    ASSERT_TRUE(write_quote_workbook(file, quote, c, texts()));
    const Sheet packing = cells_of(unzipped(file, "xl/worksheets/sheet2.xml"));
    int checked = 0;
    for (const auto& [at, cell] : packing) {
        if (at.second != "A" || at.first == 1)
            continue;
        const std::string row = std::to_string(at.first);
        const int component = std::stoi(cell.value);
        const Cell& take = packing.at({at.first, "F"});
        const double quantity = std::stod(packing.at({at.first, "C"}).value);
        if (component == 50) {
            EXPECT_EQ(take.formula, "ROUNDUP(C" + row + "/E" + row + ",0)");
            EXPECT_EQ(std::stod(take.value), std::ceil(quantity / 3));
            ++checked;
        } else if (component == 61) {
            EXPECT_EQ(take.formula, "ROUNDUP(C" + row + ",0)");
            EXPECT_EQ(std::stod(take.value), std::ceil(quantity)); // 2.28 m of visual: 3 m
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2);
}

TEST(QuoteWorkbook, AFolderThatIsNotThereIsAnErrorNamingTheFile)
{
    halvern::testing::ScratchDir dir;
    const auto file = dir / "missing" / "quote.xlsx";
    auto written = write_quote_workbook(file, Quote{}, ComponentTable{}, texts());
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().text().find("quote.xlsx"), std::string::npos) << written.error().text();
    EXPECT_FALSE(std::filesystem::exists(file));
}
