#include "app/menu_tables.h"

#include <charconv>

#include "app/editor_commands.h"

namespace halvern {

namespace {

// The menu bar, menu after menu, each ended by an empty entry: a menu's title in both languages,
// "-" for a separator, or a command whose labels are those of its row in the editor's commands.
struct LayoutEntry {
    const char* fr;
    const char* en;
    int command;
};

constexpr LayoutEntry menu_bar[] = {
    {"Fichier", "File", 0},
    {nullptr, nullptr, command::new_project},
    {nullptr, nullptr, command::load},
    {nullptr, nullptr, command::save},
    {nullptr, nullptr, command::save_as},
    {nullptr, nullptr, command::print},
    {nullptr, nullptr, command::export_plan_pdf},
    {nullptr, nullptr, command::export_plan_svg},
    {nullptr, nullptr, command::export_plan_dxf},
    {nullptr, nullptr, command::import_project},
    {nullptr, nullptr, command::save_blueprint},
    {nullptr, nullptr, command::save_screen},
    {nullptr, nullptr, command::export_3d},
    // Ours: the stand for the viewers, browsers and 3D programs that read no VRML.
    {nullptr, nullptr, command::export_gltf},
    // Ours: the stand in 3D for the customer, in any browser.
    {nullptr, nullptr, command::share_web_page},
    // Ours: the printer's files for every printed face.
    {nullptr, nullptr, command::print_pack},
    // Ours: packing list, wall runs and free objects for the crew.
    {nullptr, nullptr, command::build_sheets},
    {"-", "-", 0},
    {nullptr, nullptr, command::preferences},
    {"-", "-", 0},
    {nullptr, nullptr, command::quit},
    {"", "", 0},
    // The standard editing commands every desktop program has, with their usual keys.
    {"Edition", "Edit", 0},
    {nullptr, nullptr, command::cut},
    {nullptr, nullptr, command::copy},
    {nullptr, nullptr, command::paste},
    {nullptr, nullptr, command::duplicate},
    {"-", "-", 0},
    {nullptr, nullptr, command::select_all},
    {"", "", 0},
    {"objet", "Object", 0},
    // Ours: the gestures of the plan as commands, with the plan's own keys beside them.
    {nullptr, nullptr, command::properties},
    {"-", "-", 0},
    {nullptr, nullptr, command::rotate_left},
    {nullptr, nullptr, command::rotate_right},
    {nullptr, nullptr, command::rotate_by},
    {nullptr, nullptr, command::append_joined},
    {nullptr, nullptr, command::append_turned},
    {"-", "-", 0},
    {nullptr, nullptr, command::group},
    {nullptr, nullptr, command::ungroup},
    {nullptr, nullptr, command::delete_chosen},
    {nullptr, nullptr, command::ungroup_all},
    {"-", "-", 0},
    // Ours, a switch: what stands on a counter or a platform goes where it goes.
    {nullptr, nullptr, command::carry_objects},
    {"-", "-", 0},
    {nullptr, nullptr, command::change_height},
    {nullptr, nullptr, command::change_visual},
    {nullptr, nullptr, command::raise_from_ground},
    {nullptr, nullptr, command::add_visual},
    // Undo and redo: a user expects them where the objects are edited.
    {"-", "-", 0},
    {nullptr, nullptr, command::undo},
    {nullptr, nullptr, command::redo},
    {"", "", 0},
    {"projet", "Project", 0},
    {nullptr, nullptr, command::project_form},
    {"", "", 0},
    {"Outils", "Tools", 0},
    {nullptr, nullptr, command::move_to_corner},
    {"-", "-", 0},
    {nullptr, nullptr, command::picture_tiling},
    {"-", "-", 0},
    {nullptr, nullptr, command::export_price_table},
    {nullptr, nullptr, command::import_price_table},
    {"-", "-", 0},
    {"", "", 0},
    {"Affichage", "View", 0},
    {nullptr, nullptr, command::view_3d},
    {nullptr, nullptr, command::structure_3d},
    {nullptr, nullptr, command::coloured_3d},
    {"-", "-", 0},
    {nullptr, nullptr, command::angle_markers},
    {nullptr, nullptr, command::debug_display},
    {"-", "-", 0},
    {nullptr, nullptr, command::angle_errors},
    {"-", "-", 0},
    {nullptr, nullptr, command::object_names},
    {nullptr, nullptr, command::object_heights},
    {nullptr, nullptr, command::panel_sizes},
    {"-", "-", 0},
    {nullptr, nullptr, command::big_labels},
    {"-", "-", 0},
    {nullptr, nullptr, command::zoom_first + 0},
    {nullptr, nullptr, command::zoom_first + 1},
    {nullptr, nullptr, command::zoom_first + 2},
    {nullptr, nullptr, command::zoom_first + 3},
    {nullptr, nullptr, command::zoom_first + 4},
    {nullptr, nullptr, command::zoom_first + 5},
    {nullptr, nullptr, command::zoom_first + 6},
    {nullptr, nullptr, command::zoom_auto},
    {nullptr, nullptr, command::zoom_user},
    {"-", "-", 0},
    {nullptr, nullptr, command::component_list},
    {nullptr, nullptr, command::library_window},
    {"", "", 0},
    {"?", "?", 0},
    {nullptr, nullptr, command::about},
    {"-", "-", 0},
    {nullptr, nullptr, command::octaga_download},
    {nullptr, nullptr, command::capture_download},
    {nullptr, nullptr, command::french},
    {nullptr, nullptr, command::english},
    {"", "", 0},
};

static_assert(std::size(menu_bar) < menu_table_size);

MenuTable fill(bool french)
{
    MenuTable table{}; // the entries after the last menu stay empty: the end of the list
    for (size_t i = 0; i < std::size(menu_bar); ++i) {
        const LayoutEntry& entry = menu_bar[i];
        if (entry.command == 0) {
            table[i] = french ? entry.fr : entry.en;
        } else if (const EditorCommand* row = editor_command(entry.command)) {
            table[i] = "#" + std::to_string(entry.command) + "#" + (french ? row->fr : row->en);
        }
    }
    return table;
}

// "#95#New" -> 95 and "New"; false for any other form.
bool parse_command_entry(std::string_view entry, int& id, std::string& label)
{
    if (entry.size() < 3 || entry[0] != '#')
        return false;
    size_t second = entry.find('#', 1);
    if (second == std::string_view::npos || second == 1)
        return false;
    const char* first = entry.data() + 1;
    const char* last = entry.data() + second;
    auto [end, ec] = std::from_chars(first, last, id);
    if (ec != std::errc() || end != last || id <= 0)
        return false;
    label = std::string(entry.substr(second + 1));
    return true;
}

} // namespace

const MenuTable& french_menu_table()
{
    static const MenuTable table = fill(true);
    return table;
}

const MenuTable& english_menu_table()
{
    static const MenuTable table = fill(false);
    return table;
}

const MenuTable& menu_table_for(std::string_view lang)
{
    return lang == "fr" ? french_menu_table() : english_menu_table();
}

std::vector<Menu> parse_menu_table(const MenuTable& table)
{
    std::vector<Menu> menus;
    size_t i = 0;
    while (i < table.size() && !table[i].empty()) {
        Menu menu;
        menu.title = table[i++];
        for (; i < table.size() && !table[i].empty(); ++i) {
            if (table[i] == "-") {
                menu.items.push_back({});
                continue;
            }
            MenuItem item;
            if (parse_command_entry(table[i], item.command, item.label))
                menu.items.push_back(std::move(item));
        }
        ++i; // the empty entry that ends the menu
        menus.push_back(std::move(menu));
    }
    return menus;
}

std::string command_label(const MenuTable& table, int command)
{
    for (const std::string& entry : table) {
        int id = 0;
        std::string label;
        if (parse_command_entry(entry, id, label) && id == command)
            return label;
    }
    return {};
}

} // namespace halvern
