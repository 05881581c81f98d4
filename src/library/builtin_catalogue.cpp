#include "library/builtin_catalogue.h"

#include <cmath>
#include <string>

namespace halvern {

namespace {

constexpr double unset = NAN; // a value the catalogue leaves alone

void set_if(double& field, double value)
{
    if (!std::isnan(value))
        field = value;
}

// The colour words of the modular range, in the order of components 0..9.
constexpr std::string_view colours_fr[10] = {"Violet", "Citron", "Marron", "Or",   "Argent",
                                             "Rose",   "Bleu",   "Vert",   "Blanc", "Noir"};
constexpr std::string_view colours_en[10] = {"Purple", "Lime", "Brown", "Gold",  "Silver",
                                             "Pink",   "Blue", "Green", "White", "Black"};

struct NamedPiece {
    int number;
    std::string_view fr, en;
};
constexpr NamedPiece accessories[] = {
    {50, "Noeud", "Junction"},
    {51, "Pied", "Feet"},
    {60, "Visuel au m²", "Panel (m²)"},
    {61, "Visuel au mètre lineaire", "Print Panel (ml)"},
    {62, "Aimant (ml)", "Magnet (ml)"},
    {63, "Suspente", "Edge Stiffener"},
    {64, "Coin adhésif", "Corner Tabs"},
    {65, "Clicker", "Clicker"},
    {66, "Hanger", "Hanger"},
};

struct Library0Values {
    int number;
    double width, depth, style, weight;
};
constexpr Library0Values library0_values[] = {
    {0, 75.1, 12, 0, 227},   {1, 57.6, 9, 0, 190},    {2, 68.4, 50, 2, 227},  {3, 111.9, 4, 1, 311},
    {4, 96.8, 4, 1, 275},    {5, 68.4, 4, 1, 210},    {6, 48.4, 4, 1, 165},   {7, 34.3, 4, 1, 128},
    {8, 21.8, 4, 1, 99},     {9, 120.9, 4, 1, unset},
    {50, 0, unset, 1, 98},   {51, 0, unset, 1, 131},  {60, 0, unset, 1, unset}, {61, 0, unset, 1, 350},
};
constexpr double profile_weights[10] = {0, 0, 0, 899, 773, 650, 550, 450, 350, unset}; // 20..29
constexpr double corner_weights[10] = {0, 0, 0, 367, 350, 300, 270, 250, 200, unset};  // 70..79

struct Magnet {
    double x, y, r;
};
constexpr Magnet component0_magnets[] = {{7, 8, 15}, {10, 9, 195}, {68, 8, -15}, {67, 9, 165}};

struct ProfilePiece {
    int number;
    std::string_view name;
    double width, depth, height, style;
    bool magnets; // no_magnet 1, magnet_no_elevation 1 and the two magnets below
    Magnet m0, m1;
};
constexpr double h = 245;
constexpr Magnet none{0, 0, 0};
// The G bend pair has one entry: the inner variant is written first and the outer one over it.
constexpr ProfilePiece library23[] = {
    {2300, "Ligne longue", 76.3, 3.7, h, 0, true, {0, 1.85, 90}, {76.3, 1.85, -90}},
    {2301, "Ligne courte", 36.3, 3.8, h, 0, true, {0, 1.85, 90}, {36.3, 1.85, -90}},
    {2302, "Courbe A int", 74.123, 17.56, h, -90, true, {1.1378, 1.0609, 135}, {73.025, 1.04, 225}},
    {2303, "Courbe A ext", 67.339, 16.138, h, 90, true, {1.0706, 1.0758, 135}, {66.268, 1.042, 225}},
    {2304, "Courbe B int", 76.513, 12.933, h, -60, true, {0.755, 1.316, -240}, {75.757, 1.289, 240}},
    {2305, "Courbe B ext", 71, 12.293, h, -60, true, {0.428, 1.306, -240}, {70.61, 1.306, 240}},
    {2306, "Courbe C int", 77, 10.456, h, unset, true, {0.63322, 1.4703, -247.5}, {76.4089, 1.35, 247.5}},
    {2307, "Courbe C ext", 73.399, 10.122, h, unset, true, {0.6438, 1.307, -247.5}, {72.795, 1.3496, 247.5}},
    {2308, "Courbe D int", 77.104, 7.98, h, unset, true, {0.422, 1.396, -255}, {76.723, 1.5295, 255}},
    {2309, "Courbe D ext", 74.623, 7.858, h, unset, true, {0.4091, 1.457, -255}, {74.254, 1.579, 255}},
    {2310, "Courbe E int", 76.972, 6.783, h, unset, true, {0.29539, 1.4767, -258.75}, {76.7188, 1.51204, 258.75}},
    {2311, "Courbe E ext", 75.102, 6.693, h, unset, true, {0.288, 1.54, -258.75}, {74.772, 1.3734, 258.75}},
    {2312, "Courbe F int", 80.2971, 3.8, unset, -15, false, none, none},
    {2313, "Courbe F ext", 79.2252, 3.8, unset, 15, false, none, none},
    {2314, "Courbe G int", 80.2971, 3.8, unset, -15, false, none, none},
    {2314, "Courbe G ext", 79.2252, 3.8, unset, 15, false, none, none},
    {2315, "Courbe H int", 80.2971, 3.8, unset, -15, false, none, none},
    {2316, "Courbe H ext", 79.2252, 3.8, unset, unset, false, none, none},
    {2317, "Poteau ovale", 20, 3.8, h, 0, true, {0, 1.85, 90}, {20, 1.85, -90}},
};

void set_magnet(Component& c, size_t slot, const Magnet& m, double force, double recepteur)
{
    c.magnet_x[slot] = m.x;
    c.magnet_y[slot] = m.y;
    c.magnet_z[slot] = 0;
    c.magnet_r[slot] = float(m.r);
    c.magnet_force[slot] = force;
    c.magnet_contrainte[slot] = 1;
    c.magnet_recepteur[slot] = recepteur;
}

void write_names(ComponentTable& table, bool french)
{
    const auto& colours = french ? colours_fr : colours_en;
    for (int i = 0; i < 10; ++i) {
        const std::string colour(colours[i]);
        table[i].name = colour;
        // The English profile of the second colour has always been "Velts Lime ", blank included;
        // price tables and designs of users match on it.
        table[20 + i].name = french ? "Profilé " + colour : "Velts " + (i == 1 ? std::string("Lime ") : colour);
        table[70 + i].name = french ? (i == 9 ? std::string("Coin noir") : "Coin " + colour) : "Strondo " + colour;
    }
    for (const NamedPiece& p : accessories)
        table[p.number].name = french ? p.fr : p.en;
}

} // namespace

void fill_builtin_catalogue(ComponentTable& table, std::string_view lang)
{
    Component& group = table[group_component];
    group.name = "groupe";
    group.library = group_library;

    for (int n = 0; n <= 10; ++n)
        table[n].panel = 3;

    write_names(table, lang == "fr");

    for (int n = 20; n <= 99; ++n)
        table[n].hidden = -1;

    for (const Library0Values& v : library0_values) {
        Component& c = table[v.number];
        set_if(c.width, v.width);
        set_if(c.depth, v.depth);
        set_if(c.style, v.style);
        set_if(c.weight, v.weight);
    }
    for (int i = 0; i < 10; ++i) {
        set_if(table[20 + i].weight, profile_weights[i]);
        set_if(table[70 + i].weight, corner_weights[i]);
    }
    for (size_t k = 0; k < std::size(component0_magnets); ++k)
        set_magnet(table[0], k, component0_magnets[k], 10, 1);

    for (int n = 2300; n <= 2399; ++n) {
        table[n].panel = 1;
        table[n].panel_w_1 = 800;
    }
    for (const ProfilePiece& p : library23) {
        Component& c = table[p.number];
        c.library = 23;
        c.name = p.name;
        c.width = p.width;
        c.depth = p.depth;
        set_if(c.height, p.height);
        set_if(c.style, p.style);
        c.has_3d = true;
        if (p.magnets) {
            c.no_magnet = "1";
            c.magnet_no_elevation = 1;
            set_magnet(c, 0, p.m0, 20, 3);
            set_magnet(c, 1, p.m1, 20, 3);
        }
    }
    table[2301].panel_w_1 = 400;
}

} // namespace halvern
