#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "cli/editor_line.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::CliRun;
using halvern::testing::ScratchDir;
using halvern::testing::run_cli_in;

namespace {

// Runs the command line in-process against an installation folder and a store kept in memory.
class CliTest : public ::testing::Test {
protected:
    CliTest()
    {
        app.write("lib/en.txt", "0=Main window\r\n72=Component list\r\n");
        app.write("lib/fr.txt", "0=Fen\xEAtre\r\n72=Liste des composants\r\n");
    }

    CliRun run(std::vector<std::string> args) { return run_cli_in(app.path(), args, stored); }

    ScratchDir app;
    std::map<std::string, std::string, std::less<>> stored;
};

} // namespace

TEST_F(CliTest, TextOfTheStoredLanguageElseEnglish)
{
    EXPECT_EQ(run({"text", "72"}).out, "Component list\n");
    stored = {{"lang", "fr"}};
    EXPECT_EQ(run({"text", "0"}).out, "Fen\xC3\xAAtre\n");
    stored = {{"lang", "de"}};
    CliRun de = run({"text", "72"});
    EXPECT_EQ(de.out, "Component list\n");
    EXPECT_NE(de.err.find("de.txt: cannot be read"), std::string::npos) << de.err;
}

TEST_F(CliTest, LangOptionBeforeOrAfterTheArguments)
{
    EXPECT_EQ(run({"--lang", "fr", "text", "72"}).out, "Liste des composants\n");
    EXPECT_EQ(run({"text", "72", "--lang", "fr"}).out, "Liste des composants\n");
    EXPECT_EQ(run({"text", "--lang=fr", "72"}).out, "Liste des composants\n");
}

TEST_F(CliTest, NegativeNumbersAreArgumentsNotOptions)
{
    CliRun r = run({"text", "-1"});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("must be a whole number"), std::string::npos) << r.err;
}

TEST_F(CliTest, MissingTextIsItsPlaceholder)
{
    CliRun r = run({"text", "300"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "[300]\n");
    EXPECT_EQ(run({"text", "511"}).code, 0); // the last entry of the table
}

TEST_F(CliTest, UsageErrorsExitTwo)
{
    for (auto args : std::vector<std::vector<std::string>>{
             {"text"}, {"text", "1024"}, {"text", "-1"}, {"text", "abc"}, {"text", "1.5"}, {"text", "1", "2"},
             {"frobnicate"}, {"text", "1", "--lang", "de"}, {"text", "1", "--lang"}, {"settings", "--bogus"},
             {"settings", "extra"}}) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("halvern: ", 0), 0u) << r.err;
    }
}

TEST_F(CliTest, HelpListsTheCommands)
{
    for (auto args : std::vector<std::vector<std::string>>{{"--help"}, {}, {"text", "--help"}}) {
        CliRun r = run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_NE(r.out.find("settings"), std::string::npos);
        EXPECT_NE(r.out.find("text N"), std::string::npos);
    }
}

TEST_F(CliTest, SettingsPrintsSevenKeysAfterReading)
{
    stored = {{"config_player", "1,0"}, {"doc_path", "/docs"}, {"lang", "de"}};
    CliRun r = run({"settings"});
    EXPECT_EQ(r.code, 0);
    std::string a = app.path().string();
    EXPECT_EQ(r.out, "Import_path=" + a + "\ndoc_path=/docs\nexport_path=" + a
                         + "\nlang=de\nconfig_player=1\nview_qualite=1\nview_qualite_tr=0\n");
}

TEST_F(CliTest, AppDirOptionAndMissingFolder)
{
    ScratchDir other;
    other.write("lib/en.txt", "5=elsewhere\n");
    EXPECT_EQ(run({"text", "5", "--app-dir", other.path().string()}).out, "elsewhere\n");
    CliRun r = run({"text", "5", "--app-dir", (other / "missing").string()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("missing"), std::string::npos);
}

TEST(EditorLine, TheEditorTakesTheCommonOptionsAndOneDesign)
{
    auto line = editor_line({"--app-dir", "/opt/h", "--lang=fr", "stand.qlm"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->app_dir, "/opt/h");
    EXPECT_EQ(line->lang, "fr");
    EXPECT_EQ(line->design, std::filesystem::path("stand.qlm"));
    EXPECT_TRUE(line->error.empty());

    line = editor_line({});
    ASSERT_TRUE(line);
    EXPECT_FALSE(line->design);
    line = editor_line({"--lang", "en"});
    ASSERT_TRUE(line && line->lang == "en" && !line->design);
    line = editor_line({"--", "-odd.qlm"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->design, std::filesystem::path("-odd.qlm"));

    EXPECT_NE(editor_line({"--lang", "de"})->error, "");
    EXPECT_NE(editor_line({"--app-dir"})->error, "");
    // Words for the command line.
    for (std::vector<std::string> words : std::vector<std::vector<std::string>>{
             {"bom", "a.qlm"}, {"--help"}, {"--app-dir", "/x", "bom"}, {"a.qlm", "b.qlm"}, {"--width", "3"},
             {"mistyped"}, {"-h"}})
        EXPECT_FALSE(editor_line(words)) << words[0];
}
