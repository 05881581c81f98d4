// "export-plan", "print" and "bom --format csv|json" on the shipped island example: the documents
// read back with poppler's tools and Qt's XML reader as a customer's programs would read them.

#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>

#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern::testing;
namespace fs = std::filesystem;

namespace {

std::string island() { return (source_dir() / "data" / "examples" / "island_stand_8x6.qlm").string(); }

// What a shell command prints on stdout.
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

std::string quoted(const fs::path& file) { return "'" + file.string() + "'"; }

// Element names of an SVG file and how often each occurs; empty when it is not well-formed XML.
std::map<std::string, int> svg_elements(const fs::path& file, std::string* texts)
{
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    std::map<std::string, int> count;
    QXmlStreamReader xml(&in);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            ++count[xml.name().toString().toStdString()];
        else if (xml.isCharacters() && texts)
            *texts += xml.text().toString().toStdString() + "\n";
    }
    if (xml.hasError())
        return {};
    return count;
}

} // namespace

TEST(PlanSheetCommands, PdfOfTheIslandIsOneVectorPageWithItsTitleBlock)
{
    ScratchDir docs;
    const fs::path pdf = docs.path() / "island.pdf";
    const CliRun run = run_cli_in(stage_dir(), {"export-plan", island(), pdf.string(), "--date", "2026-12-07"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string info = shell_output("pdfinfo " + quoted(pdf));
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    const std::string text = shell_output("pdftotext -layout " + quoted(pdf) + " -");
    for (const char* expected : {"Example", "Island stand 8 x 6 m", "2026-12-07", "Halvern Visual Design", "Scale"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in:\n" << text;
    EXPECT_NE(text.find("(fitted)"), std::string::npos) << text;
    // Lines and text, no picture: poppler lists no image, and the text is in fonts it can name.
    const std::string images = shell_output("pdfimages -list " + quoted(pdf));
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images; // the two header lines only
    EXPECT_NE(shell_output("pdffonts " + quoted(pdf)).find("TrueType"), std::string::npos);
}

TEST(PlanSheetCommands, ChosenScalePaperAndBillPage)
{
    ScratchDir docs;
    const fs::path pdf = docs.path() / "island.pdf";
    CliRun run = run_cli_in(stage_dir(), {"export-plan", island(), pdf.string(), "--scale", "50", "--paper", "a3",
                                          "--orientation", "landscape", "--bill"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string info = shell_output("pdfinfo " + quoted(pdf));
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    // A3 turned sideways: 1191 x 842 points, as poppler rounds them.
    const size_t size = info.find("Page size:");
    ASSERT_NE(size, std::string::npos) << info;
    double width = 0, height = 0;
    ASSERT_EQ(std::sscanf(info.c_str() + size, "Page size: %lf x %lf", &width, &height), 2) << info;
    EXPECT_NEAR(width, 1190.55, 1) << info;
    EXPECT_NEAR(height, 841.89, 1) << info;
    EXPECT_NE(info.find("(A3)"), std::string::npos) << info;
    const std::string page1 = shell_output("pdftotext -f 1 -l 1 " + quoted(pdf) + " -");
    EXPECT_NE(page1.find("1:50"), std::string::npos) << page1;
    EXPECT_EQ(page1.find("(fitted)"), std::string::npos) << page1;
    const std::string page2 = shell_output("pdftotext -f 2 -l 2 " + quoted(pdf) + " -");
    for (const char* expected : {"Bill of materials", "Wall system", "Other components", "Total"})
        EXPECT_NE(page2.find(expected), std::string::npos) << expected << " in:\n" << page2;

    // An 8 x 6 m stand is 16 x 12 cm at 1:50: it fits the 19 cm of an A4 page standing upright.
    run = run_cli_in(stage_dir(), {"export-plan", island(), pdf.string(), "--scale", "50", "--orientation", "portrait",
                                   "--paper", "a4"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(shell_output("pdftotext " + quoted(pdf) + " -").find("1:50"), std::string::npos);
    EXPECT_EQ(run_cli_in(stage_dir(), {"export-plan", island(), pdf.string(), "--scale", "20"}).code, 2);
    EXPECT_EQ(run_cli_in(stage_dir(), {"export-plan", island(), pdf.string(), "--paper", "letter"}).code, 2);
    EXPECT_EQ(run_cli_in(stage_dir(), {"export-plan", island(), (docs.path() / "plan.png").string()}).code, 2);
}

TEST(PlanSheetCommands, SvgIsWellFormedWithOutlinesTextAndASizeInMillimetres)
{
    ScratchDir docs;
    const fs::path svg = docs.path() / "island.svg";
    const CliRun run = run_cli_in(stage_dir(), {"export-plan", island(), svg.string(), "--names"});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string texts;
    const auto elements = svg_elements(svg, &texts);
    ASSERT_FALSE(elements.empty()) << "not well-formed XML";
    EXPECT_GT(elements.count("path") ? elements.at("path") : 0, 42); // at least an outline per object
    EXPECT_GT(elements.count("text") ? elements.at("text") : 0, 5);
    EXPECT_EQ(elements.count("image"), 0u);
    EXPECT_NE(texts.find("Example"), std::string::npos);
    EXPECT_NE(texts.find("Island stand 8 x 6 m"), std::string::npos);
    // A4 turned sideways for a wide stand: 297 x 210 mm, so that the stated scale holds on paper.
    const std::string head = read_bytes(svg).substr(0, 600);
    auto millimetres = [&](const std::string& attribute) {
        const size_t at = head.find(attribute + "=\"");
        return at == std::string::npos ? 0.0 : std::atof(head.c_str() + at + attribute.size() + 2);
    };
    EXPECT_NEAR(millimetres("width"), 297, 0.1) << head;
    EXPECT_NEAR(millimetres("height"), 210, 0.1) << head;
    EXPECT_NE(head.find("mm\""), std::string::npos) << head;
}

TEST(PlanSheetCommands, SvgOfTextsWithMarkupAndControlCharactersIsWellFormed)
{
    ScratchDir docs;
    std::string design = read_bytes(island());
    const std::string names = "\r\nExample\r\nIsland stand 8 x 6 m\r\n";
    ASSERT_NE(design.find(names), std::string::npos);
    design.replace(design.find(names), names.size(), "\r\nDupont & Fils <SA>\x01\r\nSalon \x1B[2J \"&amp;\"\r\n");
    const fs::path svg = docs.path() / "odd.svg";
    const CliRun run = run_cli_in(stage_dir(), {"export-plan", docs.write("odd.qlm", design).string(), svg.string()});
    ASSERT_EQ(run.code, 0) << run.err;
    std::string texts;
    ASSERT_FALSE(svg_elements(svg, &texts).empty()) << "not well-formed XML";
    EXPECT_NE(texts.find("Dupont & Fils <SA>"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Salon \xEF\xBF\xBD[2J \"&amp;\""), std::string::npos) << texts; // the title, as typed
}

TEST(PlanSheetCommands, AFailedWriteLeavesTheOldFileAndNamesIt)
{
    ScratchDir docs;
    // The island made 14 m wide: 28 cm at 1:50, more than an upright A4 page holds.
    std::string wide = read_bytes(island());
    ASSERT_EQ(wide.rfind("v1.1\r\n8\r\n", 0), 0u);
    wide.replace(6, 1, "14");
    const std::string big = docs.write("wide.qlm", wide).string();
    for (const char* name : {"plan.pdf", "plan.svg"}) {
        const fs::path file = docs.write(name, "the earlier plan");
        // A stand that does not fit the page at the scale asked: refused before anything is written.
        CliRun run = run_cli_in(stage_dir(), {"export-plan", big, file.string(), "--scale", "50",
                                              "--orientation", "portrait"});
        EXPECT_EQ(run.code, 1) << name;
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("1:50"), std::string::npos) << run.err;
        EXPECT_EQ(read_bytes(file), "the earlier plan");
        // A folder that does not exist.
        run = run_cli_in(stage_dir(), {"export-plan", island(), (docs.path() / "no" / name).string()});
        EXPECT_EQ(run.code, 1);
        EXPECT_NE(run.err.find(name), std::string::npos) << run.err;
    }
    int entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(docs.path()))
        ++entries;
    EXPECT_EQ(entries, 3); // the design and the two plans: no temporary file left behind
}

// The island's other components counted by hand from its object list and the shipped price table:
// 34 objects of 25 components, 8782 euro and 602.6 kg; the wall system's 4231.2 euro and 51.912 kg.
TEST(PlanSheetCommands, QuoteOfTheIslandAgainstAHandCount)
{
    const CliRun json = run_cli_in(stage_dir(), {"bom", island(), "--format", "json"});
    ASSERT_EQ(json.code, 0) << json.err;
    for (const char* expected : {"\"total_price\":4231.2,", "\"others_total_price\":8782,",
                                 "\"others_total_weight_kg\":602.6,", "\"quote_total_price\":13013.2,",
                                 "{\"component\":303,\"name\":\"Chair\",\"quantity\":4,\"unit_price\":29,"})
        EXPECT_NE(json.out.find(expected), std::string::npos) << expected << " in " << json.out;

    ScratchDir docs;
    const CliRun csv = run_cli_in(stage_dir(), {"bom", island(), "--format", "csv"});
    ASSERT_EQ(csv.code, 0) << csv.err;
    const fs::path file = docs.write("quote.csv", csv.out);
    // A spreadsheet's reading: Python's csv module, every price a number, each section's rows adding
    // up to its total line.
    const std::string script =
        "import csv,sys\n"
        "rows=list(csv.DictReader(open(sys.argv[1],encoding='utf-8',newline='')))\n"
        "sums={}; totals={}\n"
        "for r in rows:\n"
        "  p=float(r['Total price']); w=float(r['Weight (kg)'])\n"
        "  if r['No.']: sums[r['Section']]=sums.get(r['Section'],0)+p; int(r['No.']); float(r['Quantity'])\n"
        "  else: totals[r['Section']]=p\n"
        "ok=all(abs(sums[k]-totals[k])<0.005 for k in sums)\n"
        "print(len(rows), round(totals['Wall system'],2), round(totals['Other components'],2), "
        "round(totals['Total'],2), ok)\n";
    const fs::path py = docs.write("check.py", script);
    EXPECT_EQ(shell_output("python3 " + quoted(py) + " " + quoted(file)), "33 4231.2 8782.0 13013.2 True\n");
}
