// Library 4, storage and walls: wall panels that carry shelves, screens and spotlights on magnets,
// shelving, a showcase, a low cabinet and a coat stand.

#include <cmath>
#include <numbers>

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 white{0.94, 0.94, 0.92};
const Colour3 oak{0.8, 0.65, 0.45};
const Colour3 glass{0.85, 0.92, 0.95};

constexpr double panel_height = 250;
// A shelf or a screen hung on a panel face sits with its base 140 cm above the floor: the magnet is
// 110 cm below the panel's top. Spotlights clamp over the top edge, 5 cm down.
constexpr double face_magnet_z = -110, top_magnet_z = -5;

// A printable panel. Its faces hold a magnet in the middle for shelves and screens, and magnets
// near both ends of the recto's top edge for spotlight arms. Panel magnets only receive: a panel
// dragged past another must not turn to face it.
StarterItem wall_panel(int number, double W, double price, double weight)
{
    const double D = 4;
    const std::string w = plain(W);
    StarterItem item = make_item(number, "cloison_" + w, shape_square, "Cloison " + w + " cm",
                                 "Wall panel " + w + " cm", W, D, panel_height, rgb(100, 100, 110));
    item.c.panel = 3;
    joins_ends(item); // panels are set end to end into walls
    magnet(item, 0, {W / 2, D, face_magnet_z, 90, 1, 30, 1});
    magnet(item, 1, {W / 2, 0, face_magnet_z, 270, 1, 30, 1});
    magnet(item, 2, {10, D, top_magnet_z, 90, 1, 15, 1});
    magnet(item, 3, {W - 10, D, top_magnet_z, 90, 1, 15, 1});
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_panel", white, 0.4});
    const int print = m.material({"Mat_print", white});
    m.box(-W / 2, W / 2, 0, panel_height, -D / 2 + 0.1, D / 2 - 0.1, {body});
    m.wall({{-W / 2, D / 2}, {W / 2, D / 2}}, 0, panel_height, {print, "void.jpg"});
    m.wall({{-W / 2, -D / 2}, {W / 2, -D / 2}}, 0, panel_height, {print, "void2.jpg"});
    colour_slot(item, 0, "Colour_panel", "Chants / Edges", "ral_classic.lib");
    set_model(item, m);
    item.price = price;
    item.weight = weight;
    return item;
}

// Its magnet, in the middle of its back edge, meets a panel face's magnet: the shelf turns to stand
// out from that face and takes the height the panel gives.
StarterItem wall_shelf()
{
    const double W = 80, D = 30, H = 3;
    StarterItem item =
        make_item(402, "tablette_murale", shape_square, "Tablette murale", "Wall shelf", W, D, H, rgb(150, 100, 50));
    item.c.elevation = panel_height + face_magnet_z;
    magnet(item, 0, {W / 2, 0, 0, 270, 0, 0, 0});
    VrmlBuilder m(item.name_en);
    const int board = m.material({"Colour_board", oak, 0.3});
    m.box(-W / 2, W / 2, 0, H, -D / 2, D / 2, {board, "void_bois.jpg"});
    colour_slot(item, 0, "Colour_board", "Tablette / Shelf", "materiaux.lib");
    set_model(item, m);
    item.price = 35;
    item.weight = 3500;
    return item;
}

StarterItem shelving_unit()
{
    const double W = 90, D = 40, H = 200;
    StarterItem item = make_item(403, "etagere_5_niveaux", shape_square, "Étagère 5 niveaux", "Five-shelf unit", W, D,
                                 H, rgb(150, 100, 50));
    VrmlBuilder m(item.name_en);
    const int wood = m.material({"Colour_structure", oak, 0.3});
    m.box(-45, -43, 0, H, -20, 20, {wood, "void_bois.jpg"});
    m.box(43, 45, 0, H, -20, 20, {wood, "void_bois.jpg"});
    m.box(-43, 43, 0, H, -20, -19, {wood, "void_bois.jpg"});
    for (double level : {2.0, 50.0, 98.0, 146.0, 197.0})
        m.box(-43, 43, level, level + 3, -19, 20, {wood, "void_bois.jpg"});
    colour_slot(item, 0, "Colour_structure", "Structure", "materiaux.lib");
    set_model(item, m);
    item.price = 160;
    item.weight = 32000;
    return item;
}

