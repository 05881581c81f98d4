#include <gtest/gtest.h>

#include <set>

#include "base/load_error.h"
#include "base/ui_text.h"
#include "base/ui_text_ids.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

TEST(UiText, MissingEntryShowsItsNumberInBrackets)
{
    ScratchDir dir;
    dir.write("lib/en.txt", "0=Main\r\n93=Library\r\n");
    UiText texts;
    ASSERT_TRUE(texts.load(dir.path(), "en"));
    EXPECT_EQ(texts.get(0), "Main");
    EXPECT_EQ(texts.get(93), "Library");
    EXPECT_EQ(texts.get(72), "[72]");
    EXPECT_EQ(texts.get(300), "[300]");
    EXPECT_EQ(texts.get(1024), "[1024]");
    EXPECT_EQ(texts.get(-1), "[-1]");
}

TEST(UiText, LinesAreTrimmedAndSplitAtTheFirstEquals)
{
    ScratchDir dir;
    dir.write("lib/fr.txt", " 5 =  a = b  \n\t6\t=x\nno equals sign\n7=\n8=caf\xE9");
    UiText texts;
    ASSERT_TRUE(texts.load(dir.path(), "fr"));
    EXPECT_EQ(texts.get(5), "a = b");
    EXPECT_EQ(texts.get(6), "x");
    EXPECT_EQ(texts.get(7), "");
    EXPECT_EQ(texts.get(8), "caf\xC3\xA9"); // last line without its end, code page 1252
}

TEST(UiText, NumbersOutsideTheTableAreIgnored)
{
    ScratchDir dir;
    dir.write("lib/en.txt", "1024=too far\n1023=last\n-1=negative\n2.5=half\n99999999999=huge\nabc=zero\n");
    UiText texts;
    ASSERT_TRUE(texts.load(dir.path(), "en"));
    EXPECT_EQ(texts.get(2), "[2]");
    EXPECT_EQ(texts.get(1023), "last");
    EXPECT_EQ(texts.get(1024), "[1024]");
    EXPECT_EQ(texts.get(0), "zero"); // a key without a number is entry 0, as the numeric rule says
}

TEST(UiText, ReloadingResetsEveryEntry)
{
    ScratchDir dir;
    dir.write("lib/en.txt", "1=one\n2=two\n");
    dir.write("lib/fr.txt", "1=un\n");
    UiText texts;
    texts.load(dir.path(), "en");
    texts.load(dir.path(), "fr");
    EXPECT_EQ(texts.get(1), "un");
    EXPECT_EQ(texts.get(2), "two"); // from English
    dir.write("lib/en.txt", "1=one\n");
    texts.load(dir.path(), "fr");
    EXPECT_EQ(texts.get(2), "[2]");
}

TEST(UiText, WhatALanguageLacksIsTakenFromEnglishWithOneNote)
{
    ScratchDir dir;
    dir.write("lib/en.txt", "1=one\n2=two\n3=three\n");
    dir.write("lib/fr.txt", "1=un\n3=\n");
    UiText texts;
    EXPECT_TRUE(texts.load(dir.path(), "fr"));
    EXPECT_EQ(texts.get(1), "un");
    EXPECT_EQ(texts.get(2), "two");
    EXPECT_EQ(texts.get(3), ""); // given, though empty
    ASSERT_EQ(texts.notes().size(), 1u);
    EXPECT_EQ(texts.notes()[0].text(), (dir / "lib" / "fr.txt").string() + ": lacks 1 interface text, shown in English");

    // A language without a file, or with one that cannot be read, is shown in English.
    EXPECT_FALSE(texts.load(dir.path(), "de"));
    EXPECT_EQ(texts.get(2), "two");
    ASSERT_EQ(texts.notes().size(), 1u);
    EXPECT_NE(texts.notes()[0].text().find("de.txt: cannot be read"), std::string::npos);
    std::filesystem::create_directory(dir / "lib" / "it.txt");
    EXPECT_FALSE(texts.load(dir.path(), "it"));
    EXPECT_EQ(texts.get(3), "three");
    ASSERT_EQ(texts.notes().size(), 1u);
    EXPECT_NE(texts.notes()[0].text().find("it.txt: is a folder"), std::string::npos);

    // A complete English is no news.
    EXPECT_TRUE(texts.load(dir.path(), "en"));
    EXPECT_TRUE(texts.notes().empty());
}

