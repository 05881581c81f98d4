// Library 5, floors and platforms: carpet cut to size, platforms, a podium, a printed floor sticker.

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 white{0.94, 0.94, 0.92};
const Colour3 oak{0.8, 0.65, 0.45};

// Cut to the size the user gives the object: its model is one metre square, and the 3D scene
// stretches it to the object's width and depth.
StarterItem carpet()
{
    StarterItem item =
        make_item(500, "moquette", shape_square, "Moquette", "Carpet", 300, 300, 1, rgb(120, 120, 200));
    item.c.resize_x = 1;
    item.c.resize_y = 1;
    VrmlBuilder m(item.name_en);
    const int pile = m.material({"Colour_carpet", {0.5, 0.5, 0.55}, 0.05});
    m.box(-50, 50, 0, 1, -50, 50, {pile, "void_moquette.jpg"});
    colour_slot(item, 0, "Colour_carpet", "Moquette / Carpet", "primaire.lib");
    set_model(item, m);
    item.price = 108;
    item.weight = 18000;
    return item;
}

StarterItem platform()
{
    const double W = 200, D = 100, H = 10;
    StarterItem item = make_item(501, "estrade_2x1", shape_square, "Estrade 2 x 1 m", "Platform 2 x 1 m", W, D, H,
                                 rgb(150, 100, 50));
    joins_ends(item); // platforms are laid end to end
    VrmlBuilder m(item.name_en);
    const int deck = m.material({"Colour_deck", oak, 0.3});
    const int frame = m.material({"Mat_frame", {0.2, 0.2, 0.2}, 0.3});
    m.box(-W / 2, W / 2, 7, H, -D / 2, D / 2, {deck, "void_bois.jpg"});
    m.box(-W / 2, W / 2, 0, 7, -D / 2, D / 2, {frame, "void_metal.jpg"});
    colour_slot(item, 0, "Colour_deck", "Revêtement / Surface", "materiaux.lib");
    set_model(item, m);
    item.price = 140;
    item.weight = 40000;
    return item;
}

StarterItem podium()
{
    const double W = 60, H = 90;
    StarterItem item =
        make_item(502, "podium", shape_rounded_square, "Podium", "Display podium", W, W, H, rgb(100, 100, 110));
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_podium", white, 0.5});
    m.prism(rounded_rectangle_points(W, W, W / 6), 0, H, {body});
    colour_slot(item, 0, "Colour_podium", "Podium", "ral_classic.lib");
    set_model(item, m);
    item.price = 120;
    item.weight = 20000;
    return item;
}

// A printed octagon stuck on the floor, drawn filled so that it reads as a surface on the plan.
StarterItem floor_sticker()
{
    const double W = 100, H = 0.2;
    StarterItem item = make_item(503, "sticker_sol", shape_point_list, "Sticker de sol", "Floor sticker", W, W, H,
                                 rgb(220, 180, 60));
    const std::vector<P2> outline = regular_polygon(W / 2, 8);
    item.c.draw = point_list(outline, W, W);
    item.fill = true;
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int print = m.material({"Mat_print", white, 0.2});
    m.prism(outline, 0, H, {print, "void.jpg"});
    set_model(item, m);
    item.price = 35;
    item.weight = 400;
    return item;
}

} // namespace

StarterLibrary floors_library()
{
    return {5, 5, "Sols et estrades / Floors and platforms", {carpet(), platform(), podium(), floor_sticker()}};
}

} // namespace halvern::tools
