// The menu tables: both languages in parallel, the menu-array convention, and the language rule.

#include <gtest/gtest.h>

#include <set>

#include "app/menu_tables.h"

using namespace halvern;

namespace {

std::vector<int> commands_of(const Menu& menu)
{
    std::vector<int> ids;
    for (const MenuItem& item : menu.items)
        ids.push_back(item.command);
    return ids;
}

} // namespace

TEST(MenuTables, AnyLanguageButFrenchGivesTheEnglishTable)
{
    EXPECT_EQ(&menu_table_for("fr"), &french_menu_table());
    EXPECT_EQ(&menu_table_for("en"), &english_menu_table());
    EXPECT_EQ(&menu_table_for("de"), &english_menu_table());
    EXPECT_EQ(&menu_table_for(""), &english_menu_table());
    EXPECT_EQ(&menu_table_for("FR"), &english_menu_table());
}

TEST(MenuTables, MenusInTheirOrderWithTheirCommands)
{
    const std::vector<Menu> en = parse_menu_table(english_menu_table());
    const std::vector<Menu> fr = parse_menu_table(french_menu_table());
    ASSERT_EQ(en.size(), 6u);
    ASSERT_EQ(fr.size(), 6u);
    const char* en_titles[] = {"File", "Object", "Project", "Tools", "View", "?"};
    const char* fr_titles[] = {"Fichier", "objet", "projet", "Outils", "Affichage", "?"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(en[i].title, en_titles[i]);
        EXPECT_EQ(fr[i].title, fr_titles[i]);
        // Entry i of one table is the translation of entry i of the other.
        EXPECT_EQ(commands_of(en[i]), commands_of(fr[i]));
    }
    EXPECT_EQ(commands_of(en[0]), (std::vector<int>{95, 99, 98, 96, 150, 151, 152, 94, 90, 93, 91, 0, 92, 0, 97}));
    EXPECT_EQ(commands_of(en[1]), (std::vector<int>{104, 0, 100, 101, 102, 103, 0, 105, 106}));
    EXPECT_EQ(commands_of(en[2]), (std::vector<int>{10}));
    EXPECT_EQ(commands_of(en[3]), (std::vector<int>{20, 0, 22, 0, 21, 24, 0}));
    EXPECT_EQ(commands_of(en[4]), (std::vector<int>{39, 80, 81, 0, 30, 31, 0, 32, 0, 33, 35, 34, 0, 38, 0, 40, 41, 42,
                                                    43, 44, 45, 46, 47, 48, 0, 50, 51}));
    EXPECT_EQ(commands_of(en[5]), (std::vector<int>{1, 0, 2, 3, 200, 201}));
}

TEST(MenuTables, LabelsAreTheProgramsOwn)
{
    EXPECT_EQ(command_label(french_menu_table(), 95), "Nouveau");
    EXPECT_EQ(command_label(english_menu_table(), 95), "New");
    EXPECT_EQ(command_label(french_menu_table(), 104), "Tout d\xC3\xA9grouper");
    EXPECT_EQ(command_label(english_menu_table(), 20), "Move objects to top");
    EXPECT_EQ(command_label(french_menu_table(), 48), "Zoom personnalis\xC3\xA9");
    EXPECT_EQ(command_label(english_menu_table(), 48), "User Zoom");
    EXPECT_EQ(command_label(english_menu_table(), 200), "Fran\xC3\xA7" "ais");
    EXPECT_EQ(command_label(french_menu_table(), 201), "English");
    EXPECT_EQ(command_label(english_menu_table(), 92), "Properties");
    EXPECT_EQ(command_label(english_menu_table(), 777), "");
}

TEST(MenuTables, EveryCommandOnceAndTheTableEndsWithEmptyEntries)
{
    std::set<int> seen;
    for (const Menu& menu : parse_menu_table(english_menu_table()))
        for (const MenuItem& item : menu.items)
            if (!item.separator()) {
                EXPECT_TRUE(seen.insert(item.command).second) << "command " << item.command << " twice";
            }
    EXPECT_EQ(seen.size(), 51u); // with our own exports of the plan as PDF and SVG
    EXPECT_TRUE(english_menu_table()[menu_table_size - 1].empty());
}

TEST(MenuTables, MalformedEntriesAreSkipped)
{
    MenuTable table{};
    table[0] = "Menu";
    table[1] = "#7#Seven";
    table[2] = "#x#bad number";
    table[3] = "no hashes";
    table[4] = "##empty id";
    table[5] = "-";
    table[6] = "#8#";
    std::vector<Menu> menus = parse_menu_table(table);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(commands_of(menus[0]), (std::vector<int>{7, 0, 8}));
    EXPECT_EQ(menus[0].items[2].label, "");
}
