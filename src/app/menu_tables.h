#pragma once
// The two menu tables of the main window, French and English, filled in parallel: entry i of one
// is the translation of entry i of the other. A table lists a menu title, its entries and an empty
// entry, menu after menu, and ends with further empty entries. "-" is a separator; "#id#label" is
// a command numbered id. No Qt here: the window builds its menus from what `parse_menu_table` gives.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace halvern {

inline constexpr int menu_table_size = 301; // entries 0..300

using MenuTable = std::array<std::string, menu_table_size>;

// Command numbers the window treats by name.
namespace command {
inline constexpr int about = 1;
inline constexpr int octaga_download = 2;
inline constexpr int capture_download = 3;
inline constexpr int project_form = 10;
inline constexpr int move_to_corner = 20;
inline constexpr int export_price_table = 21;
inline constexpr int picture_tiling = 22;
inline constexpr int import_price_table = 24;
inline constexpr int angle_markers = 30;
inline constexpr int debug_display = 31;
inline constexpr int angle_errors = 32;
inline constexpr int object_names = 33;
inline constexpr int panel_sizes = 34;
inline constexpr int object_heights = 35;
inline constexpr int big_labels = 38;
inline constexpr int view_3d = 39;
inline constexpr int zoom_first = 40; // 40..46: 50% .. 800%
inline constexpr int zoom_last = 46;
inline constexpr int zoom_auto = 47;
inline constexpr int zoom_user = 48;
inline constexpr int component_list = 50;
inline constexpr int library_window = 51;
inline constexpr int structure_3d = 80;
inline constexpr int coloured_3d = 81;
inline constexpr int save_blueprint = 90;
inline constexpr int export_3d = 91;
inline constexpr int preferences = 92;
inline constexpr int save_screen = 93;
inline constexpr int import_project = 94;
inline constexpr int new_project = 95;
inline constexpr int save_as = 96;
inline constexpr int quit = 97;
inline constexpr int save = 98;
inline constexpr int load = 99;
inline constexpr int change_height = 100;
inline constexpr int change_visual = 101;
inline constexpr int raise_from_ground = 102;
inline constexpr int add_visual = 103;
inline constexpr int ungroup_all = 104;
inline constexpr int undo = 105; // our own: undo and redo of every change to the design
inline constexpr int redo = 106;
inline constexpr int print_pack = 110; // our own: every printed face's picture, ready for the printer
inline constexpr int build_sheets = 115; // our own: what the crew needs to put the stand up
// Our own Edit menu.
inline constexpr int copy = 120;
inline constexpr int cut = 121;
inline constexpr int paste = 122;
inline constexpr int duplicate = 123;
inline constexpr int select_all = 124;
// Our own Object menu: what the plan's gestures and keys do, for a hand that does not know them.
inline constexpr int properties = 130;
inline constexpr int rotate_left = 131;
inline constexpr int rotate_right = 132;
inline constexpr int rotate_by = 133;
inline constexpr int append_joined = 134;
inline constexpr int append_turned = 135;
inline constexpr int group = 136;
inline constexpr int ungroup = 137;
inline constexpr int delete_chosen = 138;
inline constexpr int carry_objects = 139; // a switch: what stands on an object goes with it
inline constexpr int print = 150;
inline constexpr int export_plan_pdf = 151; // our own: the plan as vectors with its title block
inline constexpr int export_plan_svg = 152;
inline constexpr int export_gltf = 155; // our own: the stand as glTF, for every current viewer
inline constexpr int export_plan_dxf = 156; // our own: the plan for halls and CAD
inline constexpr int share_web_page = 157; // our own: the stand in 3D as one page for any browser
inline constexpr int french = 200;
inline constexpr int english = 201;
} // namespace command

// The zoom factors of commands 40..46.
inline constexpr double zoom_presets[7] = {0.5, 0.75, 1, 1.5, 2, 4, 8};

const MenuTable& french_menu_table();
const MenuTable& english_menu_table();
// The table installed for a language: French for "fr", English for "en" and for any other code.
const MenuTable& menu_table_for(std::string_view lang);

struct MenuItem {
    int command = 0;       // 0 for a separator
    std::string label;     // empty for a separator
    bool separator() const { return command == 0; }
};

struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};

// The menus of a table in order. An entry that is neither "-" nor "#id#label" is skipped.
std::vector<Menu> parse_menu_table(const MenuTable& table);

// The label of a command in a table; empty when the table does not hold it.
std::string command_label(const MenuTable& table, int command);

} // namespace halvern
