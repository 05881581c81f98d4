#include <gtest/gtest.h>

#include "base/text_file.h"
#include "library/builtin_catalogue.h"
#include "library/library_loader.h"
#include "library/price_table.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::read_bytes;
using halvern::testing::ScratchDir;

namespace {

std::string record(const std::string& number, const std::string& name, const std::string& price,
                   const std::string& weight, const std::string& pack)
{
    return number + "\r\nName :\r\n" + name + "\r\nPrice :\r\n" + price + "\r\nWeight (gr) :\r\n" + weight
           + "\r\nPack by\r\n" + pack + "\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
}

class PriceTableTest : public ::testing::Test {
protected:
    PriceTableTest()
    {
        app.write("extlib/lib.index", "1,0,One\r\n");
        app.write("extlib/1/a.lib", "101\r\n0\r\nPanneau\r\n1\r\n1\r\n1\r\nname_en=Panel\r\n");
    }

    void start(std::string_view lang = "en", const std::filesystem::path& user_dir = {})
    {
        components = std::make_unique<ComponentTable>();
        auto notes = load_component_tables(app.path(), lang, *components, libraries, nullptr, user_dir);
        EXPECT_TRUE(notes.empty()) << notes.front().text();
    }

    ScratchDir app;
    std::unique_ptr<ComponentTable> components;
    LibraryTable libraries;
};

} // namespace

TEST(PriceTableFormat, ExportWritesEveryNamedComponentInOrder)
{
    ComponentTable t;
    t[7].name = "Green";
    t[7].price = 12.5;
    t[7].weight = 128;
    t[7].pack_by = 10;
    t[3].name = "Gold";
    auto lines = price_table_lines(t, PriceNames::all);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[0], "3");
    EXPECT_EQ(lines[17], "7");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 17, lines.end()),
              (std::vector<std::string>{"7", "Name :", "\"Green\"", "Price :", "12.5", "Weight (gr) :", "128",
                                        "Pack by", "10", "0", "0", "0", "0", "0", "0", "0", "0"}));
}

TEST(PriceTableFormat, QuotesCommasAndCutOffRecords)
{
    std::string text = record("5", "Plain name", "\"12,5\"", "800", "4") + record("\"6\"", "\"Quoted\"", "3", "2", "1")
                       + record("5001", "Far", "1", "1", "1") + record("-3", "Negative", "1", "1", "1")
                       + "9\r\nname :\r\nCut\r\n  PRICE:  \r\n7.25\r\n";
    auto read = parse_price_table(text, "t.txt");
    ASSERT_TRUE(read.ok()) << read.error().text();
    ASSERT_EQ(read->records.size(), 3u);
    EXPECT_EQ(read->records[0].name, "Plain name");
    EXPECT_EQ(read->records[0].price, 12.5);
    EXPECT_EQ(read->records[1].number, 6);
    EXPECT_EQ(read->records[1].name, "Quoted");
    EXPECT_EQ(read->records[2].number, 9);
    EXPECT_EQ(read->records[2].fields, 5);
    EXPECT_EQ(read->records[2].price, 7.25);
    ASSERT_EQ(read->notes.size(), 3u); // two skipped, one cut off
    EXPECT_EQ(read->notes[0].line, 35);
    EXPECT_EQ(read->notes[1].line, 52);
    EXPECT_EQ(read->notes[2].line, 69);

    ComponentTable t;
    t[9].weight = 55;
    t[9].pack_by = 6;
    apply_price_records(read->records, t, PriceTableSource::imported);
    EXPECT_EQ(t[9].name, "Cut");
    EXPECT_EQ(t[9].price, 7.25);
    EXPECT_EQ(t[9].weight, 55); // beyond the end of the file
    EXPECT_EQ(t[9].pack_by, 6);
}

TEST(PriceTableFormat, NotAPriceTableNamesTheLine)
{
    struct Case {
        std::string text;
        int line;
    };
    for (const Case& c : std::vector<Case>{
             {record("1", "A", "1", "1", "1") + "2\r\nName :\r\nB\r\nCost :\r\n1\r\n", 21},
             {"Hello\r\nworld\r\n", 1},
             {"1\r\nA name\r\n", 2},
             {record("1", "A", "1", "1", "1").substr(3), 1}, // shifted by one line
         }) {
        auto read = parse_price_table(c.text, "bad.txt");
        ASSERT_FALSE(read.ok()) << c.text;
        EXPECT_EQ(read.error().line, c.line) << c.text;
        EXPECT_EQ(read.error().file, "bad.txt");
    }
    EXPECT_TRUE(parse_price_table("", "empty.txt").ok());
}

