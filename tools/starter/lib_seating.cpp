// Library 3, tables and seating: meeting tables, bar tables, chairs, stools, sofas, a bench.

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 white{0.94, 0.94, 0.92};
const Colour3 chrome{0.8, 0.81, 0.83};
const Colour3 fabric_grey{0.45, 0.47, 0.5};
const Colour3 oak{0.8, 0.65, 0.45};

// A round top on a column over a round foot.
StarterItem pedestal_table(int number, std::string file, std::string fr, std::string en, double diameter,
                           double height, double price, double weight)
{
    StarterItem item =
        make_item(number, std::move(file), shape_circle, std::move(fr), std::move(en), diameter, diameter, height,
                  rgb(110, 80, 50));
    VrmlBuilder m(item.name_en);
    const int top = m.material({"Colour_top", white, 0.5});
    const int foot = m.material({"Colour_foot", chrome, 0.8});
    const double r = diameter / 2;
    m.cylinder(0, 0, height - 3, height, r, {top});
    m.cylinder(0, 0, 4, height - 3, 3, {foot});
    m.cylinder(0, 0, 0, 4, r * 0.6, {foot});
    colour_slot(item, 0, "Colour_top", "Plateau / Top", "materiaux.lib");
    colour_slot(item, 1, "Colour_foot", "Pied / Base", "materiaux.lib");
    set_model(item, m);
    item.price = price;
    item.weight = weight;
    return item;
}

StarterItem square_table()
{
    const double W = 70, H = 74, h = W / 2;
    StarterItem item =
        make_item(301, "table_carree_70", shape_square, "Table carrée 70", "Square table 70", W, W, H, rgb(110, 80, 50));
    VrmlBuilder m(item.name_en);
    const int top = m.material({"Colour_top", white, 0.5});
    const int legs = m.material({"Colour_legs", chrome, 0.8});
    m.box(-h, h, H - 3, H, -h, h, {top});
    for (double x : {-h + 2, h - 6})
        for (double z : {-h + 2, h - 6})
            m.box(x, x + 4, 0, H - 3, z, z + 4, {legs});
    colour_slot(item, 0, "Colour_top", "Plateau / Top", "materiaux.lib");
    colour_slot(item, 1, "Colour_legs", "Pieds / Legs", "materiaux.lib");
    set_model(item, m);
    item.price = 59;
    item.weight = 12000;
    return item;
}

// Seen from above: the seat, and across its back the backrest, drawn by the turtle from the top
// right corner.
StarterItem chair()
{
    const double W = 45, D = 50, H = 82;
    StarterItem item = make_item(303, "chaise", shape_turtle_path, "Chaise", "Chair", W, D, H, rgb(60, 60, 60));
    item.c.draw = "LT90 FD45 LT90 FD50 LT90 FD45 LT90 FD50 PU LT180 FD8 LT270 PD FD45";
    VrmlBuilder m(item.name_en);
    const int seat = m.material({"Colour_seat", fabric_grey, 0.1});
    const int legs = m.material({"Colour_legs", chrome, 0.8});
    m.box(-22.5, 22.5, 43, 48, -17, 25, {seat, "void_tissu.jpg"});
    m.box(-22.5, 22.5, 48, H, -25, -17, {seat, "void_tissu.jpg"});
    for (double x : {-22.5, 19.5})
        for (double z : {-25.0, 22.0})
            m.box(x, x + 3, 0, 43, z, z + 3, {legs});
    colour_slot(item, 0, "Colour_seat", "Assise / Seat", "primaire.lib");
    colour_slot(item, 1, "Colour_legs", "Piètement / Legs", "materiaux.lib");
    set_model(item, m);
    item.price = 29;
    item.weight = 5000;
    return item;
}

StarterItem bar_stool()
{
    const double W = 38, H = 78;
    StarterItem item = make_item(304, "tabouret_haut", shape_circle, "Tabouret haut", "Bar stool", W, W, H,
                                 rgb(60, 60, 60));
    VrmlBuilder m(item.name_en);
    const int seat = m.material({"Colour_seat", {0.1, 0.1, 0.1}, 0.3});
    const int foot = m.material({"Colour_foot", chrome, 0.8});
    m.cylinder(0, 0, H - 5, H, W / 2, {seat});
    m.cylinder(0, 0, 2, H - 5, 2.5, {foot});
    m.cylinder(0, 0, 28, 30, 15, {foot});
    m.cylinder(0, 0, 0, 2, 18, {foot});
    colour_slot(item, 0, "Colour_seat", "Assise / Seat", "primaire.lib");
    colour_slot(item, 1, "Colour_foot", "Pied / Base", "materiaux.lib");
    set_model(item, m);
    item.price = 35;
    item.weight = 6000;
    return item;
}

StarterItem pouf()
{
    StarterItem item = make_item(305, "pouf", shape_rounded_square, "Pouf", "Pouf", 45, 45, 42, rgb(60, 60, 60));
    VrmlBuilder m(item.name_en);
    const int cover = m.material({"Colour_cover", {0.7, 0.2, 0.2}, 0.1});
    m.box(-22.5, 22.5, 0, 42, -22.5, 22.5, {cover, "void_tissu.jpg"});
    colour_slot(item, 0, "Colour_cover", "Housse / Cover", "primaire.lib");
    set_model(item, m);
    item.price = 39;
    item.weight = 4000;
    return item;
}

