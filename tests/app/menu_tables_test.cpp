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
    std::vector<Menu> en = parse_menu_table(english_menu_table());
    const std::vector<Menu> fr = parse_menu_table(french_menu_table());
    ASSERT_EQ(en.size(), 7u);
    ASSERT_EQ(fr.size(), 7u);
    const char* en_titles[] = {"File", "Edit", "Object", "Project", "Tools", "View", "?"};
    const char* fr_titles[] = {"Fichier", "Edition", "objet", "projet", "Outils", "Affichage", "?"};
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(en[i].title, en_titles[i]);
        EXPECT_EQ(fr[i].title, fr_titles[i]);
        // Entry i of one table is the translation of entry i of the other.
        EXPECT_EQ(commands_of(en[i]), commands_of(fr[i]));
    }
    using namespace command;
    constexpr int separator = 0;
    EXPECT_EQ(commands_of(en[0]), (std::vector<int>{new_project, load, save, save_as, print, export_plan_pdf, export_plan_svg, export_plan_dxf, import_project, save_blueprint,
                                                    save_screen, export_3d, export_gltf, share_web_page, print_pack, build_sheets, separator, preferences, separator, quit}));
    EXPECT_EQ(commands_of(en[1]), (std::vector<int>{cut, copy, paste, duplicate, separator, select_all}));
    en.erase(en.begin() + 1);
    EXPECT_EQ(commands_of(en[1]), (std::vector<int>{properties, separator, rotate_left, rotate_right, rotate_by,
                                                    append_joined, append_turned, separator, group, ungroup,
                                                    delete_chosen, ungroup_all, separator, carry_objects, separator,
                                                    change_height, change_visual,
                                                    raise_from_ground, add_visual, separator, undo, redo}));
    EXPECT_EQ(commands_of(en[2]), (std::vector<int>{project_form}));
    EXPECT_EQ(commands_of(en[3]), (std::vector<int>{move_to_corner, separator, picture_tiling, separator,
                                                    export_price_table, import_price_table, separator}));
    std::vector<int> view{view_3d,      structure_3d, coloured_3d,    separator,   angle_markers, debug_display,
                          separator,    angle_errors, separator,      object_names, object_heights, panel_sizes,
                          separator,    big_labels,   separator};
    for (int zoom = zoom_first; zoom <= zoom_last; ++zoom)
        view.push_back(zoom);
    view.insert(view.end(), {zoom_auto, zoom_user, separator, component_list, library_window});
    EXPECT_EQ(commands_of(en[4]), view);
    EXPECT_EQ(commands_of(en[5]),
              (std::vector<int>{about, separator, octaga_download, capture_download, french, english}));
}

TEST(MenuTables, LabelsAreTheProgramsOwn)
{
    EXPECT_EQ(command_label(french_menu_table(), command::new_project), "Nouveau");
    EXPECT_EQ(command_label(english_menu_table(), command::new_project), "New");
    EXPECT_EQ(command_label(french_menu_table(), command::ungroup_all), "Tout d\xC3\xA9grouper");
    EXPECT_EQ(command_label(english_menu_table(), command::move_to_corner), "Move objects to top");
    EXPECT_EQ(command_label(french_menu_table(), command::zoom_user), "Zoom personnalis\xC3\xA9");
    EXPECT_EQ(command_label(english_menu_table(), command::zoom_user), "User Zoom");
    EXPECT_EQ(command_label(english_menu_table(), command::french), "Fran\xC3\xA7" "ais");
    EXPECT_EQ(command_label(french_menu_table(), command::english), "English");
    EXPECT_EQ(command_label(english_menu_table(), command::preferences), "Properties");
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
    EXPECT_EQ(seen.size(), 71u); // with our own edit and object commands, the plan as PDF, SVG and DXF, the print pack, glTF, the web page, the build sheets, the carrying switch
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
