#pragma once
// The component table (one record per component number 0..5000) and the library table
// (libraries 0..99 with their names and display order). Loaded once at start-up, refilled when the
// language changes; every other part of the program reads them by number.

#include <array>
#include <string>
#include <vector>

namespace halvern {

inline constexpr int max_component = 5000;     // component numbers 0..5000
inline constexpr int library_count_max = 100;  // libraries and positions 0..99
inline constexpr int colour_slots = 6;         // colour slots 0..5
inline constexpr int magnet_slots = 11;        // magnet slots 0..10
inline constexpr int group_component = 99;     // GROUPE_COMP: a group object's component
inline constexpr int group_library = 100;      // library of component 99; no entry in the library table

// Shape codes of the predefined outlines, and the two path kinds.
enum ShapeCode : int {
    shape_square = 0,
    shape_empty = 1,
    shape_circle = 2,
    shape_capsule = 3,
    shape_rounded_square = 4,
    shape_tee = 5,
    shape_star = 6,
    shape_ellipse = 7,
    shape_arc = 8,
    shape_empty_2 = 9,
    shape_bean = 10,
    shape_turtle_path = 99,
    shape_point_list = 100,
};

struct Component {
    int shape = 0;
    std::string name; // empty: a free number; the name the interface shows
    // The definition file's own names: its name line (French) and "name_en=". `name` shows one of
    // them (or the price table's); the editor's save writes both back, each where it belongs.
    std::string name_fr, name_en;
    double width = 0, depth = 0, height = 0;

    double auto_elevation = 0, magnet_no_elevation = 0, elevation = 0;
    double panel_w_1 = 0, panel_h_1 = 0, panel = 0;
    double resize_x = 0, resize_y = 0, resize_z = 0;

    std::string draw, auteur, license, ref, ref_reseal, short_name, info; // short_name: key "short="
    float draw_mirror = 0;
    // Texts used as numbers: kept as written, read through the numeric parse where used.
    std::string no_magnet, draw_open, draw_rotation, draw_fill;
    float pivot_x = -1, pivot_y = -1;
    int draw_color = 0; // low byte red, then green, then blue

    std::array<std::string, colour_slots> color_src{}, color_name{}, color_lib{};

    std::array<double, magnet_slots> magnet_x{}, magnet_y{}, magnet_z{};
    std::array<float, magnet_slots> magnet_r{}; // degrees, [0, 360) after loading
    std::array<double, magnet_slots> magnet_contrainte{}, magnet_force{}, magnet_recepteur{};
    std::array<double, magnet_slots> magnet_only_lib = filled(-1);
    std::array<double, magnet_slots> magnet_contrainte_ajuste{};

    int library = 0;
    std::string file_name; // with ".lib"
    bool has_3d = false;

    double price = 0, weight = 0, pack_by = 0; // the price table; weight also from the catalogue
    // The name is the reseller's, from the price table, rather than the program's own (which
    // follows the interface language); only such names are kept when the table is rewritten.
    bool name_from_price_table = false;
    double style = 0;  // built-in catalogue: drawing style, or bend angle
    double hidden = 0; // -1: the library browser does not offer it

    double quantity = 0; // working value of the bill of materials

    bool is_free() const { return name.empty(); }

private:
    static std::array<double, magnet_slots> filled(double v)
    {
        std::array<double, magnet_slots> a{};
        a.fill(v);
        return a;
    }
};

class ComponentTable {
public:
    ComponentTable() : records_(size_t(max_component) + 1) {}

    static bool valid(int n) { return n >= 0 && n <= max_component; }

    // Callers check `valid` first; numbers come from files and must never reach past the table.
    Component& operator[](int n) { return records_.at(size_t(n)); }
    const Component& operator[](int n) const { return records_.at(size_t(n)); }

private:
    std::vector<Component> records_;
};

struct LibraryTable {
    std::array<std::string, library_count_max> name{}; // entry 0 is "VEK" unless the index names it
    std::array<int, library_count_max> order{};        // library number shown at each position
    int library_count = 0;    // the highest library number in the index
    int current_library = 0;  // the library the palette column shows
    int current_position = 0; // its position in the order

    // A component's library can be 100 (the group marker), which has no entry.
    static bool valid(int library) { return library >= 0 && library < library_count_max; }
};

} // namespace halvern
