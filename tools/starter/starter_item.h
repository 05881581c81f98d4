#pragma once
// One component of the starter libraries as the generator knows it: its definition record, its
// English name, its 3D model and its price line. The libraries themselves are lists of these,
// one file per library.

#include <string>
#include <vector>

#include "library/component_table.h"
#include "vrml_builder.h"

namespace halvern::tools {

struct StarterItem {
    int number = 0;
    std::string file;    // definition file name without ".lib"
    Component c;         // the French name is the header's; every key the file holds
    std::string name_en; // "name_en="
    bool fill = false;   // "draw_fill=1": the point list is drawn filled
    std::string dat;     // the 3D companion
    Bounds bounds;       // of the 3D model, in centimetres
    double price = 0, weight = 0, pack_by = 1;
};

struct StarterLibrary {
    int number = 0;
    int position = 0; // in the library strip
    std::string name;
    std::vector<StarterItem> items;
};

// A colour value as definition files hold it: red in the low byte.
constexpr int rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// A component with the sizes and texts every starter item has; no magnet, no end joining.
StarterItem make_item(int number, std::string file, int shape, std::string name_fr, std::string name_en,
                      double width, double depth, double height, int draw_color);

// The item joins its ends to those of its neighbours (walls, counters, platforms set in a row).
void joins_ends(StarterItem& item);
// The point list is drawn as an open line.
void open_outline(StarterItem& item);

// Slot k of the item colours the material `material_name` of its model ("DEF " + name is the
// marker); `place` names the part, `library` the colour library offered for it.
void colour_slot(StarterItem& item, int k, const std::string& material_name, std::string place,
                 std::string library);

struct MagnetSpec {
    double x = 0, y = 0, z = 0, r = 0;
    double contrainte = 0, force = 0, recepteur = 0;
};
void magnet(StarterItem& item, int k, MagnetSpec m);

// The point list text "|x1|y1|..|" of outline points given on the plan (x to the right, y down,
// centred on the footprint), as the point-list drawing reads them: measured from the corner that
// ends up bottom right, x running right to left and y bottom to top.
std::string point_list(const std::vector<P2>& plan_points, double width, double depth);

// Keeps the model with the item: its text and the box it fills.
void set_model(StarterItem& item, const VrmlBuilder& model);

// Points of common outlines, centred on the origin.
std::vector<P2> ellipse_points(double half_x, double half_z, int count, double from_deg = 0, double to_deg = 360);
std::vector<P2> capsule_points(double width, double depth, int per_end = 12);
std::vector<P2> bean_points(double width, double depth, int per_curve = 12);
std::vector<P2> regular_polygon(double flat_half, int sides);
// The "rounded square" of the plan: quarter circles of `radius` in the corners.
std::vector<P2> rounded_rectangle_points(double width, double depth, double radius, int per_corner = 6);

std::vector<StarterLibrary> starter_libraries();

StarterLibrary displays_library();   // 1
StarterLibrary counters_library();   // 2
StarterLibrary seating_library();    // 3
StarterLibrary storage_library();    // 4
StarterLibrary floors_library();     // 5
StarterLibrary lighting_library();   // 11
StarterLibrary plants_library();     // 12
StarterLibrary multimedia_library(); // 13

} // namespace halvern::tools
