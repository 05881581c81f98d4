// Library 11, lighting: spotlights that clamp on wall panels, lamps for the floor and the counter,
// a ceiling track, a tripod projector and a printed light column.

#include <cmath>
#include <numbers>

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 white{0.94, 0.94, 0.92};
const Colour3 black{0.08, 0.08, 0.09};
const Colour3 aluminium{0.76, 0.77, 0.79};

// A clamp over a wall panel's top edge, an arm and a lamp head in front. Its magnet, in the middle
// of the clamp's back, meets the magnets at the top of a panel's recto.
StarterItem arm_spotlight()
{
    const double W = 12, D = 35, H = 15;
    StarterItem item = make_item(1100, "spot_sur_bras", shape_turtle_path, "Spot sur bras", "Arm spotlight", W, D,
                                 H, rgb(230, 140, 20));
    item.c.draw = "LT90 FD12 LT90 FD6 LT90 FD12 LT90 FD6 PU LT180 FD6 LT270 FD6 PD LT90 FD17 LT270 FD6 LT90 FD12 "
                  "LT90 FD12 LT90 FD12 LT90 FD6";
    item.c.elevation = 245; // the top of a wall panel, where it is meant to hang
    magnet(item, 0, {W / 2, 0, 0, 270, 0, 0, 0});
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", black, 0.5});
    const int lens = m.material({"Mat_lens", {1, 1, 0.85}, 0.9});
    m.box(-6, 6, 0, 15, -17.5, -11.5, {body});
    m.box(-1, 1, 12, 14, -11.5, 5.5, {body});
    m.cylinder(0, 11.5, 3, 15, 6, {body});
    m.cylinder(0, 11.5, 2.5, 3, 5, {lens});
    colour_slot(item, 0, "Colour_body", "Corps / Body", "ral_classic.lib");
    set_model(item, m);
    item.price = 45;
    item.weight = 900;
    return item;
}

StarterItem floor_lamp()
{
    const double W = 30, H = 180;
    StarterItem item = make_item(1101, "lampadaire_led", shape_circle, "Lampadaire LED", "LED floor lamp", W, W, H,
                                 rgb(230, 140, 20));
    VrmlBuilder m(item.name_en);
    const int metal = m.material({"Colour_metal", aluminium, 0.6});
    const int shade = m.material({"Colour_shade", white, 0.2, 0.2});
    m.cylinder(0, 0, 0, 2, W / 2, {metal});
    m.cylinder(0, 0, 2, 160, 1.2, {metal});
    m.cylinder(0, 0, 160, H, 12, {shade});
    colour_slot(item, 0, "Colour_metal", "Pied / Stand", "materiaux.lib");
    colour_slot(item, 1, "Colour_shade", "Abat-jour / Shade", "primaire.lib");
    set_model(item, m);
    item.price = 79;
    item.weight = 6500;
    return item;
}

StarterItem counter_lamp()
{
    const double W = 18, H = 45;
    StarterItem item = make_item(1102, "lampe_comptoir", shape_circle, "Lampe de comptoir", "Counter lamp", W, W, H,
                                 rgb(230, 140, 20));
    item.c.auto_elevation = 1; // stands on the counter or table it is dropped on
    VrmlBuilder m(item.name_en);
    const int metal = m.material({"Colour_metal", black, 0.5});
    const int shade = m.material({"Colour_shade", white, 0.2, 0.2});
    m.cylinder(0, 0, 0, 2, W / 2, {metal});
    m.cylinder(0, 0, 2, 32, 0.8, {metal});
    m.cone(0, 0, 30, H, 8, {shade});
    colour_slot(item, 0, "Colour_metal", "Pied / Stand", "ral_classic.lib");
    colour_slot(item, 1, "Colour_shade", "Abat-jour / Shade", "primaire.lib");
    set_model(item, m);
    item.price = 39;
    item.weight = 1200;
    return item;
}