// Seat, back and arms of an upholstered seat on four small feet.
void upholstered(VrmlBuilder& m, int cover, int feet, double W, double D, double H, double arm, double back)
{
    const double w = W / 2, d = D / 2;
    m.box(-w, w, 10, 40, -d, d, {cover, "void_tissu.jpg"});
    m.box(-w, w, 40, H, -d, -d + back, {cover, "void_tissu.jpg"});
    m.box(-w, -w + arm, 40, 62, -d + back, d, {cover, "void_tissu.jpg"});
    m.box(w - arm, w, 40, 62, -d + back, d, {cover, "void_tissu.jpg"});
    for (double x : {-w + 2, w - 6})
        for (double z : {-d + 2, d - 6})
            m.box(x, x + 4, 0, 10, z, z + 4, {feet});
}

// A U seen from above: the back across the rear, an arm on each side.
StarterItem sofa()
{
    const double W = 150, D = 80, H = 80;
    StarterItem item = make_item(306, "canape_2_places", shape_point_list, "Canapé 2 places", "Two-seat sofa", W, D,
                                 H, rgb(60, 60, 60));
    item.c.draw = point_list({{-75, -40}, {75, -40}, {75, 40}, {55, 40}, {55, -20}, {-55, -20}, {-55, 40}, {-75, 40}},
                             W, D);
    VrmlBuilder m(item.name_en);
    const int cover = m.material({"Colour_cover", fabric_grey, 0.1});
    const int feet = m.material({"Mat_feet", {0.1, 0.1, 0.1}, 0.3});
    upholstered(m, cover, feet, W, D, H, 20, 20);
    colour_slot(item, 0, "Colour_cover", "Tissu / Fabric", "primaire.lib");
    set_model(item, m);
    item.price = 390;
    item.weight = 45000;
    return item;
}

// The outline, then the inner edges of the arms and of the back.
StarterItem armchair()
{
    const double W = 75, H = 80;
    StarterItem item = make_item(307, "fauteuil", shape_turtle_path, "Fauteuil", "Armchair", W, W, H, rgb(60, 60, 60));
    item.c.draw = "LT90 FD75 LT90 FD75 LT90 FD75 LT90 FD75 PU LT180 FD15 LT270 FD10 PD LT90 FD60 PU LT180 FD60 PD "
                  "LT90 FD55 LT90 FD60";
    VrmlBuilder m(item.name_en);
    const int cover = m.material({"Colour_cover", fabric_grey, 0.1});
    const int feet = m.material({"Mat_feet", {0.1, 0.1, 0.1}, 0.3});
    upholstered(m, cover, feet, W, W, H, 10, 15);
    colour_slot(item, 0, "Colour_cover", "Tissu / Fabric", "primaire.lib");
    set_model(item, m);
    item.price = 250;
    item.weight = 25000;
    return item;
}

StarterItem coffee_table()
{
    const double W = 110, D = 60, H = 40;
    StarterItem item = make_item(308, "table_basse_ovale", shape_ellipse, "Table basse ovale", "Oval coffee table",
                                 W, D, H, rgb(110, 80, 50));
    VrmlBuilder m(item.name_en);
    const int top = m.material({"Colour_top", oak, 0.3});
    const int foot = m.material({"Colour_foot", {0.1, 0.1, 0.1}, 0.3});
    m.prism(ellipse_points(W / 2, D / 2, 32), H - 3, H, {top, "void_bois.jpg"});
    m.prism(ellipse_points(W / 2 - 20, D / 2 - 15, 24), 0, H - 3, {foot});
    colour_slot(item, 0, "Colour_top", "Plateau / Top", "materiaux.lib");
    colour_slot(item, 1, "Colour_foot", "Pied / Base", "ral_classic.lib");
    set_model(item, m);
    item.price = 149;
    item.weight = 18000;
    return item;
}

StarterItem bench()
{
    const double W = 160, D = 45, H = 45;
    StarterItem item = make_item(309, "banquette", shape_capsule, "Banquette", "Bench", W, D, H, rgb(60, 60, 60));
    VrmlBuilder m(item.name_en);
    const int cover = m.material({"Colour_cover", fabric_grey, 0.1});
    const int plinth = m.material({"Mat_plinth", {0.1, 0.1, 0.1}, 0.3});
    m.prism(capsule_points(W, D), 5, H, {cover, "void_tissu.jpg"});
    m.prism(capsule_points(W - 10, D - 10), 0, 5, {plinth});
    colour_slot(item, 0, "Colour_cover", "Tissu / Fabric", "primaire.lib");
    set_model(item, m);
    item.price = 290;
    item.weight = 30000;
    return item;
}

} // namespace

StarterLibrary seating_library()
{
    return {3, 3, "Tables et sièges / Tables and seating",
            {pedestal_table(300, "table_ronde_80", "Table ronde 80", "Round table 80", 80, 74, 69, 14000),
             square_table(),
             pedestal_table(302, "mange_debout", "Mange-debout", "Bar table", 60, 110, 59, 15000), chair(),
             bar_stool(), pouf(), sofa(), armchair(), coffee_table(), bench()}};
}

} // namespace halvern::tools
