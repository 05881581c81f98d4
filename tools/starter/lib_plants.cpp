// Library 12, plants: potted trees and palms, a table plant, planters.

#include <cmath>
#include <numbers>

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 leaf{0.25, 0.5, 0.2};
const Colour3 terracotta{0.62, 0.36, 0.22};
const Colour3 anthracite{0.22, 0.23, 0.25};
const Colour3 bark{0.4, 0.28, 0.18};
constexpr double radians = std::numbers::pi / 180;

struct PlantLooks {
    int pot, foliage, wood;
};

PlantLooks plant_materials(VrmlBuilder& m, Colour3 pot, bool with_stems = true)
{
    return {m.material({"Colour_pot", pot, 0.3}), m.material({"Mat_foliage", leaf, 0.1}),
            with_stems ? m.material({"Mat_wood", bark, 0.1}) : -1};
}

StarterItem ficus()
{
    const double W = 80, H = 180;
    StarterItem item = make_item(1200, "ficus", shape_star, "Ficus en pot", "Potted ficus", W, W, H, rgb(40, 140, 50));
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, terracotta);
    m.cylinder(0, 0, 0, 40, 20, {looks.pot});
    m.cylinder(0, 0, 40, 110, 2, {looks.wood});
    m.sphere(0, 130, 0, 40, {looks.foliage, "void_feuille.jpg"});
    m.sphere(8, 150, -6, 30, {looks.foliage, "void_feuille.jpg"});
    colour_slot(item, 0, "Colour_pot", "Pot", "materiaux.lib");
    set_model(item, m);
    item.price = 95;
    item.weight = 15000;
    return item;
}

// Fronds from the crown out in every direction, alternately high and low.
StarterItem kentia()
{
    const double W = 120, H = 200, tip = 57;
    StarterItem item =
        make_item(1201, "palmier_kentia", shape_star, "Palmier kentia", "Kentia palm", W, W, H, rgb(40, 140, 50));
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, anthracite);
    m.cylinder(0, 0, 0, 45, 25, {looks.pot});
    m.cylinder(0, 0, 45, 90, 3, {looks.wood});
    for (int i = 0; i < 8; ++i) {
        const double a = i * 45 * radians;
        m.beam(0, 90, 0, tip * std::cos(a), i % 2 ? 165 : 197, tip * std::sin(a), 3, {looks.foliage, "void_feuille.jpg"});
    }
    colour_slot(item, 0, "Colour_pot", "Pot", "materiaux.lib");
    set_model(item, m);
    item.price = 120;
    item.weight = 25000;
    return item;
}

StarterItem table_plant()
{
    const double W = 25, H = 35;
    StarterItem item =
        make_item(1202, "plante_de_table", shape_circle, "Plante de table", "Table plant", W, W, H, rgb(40, 140, 50));
    item.c.auto_elevation = 1; // stands on the table or counter it is dropped on
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, {0.94, 0.94, 0.92});
    m.cylinder(0, 0, 0, 10, 7, {looks.pot});
    m.cylinder(0, 0, 9, 12, 1, {looks.wood});
    m.sphere(0, 22.5, 0, 12.5, {looks.foliage, "void_feuille.jpg"});
    colour_slot(item, 0, "Colour_pot", "Pot", "primaire.lib");
    set_model(item, m);
    item.price = 25;
    item.weight = 1500;
    return item;
}

StarterItem planter_box()
{
    const double W = 100, D = 30, H = 60;
    StarterItem item = make_item(1203, "jardiniere", shape_rounded_square, "Jardinière", "Planter box", W, D, H,
                                 rgb(40, 140, 50));
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, anthracite, false);
    m.prism(rounded_rectangle_points(W, D, D / 6), 0, 35, {looks.pot});
    for (double x : {-38.0, -13.0, 12.0, 37.0})
        m.sphere(x, 48, 0, 12, {looks.foliage, "void_feuille.jpg"});
    colour_slot(item, 0, "Colour_pot", "Bac / Planter", "ral_classic.lib");
    set_model(item, m);
    item.price = 140;
    item.weight = 30000;
    return item;
}

StarterItem bean_planter()
{
    const double W = 160, D = 80, H = 45;
    StarterItem item = make_item(1204, "massif_haricot", shape_bean, "Massif en haricot", "Bean-shaped planter", W, D,
                                 H, rgb(40, 140, 50));
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, anthracite, false);
    const std::vector<P2> outline = bean_points(W, D);
    m.prism(outline, 0, 35, {looks.pot, "void_bois.jpg"});
    m.prism(outline, 35, H, {looks.foliage, "void_feuille.jpg"});
    colour_slot(item, 0, "Colour_pot", "Bordure / Edging", "materiaux.lib");
    set_model(item, m);
    item.price = 320;
    item.weight = 60000;
    return item;
}

StarterItem bamboo()
{
    const double W = 50, H = 220;
    StarterItem item =
        make_item(1205, "bambou", shape_circle, "Bambou en pot", "Potted bamboo", W, W, H, rgb(40, 140, 50));
    VrmlBuilder m(item.name_en);
    PlantLooks looks = plant_materials(m, anthracite);
    m.cylinder(0, 0, 0, 45, W / 2, {looks.pot});
    const P2 canes[5] = {{-8, -6}, {6, -9}, {9, 5}, {-5, 8}, {0, 0}};
    for (const P2& c : canes)
        m.cylinder(c.x, c.z, 45, 200, 1.5, {looks.wood});
    const double tufts[4][3] = {{-10, 120, 8}, {10, 150, -8}, {-6, 180, -10}, {7, 208, 9}};
    for (const auto& t : tufts)
        m.sphere(t[0], t[1], t[2], 12, {looks.foliage, "void_feuille.jpg"});
    colour_slot(item, 0, "Colour_pot", "Pot", "materiaux.lib");
    set_model(item, m);
    item.price = 110;
    item.weight = 20000;
    return item;
}

} // namespace

StarterLibrary plants_library()
{
    return {12, 8, "Plantes / Plants", {ficus(), kentia(), table_plant(), planter_box(), bean_planter(), bamboo()}};
}

} // namespace halvern::tools