// Hung from the hall's rigging; the floor plan leaves it out so it hides nothing under it.
StarterItem lighting_track()
{
    const double W = 200, D = 8, H = 12;
    StarterItem item = make_item(1103, "rail_eclairage_2m", shape_empty, "Rail d'éclairage 2 m", "Lighting track 2 m",
                                 W, D, H, rgb(230, 140, 20));
    item.c.elevation = 280;
    VrmlBuilder m(item.name_en);
    const int rail = m.material({"Colour_rail", black, 0.5});
    m.box(-W / 2, W / 2, 9, H, -2, 2, {rail});
    for (double x : {-70.0, 0.0, 70.0})
        m.cylinder(x, 0, 0, 9, 4, {rail});
    colour_slot(item, 0, "Colour_rail", "Rail et spots / Track and spots", "ral_classic.lib");
    set_model(item, m);
    item.price = 320;
    item.weight = 4500;
    return item;
}

// Three legs around a hub: from above, a Y. The hub lies behind the footprint's centre so that the
// legs fill the footprint.
StarterItem tripod_projector()
{
    const double W = 80, D = 69, H = 200, reach = 46, hub_z = 11.5;
    StarterItem item = make_item(1104, "projecteur_trepied", shape_point_list, "Projecteur sur trépied",
                                 "Spotlight on tripod", W, D, H, rgb(230, 140, 20));
    const double radians = std::numbers::pi / 180;
    std::vector<P2> outline, tips;
    for (int i = 0; i < 3; ++i) {
        const double a = (-90 + 120 * i) * radians, b = (-30 + 120 * i) * radians;
        tips.push_back({reach * std::cos(a), hub_z + reach * std::sin(a)});
        outline.push_back(tips.back());
        outline.push_back({3 * std::cos(b), hub_z + 3 * std::sin(b)});
    }
    item.c.draw = point_list(outline, W, D);
    VrmlBuilder m(item.name_en);
    const int metal = m.material({"Colour_metal", black, 0.5});
    for (const P2& tip : tips) {
        const double dx = tip.x, dz = tip.z - hub_z, len = std::hypot(dx, dz);
        m.beam(0, 110, hub_z, dx * (len - 1.5) / len, 1.2, hub_z + dz * (len - 1.5) / len, 1.2, {metal});
    }
    m.cylinder(0, hub_z, 100, 182, 2, {metal});
    m.box(-15, 15, 182, H, hub_z - 10, hub_z + 12, {metal});
    colour_slot(item, 0, "Colour_metal", "Structure", "ral_classic.lib");
    set_model(item, m);
    item.price = 180;
    item.weight = 9000;
    return item;
}

StarterItem light_column()
{
    const double W = 40, H = 220;
    StarterItem item = make_item(1105, "colonne_lumineuse", shape_circle, "Colonne lumineuse", "Light column", W, W,
                                 H, rgb(230, 140, 20));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int caps = m.material({"Colour_caps", aluminium, 0.6});
    const int fabric = m.material({"Mat_fabric", {1, 1, 0.97}, 0.1});
    std::vector<P2> ring = ellipse_points(W / 2, W / 2, 32, 90, 450 - 360.0 / 32);
    ring.push_back(ring.front());
    m.wall(ring, 5, H - 5, {fabric, "void.jpg"});
    m.cylinder(0, 0, 0, 5, W / 2, {caps});
    m.cylinder(0, 0, H - 5, H, W / 2, {caps});
    colour_slot(item, 0, "Colour_caps", "Socle et chapeau / Base and top", "materiaux.lib");
    set_model(item, m);
    item.price = 450;
    item.weight = 12000;
    return item;
}

} // namespace

StarterLibrary lighting_library()
{
    return {11, 7, "Éclairage / Lighting",
            {arm_spotlight(), floor_lamp(), counter_lamp(), lighting_track(), tripod_projector(), light_column()}};
}

} // namespace halvern::tools