TEST_F(PriceTableTest, ExportAndReimportKeepEveryValue)
{
    start();
    (*components)[101].price = 19.99;
    (*components)[101].weight = 1250;
    (*components)[101].pack_by = 2;
    (*components)[21].price = 3.5;
    ComponentTable before = *components;
    ASSERT_TRUE(write_price_table(app / "export.txt", *components).ok());

    auto notes = import_price_table(app / "export.txt", {app.path(), {}, {}}, *components);
    ASSERT_TRUE(notes.ok()) << notes.error().text();
    EXPECT_TRUE(notes->empty());
    for (int n = 0; n <= max_component; ++n) {
        EXPECT_EQ((*components)[n].name, before[n].name) << n;
        EXPECT_EQ((*components)[n].price, before[n].price) << n;
        EXPECT_EQ((*components)[n].weight, before[n].weight) << n;
        EXPECT_EQ((*components)[n].pack_by, before[n].pack_by) << n;
    }
    EXPECT_EQ((*components)[21].name, "Velts Lime ");

    // Unchanged names are the program's own: the installed table leaves them empty, and they keep
    // following the language.
    start("fr");
    EXPECT_EQ((*components)[101].name, "Panneau");
    EXPECT_EQ((*components)[101].price, 19.99);
    EXPECT_EQ((*components)[3].name, "Or");
}

TEST_F(PriceTableTest, ImportedValuesSurviveTheNextStart)
{
    start();
    app.write("new.txt", record("101", "Cloison 2 m", "45", "3000", "1") + record("3", "", "9.9", "311", "20"));
    auto notes = import_price_table(app / "new.txt", {app.path(), {}, {}}, *components);
    ASSERT_TRUE(notes.ok()) << notes.error().text();
    EXPECT_EQ((*components)[3].name, "Gold"); // an empty name keeps the component's name
    EXPECT_EQ((*components)[3].price, 9.9);
    EXPECT_EQ((*components)[101].name, "Cloison 2 m");

    start("fr");
    EXPECT_EQ((*components)[101].name, "Cloison 2 m");
    EXPECT_EQ((*components)[101].price, 45);
    EXPECT_EQ((*components)[101].weight, 3000);
    EXPECT_EQ((*components)[3].name, "Or");
    EXPECT_EQ((*components)[3].pack_by, 20);
}

TEST_F(PriceTableTest, RefusedFileChangesNothing)
{
    start();
    std::string installed = record("101", "", "5", "6", "7");
    app.write("extlib/table.lib", installed);
    start();
    app.write("notes.txt", "Shopping list\r\nbread\r\n");
    ComponentTable before = *components;
    auto refused = import_price_table(app / "notes.txt", {app.path(), {}, {}}, *components);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().file, app / "notes.txt");
    EXPECT_EQ(refused.error().line, 1);
    EXPECT_EQ(read_bytes(app / "extlib/table.lib"), installed);
    EXPECT_EQ((*components)[101].price, 5);

    auto missing = import_price_table(app / "nothing.txt", {app.path(), {}, {}}, *components);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(read_bytes(app / "extlib/table.lib"), installed);
}

// An installation the user cannot write: the import goes into the user's own table, read over the
// installed one at the next start, and the installed table stays as it was.
TEST_F(PriceTableTest, ImportIntoAReadOnlyInstallationGoesToTheUsersTable)
{
    const std::string installed = record("101", "", "5", "6", "7") + record("3", "", "1", "2", "3");
    app.write("extlib/table.lib", installed);
    ScratchDir user;
    start("en", user.path());
    app.write("new.txt", record("101", "Cloison 2 m", "45", "3000", "1"));
    const LibraryFolders folders{app.path(), user.path(), [](const std::filesystem::path&) { return false; }};
    std::filesystem::path written;
    auto notes = import_price_table(app / "new.txt", folders, *components, &written);
    ASSERT_TRUE(notes.ok()) << notes.error().text();
    EXPECT_EQ(written, user / "extlib/table.lib");
    EXPECT_EQ(read_bytes(app / "extlib/table.lib"), installed);

    start("en", user.path());
    EXPECT_EQ((*components)[101].name, "Cloison 2 m");
    EXPECT_EQ((*components)[101].price, 45);
    EXPECT_EQ((*components)[3].price, 1); // the installed value, carried into the user's table
    start("en");
    EXPECT_EQ((*components)[101].price, 5); // without the overlay: the installation as it was

    // No overlay to fall back on: the write in place fails, and the tables stay as they were.
    const LibraryFolders closed{app.path() / "missing", {}, {}};
    auto refused = import_price_table(app / "new.txt", closed, *components);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ((*components)[101].price, 5);
}

TEST_F(PriceTableTest, DamagedInstalledTableIsANoteNotAStop)
{
    app.write("extlib/table.lib", "101\r\nPrice :\r\n");
    components = std::make_unique<ComponentTable>();
    auto notes = load_component_tables(app.path(), "en", *components, libraries);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].file, app / "extlib/table.lib");
    EXPECT_EQ(notes[0].line, 2);
    EXPECT_EQ((*components)[101].name, "Panel");
}

TEST(PriceTableFile, ExportNameGetsTxt)
{
    EXPECT_EQ(with_txt_extension("/a/prices"), "/a/prices.txt");
    EXPECT_EQ(with_txt_extension("/a/prices.TXT"), "/a/prices.TXT");
    EXPECT_EQ(with_txt_extension("/a/prices.csv"), "/a/prices.csv.txt");
}