TEST(UiText, MissingEnglishIsReported)
{
    ScratchDir dir;
    dir.write("lib/fr.txt", "1=un\n");
    UiText texts;
    EXPECT_FALSE(texts.load(dir.path(), "en"));
    ASSERT_EQ(texts.notes().size(), 1u);
    EXPECT_NE(texts.notes()[0].text().find("en.txt: cannot be read"), std::string::npos);
    EXPECT_TRUE(texts.load(dir.path(), "fr"));
    EXPECT_EQ(texts.get(1), "un");
    ASSERT_EQ(texts.notes().size(), 1u);
    EXPECT_NE(texts.notes()[0].text().find("en.txt"), std::string::npos);
}

TEST(UiText, UnknownLanguageIsLookedForAndLeavesPlaceholders)
{
    ScratchDir dir;
    UiText texts;
    EXPECT_FALSE(texts.load(dir.path(), "de"));
    EXPECT_EQ(texts.get(72), "[72]");
    dir.write("lib/de.txt", "72=Komponentenliste\n");
    EXPECT_TRUE(texts.load(dir.path(), "de"));
    EXPECT_EQ(texts.get(72), "Komponentenliste");
}

TEST(UiText, LanguageCodeCannotReachOutsideLib)
{
    ScratchDir dir;
    dir.write("secret.txt", "0=secret\n");
    UiText texts;
    EXPECT_FALSE(texts.load(dir.path() / "lib", "../secret"));
    EXPECT_EQ(texts.get(0), "[0]");
}

TEST(UiText, EveryNamedTextHasItsOwnEntryInsideTheTable)
{
    std::set<int> seen;
    for (int n : ui::used_ui_texts) {
        EXPECT_TRUE(n >= 0 && n < UiText::count) << n;
        EXPECT_TRUE(seen.insert(n).second) << "two texts share entry " << n;
    }
}

TEST(UiText, ShippedLanguageFilesHoldEveryEntryTheProgramShows)
{
    for (const char* lang : {"en", "fr"}) {
        UiText texts;
        ASSERT_TRUE(texts.load(halvern::testing::stage_dir(), lang)) << lang;
        for (int n : ui::used_ui_texts)
            EXPECT_NE(texts.get(n), UiText::placeholder(n)) << lang << " lacks entry " << n;
    }
}

TEST(UiText, ShippedLanguageFilesHoldTheSameEntries)
{
    UiText en, fr;
    ASSERT_TRUE(en.load(halvern::testing::stage_dir(), "en"));
    ASSERT_TRUE(fr.load(halvern::testing::stage_dir(), "fr"));
    EXPECT_TRUE(fr.notes().empty()) << fr.notes().front().text(); // nothing taken from English
    for (int n = 0; n < UiText::count; ++n) {
        const bool in_en = en.get(n) != UiText::placeholder(n), in_fr = fr.get(n) != UiText::placeholder(n);
        EXPECT_EQ(in_en, in_fr) << "entry " << n << " is in only one language";
        if (in_en) {
            EXPECT_FALSE(en.get(n).empty() || fr.get(n).empty()) << "entry " << n << " is empty";
        }
    }
}

TEST(LoadError, FrenchEnglishAndFallback)
{
    EXPECT_EQ(load_error_text(LoadError::unreadable_file, "fr"), "Fichier illisible");
    EXPECT_EQ(load_error_text(LoadError::unreadable_file, "en"), "Unreadable file");
    EXPECT_EQ(load_error_text(LoadError::file_not_found, "fr"), "Fichier introuvable");
    EXPECT_EQ(load_error_text(LoadError::file_not_found, "en"), "file not found");
    EXPECT_EQ(load_error_text(LoadError::not_enough_memory, "fr"), "Pas assez de m\xC3\xA9moire");
    EXPECT_EQ(load_error_text(LoadError::missing_component, "en"),
              "You try to read a file,but you don't have the 3D file");
    // Any other language still tells the user, in English.
    EXPECT_EQ(load_error_text(LoadError::file_not_found, "de"), "file not found");
    EXPECT_EQ(load_error_text(LoadError::missing_component, ""), load_error_text(LoadError::missing_component, "en"));
}
