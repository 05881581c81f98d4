// Library 13, multimedia: a screen stand whose bracket takes the screens on a magnet, two screens,
// a tablet kiosk, a touch table and a column speaker. A screen's picture is what it shows.

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 black{0.08, 0.08, 0.09};
const Colour3 graphite{0.25, 0.26, 0.28};
const Colour3 white{0.94, 0.94, 0.92};

// A screen hung on the stand's bracket has its base this far below the stand's top.
constexpr double bracket_magnet_z = -80;

// From above a T: the bracket bar along the front edge and the foot's spine under the column.
StarterItem screen_stand()
{
    const double W = 70, D = 55, H = 190;
    StarterItem item =
        make_item(1300, "pied_ecran", shape_tee, "Pied d'écran", "Screen stand", W, D, H, rgb(40, 80, 180));
    // Receives only: a stand dragged near a screen must not jump onto it.
    magnet(item, 0, {W / 2, D, bracket_magnet_z, 90, 1, 40, 1});
    VrmlBuilder m(item.name_en);
    const int steel = m.material({"Colour_structure", graphite, 0.5});
    m.box(-3, 3, 0, 3, -27.5, 27.5, {steel});
    m.box(-25, 25, 0, 3, -27.5, -21.5, {steel});
    m.box(-3, 3, 3, H, 21.5, 25.5, {steel});
    m.box(-35, 35, 120, 126, 25.5, 27.5, {steel});
    m.box(-35, 35, 174, 180, 25.5, 27.5, {steel});
    colour_slot(item, 0, "Colour_structure", "Structure", "ral_classic.lib");
    set_model(item, m);
    item.price = 150;
    item.weight = 22000;
    return item;
}

// Its magnet, in the middle of its back, meets a screen stand's bracket or a wall panel's face.
StarterItem screen(int number, int inches, double W, double D, double H, double price, double weight)
{
    const std::string n = std::to_string(inches);
    StarterItem item = make_item(number, "ecran_" + n, shape_square, "Écran " + n + " pouces",
                                 n + "-inch screen", W, D, H, rgb(40, 80, 180));
    item.c.panel = 1;
    item.c.elevation = 190 + bracket_magnet_z; // where the stand's bracket puts it
    magnet(item, 0, {W / 2, 0, 0, 270, 0, 0, 0});
    VrmlBuilder m(item.name_en);
    const int bezel = m.material({"Colour_bezel", black, 0.6});
    const int display = m.material({"Mat_display", {0.9, 0.9, 0.9}, 0.8});
    m.box(-W / 2, W / 2, 0, H, -D / 2, D / 2 - 0.3, {bezel});
    m.wall({{-W / 2 + 1.5, D / 2}, {W / 2 - 1.5, D / 2}}, 1.5, H - 1.5, {display, "void.jpg"});
    colour_slot(item, 0, "Colour_bezel", "Cadre / Bezel", "primaire.lib");
    set_model(item, m);
    item.price = price;
    item.weight = weight;
    return item;
}

StarterItem tablet_kiosk()
{
    const double W = 40, H = 105;
    StarterItem item = make_item(1303, "borne_tablette", shape_rounded_square, "Borne tablette", "Tablet kiosk", W, W,
                                 H, rgb(40, 80, 180));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", white, 0.5});
    const int display = m.material({"Mat_display", {0.9, 0.9, 0.9}, 0.8});
    m.prism(rounded_rectangle_points(W, W, W / 6), 0, 2, {body});
    m.box(-4, 4, 2, 100, -4, 4, {body});
    m.box(-14, 14, 100, H - 0.1, -10, 10, {body});
    m.level_face(-12.5, 12.5, -8.5, 8.5, H, {display, "void.jpg"});
    colour_slot(item, 0, "Colour_body", "Corps / Body", "ral_classic.lib");
    set_model(item, m);
    item.price = 290;
    item.weight = 9000;
    return item;
}

StarterItem touch_table()
{
    const double W = 120, D = 70, H = 90;
    StarterItem item =
        make_item(1304, "table_tactile", shape_square, "Table tactile", "Touch table", W, D, H, rgb(40, 80, 180));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", graphite, 0.5});
    const int display = m.material({"Mat_display", {0.9, 0.9, 0.9}, 0.8});
    m.box(-45, 45, 0, 80, -25, 25, {body});
    m.box(-W / 2, W / 2, 80, H - 0.2, -D / 2, D / 2, {body});
    m.level_face(-55, 55, -30, 30, H, {display, "void.jpg"});
    colour_slot(item, 0, "Colour_body", "Caisson / Body", "ral_classic.lib");
    set_model(item, m);
    item.price = 1400;
    item.weight = 60000;
    return item;
}

StarterItem column_speaker()
{
    const double W = 25, H = 120;
    StarterItem item = make_item(1305, "enceinte_colonne", shape_rounded_square, "Enceinte colonne",
                                 "Column speaker", W, W, H, rgb(40, 80, 180));
    VrmlBuilder m(item.name_en);
    const int cabinet = m.material({"Colour_cabinet", black, 0.4});
    const int grille = m.material({"Mat_grille", graphite, 0.1});
    m.prism(rounded_rectangle_points(W, W, W / 6), 0, H, {cabinet});
    m.wall({{-10, W / 2 + 0.1}, {10, W / 2 + 0.1}}, 10, H - 10, {grille, "void_tissu.jpg"});
    colour_slot(item, 0, "Colour_cabinet", "Caisson / Cabinet", "ral_classic.lib");
    set_model(item, m);
    item.price = 120;
    item.weight = 11000;
    return item;
}

} // namespace

StarterLibrary multimedia_library()
{
    return {13, 9, "Multimédia / Multimedia",
            {screen_stand(), screen(1301, 55, 124, 6, 72, 490, 17000), screen(1302, 75, 168, 7, 97, 990, 35000),
             tablet_kiosk(), touch_table(), column_speaker()}};
}

} // namespace halvern::tools