StarterItem showcase()
{
    const double W = 100, D = 50, H = 180;
    StarterItem item = make_item(404, "vitrine", shape_square, "Vitrine", "Showcase", W, D, H, rgb(60, 120, 160));
    VrmlBuilder m(item.name_en);
    const int base = m.material({"Colour_base", white, 0.5});
    const int pane = m.material({"Mat_glass", glass, 0.9, 0.7});
    m.box(-W / 2, W / 2, 0, 90, -D / 2, D / 2, {base});
    m.box(-W / 2 + 1, W / 2 - 1, 90, H - 2, -D / 2 + 1, D / 2 - 1, {pane});
    m.box(-W / 2 + 2, W / 2 - 2, 134, 135, -D / 2 + 2, D / 2 - 2, {pane});
    m.box(-W / 2, W / 2, H - 2, H, -D / 2, D / 2, {base});
    colour_slot(item, 0, "Colour_base", "Socle / Base", "ral_classic.lib");
    set_model(item, m);
    item.price = 790;
    item.weight = 65000;
    return item;
}

StarterItem low_cabinet()
{
    const double W = 120, D = 45, H = 75;
    StarterItem item =
        make_item(405, "meuble_bas", shape_square, "Meuble bas", "Low cabinet", W, D, H, rgb(100, 100, 110));
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", white, 0.5});
    const int plinth = m.material({"Mat_plinth", {0.15, 0.15, 0.15}, 0.3});
    const int handle = m.material({"Mat_handle", {0.8, 0.81, 0.83}, 0.8});
    m.box(-W / 2, W / 2, 5, H, -D / 2, D / 2 - 0.5, {body});
    m.box(-W / 2 + 3, W / 2 - 3, 0, 5, -D / 2 + 3, D / 2 - 3, {plinth});
    m.box(-W / 2 + 1, -1, 7, H - 2, D / 2 - 0.5, D / 2, {body});
    m.box(1, W / 2 - 1, 7, H - 2, D / 2 - 0.5, D / 2, {body});
    m.box(-5, -3, 50, 62, D / 2 - 0.5, D / 2, {handle});
    m.box(3, 5, 50, 62, D / 2 - 0.5, D / 2, {handle});
    colour_slot(item, 0, "Colour_body", "Caisson / Body", "ral_classic.lib");
    set_model(item, m);
    item.price = 240;
    item.weight = 38000;
    return item;
}

// Hooks all round a column over a round foot. From above it is drawn as its foot: the star of the
// plan reads as foliage, and belongs to the plants.
StarterItem coat_stand()
{
    const double W = 50, H = 180;
    StarterItem item =
        make_item(406, "portemanteau", shape_circle, "Portemanteau", "Coat stand", W, W, H, rgb(60, 60, 60));
    VrmlBuilder m(item.name_en);
    const int metal = m.material({"Colour_metal", {0.15, 0.15, 0.16}, 0.5});
    m.cylinder(0, 0, 0, 3, W / 2, {metal});
    m.cylinder(0, 0, 3, H, 1.8, {metal});
    for (int i = 0; i < 6; ++i) {
        const double a = i * 60 * std::numbers::pi / 180;
        m.beam(0, 160, 0, 18 * std::cos(a), 170, 18 * std::sin(a), 0.8, {metal});
    }
    colour_slot(item, 0, "Colour_metal", "Métal / Metal", "ral_classic.lib");
    set_model(item, m);
    item.price = 49;
    item.weight = 6000;
    return item;
}

} // namespace

StarterLibrary storage_library()
{
    return {4, 4, "Rangement et cloisons / Storage and walls",
            {wall_panel(400, 100, 180, 28000), wall_panel(401, 50, 110, 15000), wall_shelf(), shelving_unit(),
             showcase(), low_cabinet(), coat_stand()}};
}

} // namespace halvern::tools
