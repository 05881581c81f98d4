// Library 1, displays: banners, flags, lightboxes, brochure racks, poster stands.

#include <cmath>

#include "starter_item.h"

namespace halvern::tools {

namespace {

using Look = VrmlBuilder::Look;

const Colour3 aluminium{0.76, 0.77, 0.79};
const Colour3 white{0.94, 0.94, 0.92};
const Colour3 acrylic{0.9, 0.95, 0.97};

StarterItem roll_up(int number, double width, double depth, double price, double weight)
{
    const std::string w = plain(width);
    StarterItem item = make_item(number, "enrouleur_" + w, shape_capsule, "Enrouleur " + w + " cm",
                                 "Roll-up banner " + w + " cm", width, depth, 207, rgb(70, 70, 80));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int cassette = m.material({"Colour_cassette", aluminium, 0.6});
    const int print = m.material({"Mat_print", white});
    const int pole = m.material({"Mat_pole", {0.2, 0.2, 0.22}, 0.5});
    const double r = depth / 2, half = width / 2 - r;
    m.box(-half, half, 0, 10, -r, r, {cassette});
    m.cylinder(-half, 0, 0, 10, r, {cassette});
    m.cylinder(half, 0, 0, 10, r, {cassette});
    m.cylinder(0, -r + 3, 10, 205, 1, {pole});
    m.wall({{-width / 2 + 1, 0}, {width / 2 - 1, 0}}, 10, 205, {print, "void.jpg"});
    m.box(-width / 2 + 0.5, width / 2 - 0.5, 205, 207, -1, 1, {cassette});
    colour_slot(item, 0, "Colour_cassette", "Cassette", "materiaux.lib");
    set_model(item, m);
    item.price = price;
    item.weight = weight;
    return item;
}

// A sail on a pole at x = -15 over a cross base, curving out to the right edge.
StarterItem beach_flag()
{
    const double W = 90, D = 60, H = 300;
    StarterItem item = make_item(102, "drapeau_voile", shape_point_list, "Drapeau voile", "Beach flag", W, D, H,
                                 rgb(200, 40, 40));
    const std::vector<P2> sail{{-15, 0}, {0, 6}, {15, 8}, {30, 6}, {45, 0}};
    std::vector<P2> outline{{-45, -30}, {15, 30}, {-15, 0}, {15, -30}, {-45, 30}};
    outline.insert(outline.end(), sail.begin(), sail.end());
    item.c.draw = point_list(outline, W, D);
    open_outline(item); // the base's legs and the sail are lines, not an area
    item.c.panel = 3;
    VrmlBuilder m(item.name_en);
    const int base = m.material({"Colour_base", {0.15, 0.15, 0.16}, 0.3});
    const int pole = m.material({"Mat_pole", aluminium, 0.6});
    const int print = m.material({"Mat_print", white});
    for (P2 tip : {P2{-45, -30}, P2{15, 30}, P2{15, -30}, P2{-45, 30}}) {
        const double dx = tip.x + 15, dz = tip.z, len = std::hypot(dx, dz);
        const P2 inset{tip.x - dx / len * 1.5, tip.z - dz / len * 1.5};
        m.beam(-15, 1.5, 0, inset.x, 1.5, inset.z, 1.5, {base});
    }
    m.cylinder(-15, 0, 0, H, 1.2, {pole});
    m.wall(sail, 60, H, {print, "void.jpg"});
    std::vector<P2> back = sail;
    for (P2& p : back)
        p.z -= 0.2;
    m.wall(back, 60, H, {print, "void2.jpg"});
    colour_slot(item, 0, "Colour_base", "Pied / Base", "primaire.lib");
    set_model(item, m);
    item.price = 129;
    item.weight = 3500;
    return item;
}

// Hung from the hall's ceiling above the stand, so the floor plan leaves it out: drawn, it would
// hide everything that stands under it.
StarterItem hanging_banner()
{
    const double W = 200, H = 100;
    StarterItem item = make_item(103, "banniere_suspendue", shape_empty_2, "Bannière suspendue ronde",
                                 "Round hanging banner", W, W, H, rgb(200, 40, 40));
    item.c.elevation = 350;
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int rim = m.material({"Colour_rim", aluminium, 0.6});
    const int print = m.material({"Mat_print", white});
    std::vector<P2> ring = ellipse_points(W / 2, W / 2, 36);
    ring.push_back(ring.front());
    m.wall(ring, 2, H - 2, {print, "void.jpg"});
    m.wall(ring, 0, 2, {rim});
    m.wall(ring, H - 2, H, {rim});
    colour_slot(item, 0, "Colour_rim", "Cerclage / Rim", "materiaux.lib");
    set_model(item, m);
    item.price = 390;
    item.weight = 6000;
    return item;
}

StarterItem lightbox()
{
    const double W = 100, D = 10, H = 250, t = 3;
    StarterItem item = make_item(104, "caisson_lumineux", shape_square, "Caisson lumineux 100 x 250",
                                 "Lightbox 100 x 250", W, D, H, rgb(90, 90, 100));
    item.c.panel = 3;
    joins_ends(item); // lightboxes stand side by side in a row
    VrmlBuilder m(item.name_en);
    const int frame = m.material({"Colour_frame", aluminium, 0.6});
    const int fabric = m.material({"Mat_fabric", {1, 1, 0.97}, 0.1});
    m.box(-W / 2, -W / 2 + t, 0, H, -D / 2, D / 2, {frame});
    m.box(W / 2 - t, W / 2, 0, H, -D / 2, D / 2, {frame});
    m.box(-W / 2 + t, W / 2 - t, 0, t, -D / 2, D / 2, {frame});
    m.box(-W / 2 + t, W / 2 - t, H - t, H, -D / 2, D / 2, {frame});
    m.wall({{-W / 2 + t, D / 2}, {W / 2 - t, D / 2}}, t, H - t, {fabric, "void.jpg"});
    m.wall({{-W / 2 + t, -D / 2}, {W / 2 - t, -D / 2}}, t, H - t, {fabric, "void2.jpg"});
    colour_slot(item, 0, "Colour_frame", "Cadre / Frame", "materiaux.lib");
    set_model(item, m);
    item.price = 690;
    item.weight = 18000;
    return item;
}

// Pockets on a back board, with two legs reaching forward: seen from above, a U.
StarterItem brochure_rack()
{
    const double W = 30, D = 38, H = 150;
    StarterItem item = make_item(105, "presentoir_brochures", shape_point_list, "Présentoir à brochures",
                                 "Brochure rack", W, D, H, rgb(60, 60, 60));
    item.c.draw =
        point_list({{-15, -19}, {15, -19}, {15, 19}, {11, 19}, {11, 5}, {-11, 5}, {-11, 19}, {-15, 19}}, W, D);
    VrmlBuilder m(item.name_en);
    const int frame = m.material({"Colour_frame", {0.2, 0.2, 0.21}, 0.4});
    const int clear = m.material({"Mat_acrylic", acrylic, 0.9, 0.6});
    m.box(-15, 15, 0, H, -19, -17, {frame});
    m.box(-15, -11, 0, 3, -17, 19, {frame});
    m.box(11, 15, 0, 3, -17, 19, {frame});
    for (double level : {20.0, 55.0, 90.0, 125.0}) {
        m.box(-11, 11, level, level + 1, -17, 5, {clear});
        m.box(-11, 11, level, level + 12, 4, 5, {clear});
    }
    colour_slot(item, 0, "Colour_frame", "Structure", "ral_classic.lib");
    set_model(item, m);
    item.price = 119;
    item.weight = 6500;
    return item;
}

StarterItem counter_brochure_holder()
{
    StarterItem item = make_item(106, "porte_documents", shape_square, "Porte-documents de comptoir",
                                 "Counter brochure holder", 24, 12, 30, rgb(80, 120, 160));
    item.c.auto_elevation = 1; // stands on the counter or table it is dropped on
    VrmlBuilder m(item.name_en);
    const int clear = m.material({"Mat_acrylic", acrylic, 0.9, 0.5});
    m.box(-12, 12, 0, 30, -6, -5, {clear});
    m.box(-12, 12, 0, 0.5, -5, 6, {clear});
    m.box(-12, 12, 0, 12, 5, 6, {clear});
    m.box(-12, -11.5, 0, 16, -5, 5, {clear});
    m.box(11.5, 12, 0, 16, -5, 5, {clear});
    set_model(item, m);
    item.price = 19;
    item.weight = 450;
    item.pack_by = 2;
    return item;
}

// A1 poster in a frame on a post; the plan shows the frame along the front and the foot.
StarterItem poster_stand()
{
    const double W = 64, D = 40, H = 170;
    StarterItem item =
        make_item(107, "porte_affiche_a1", shape_tee, "Porte-affiche A1", "A1 poster stand", W, D, H, rgb(40, 40, 40));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int frame = m.material({"Colour_frame", {0.15, 0.15, 0.16}, 0.5});
    const int print = m.material({"Mat_print", white});
    m.box(-3, 3, 0, 2, -20, 20, {frame});
    m.box(-1.5, 1.5, 2, 81, 14, 17, {frame});
    const double y0 = 81, y1 = 170;
    m.box(-32, -29.7, y0, y1, 17, 20, {frame});
    m.box(29.7, 32, y0, y1, 17, 20, {frame});
    m.box(-29.7, 29.7, y0, y0 + 2.5, 17, 20, {frame});
    m.box(-29.7, 29.7, y1 - 2.5, y1, 17, 20, {frame});
    m.wall({{-29.7, 19.5}, {29.7, 19.5}}, y0 + 2.5, y1 - 2.5, {print, "void.jpg"});
    colour_slot(item, 0, "Colour_frame", "Cadre / Frame", "ral_classic.lib");
    set_model(item, m);
    item.price = 149;
    item.weight = 7000;
    return item;
}

StarterItem totem()
{
    const double W = 60, D = 40, H = 200;
    StarterItem item =
        make_item(108, "totem_imprime", shape_square, "Totem imprimé", "Printed totem", W, D, H, rgb(200, 40, 40));
    item.c.panel = 3;
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", white, 0.4});
    const int print = m.material({"Mat_print", white});
    m.box(-W / 2, W / 2, 0, H, -D / 2 + 0.1, D / 2 - 0.1, {body});
    m.wall({{-W / 2, D / 2}, {W / 2, D / 2}}, 0, H, {print, "void.jpg"});
    m.wall({{-W / 2, -D / 2}, {W / 2, -D / 2}}, 0, H, {print, "void2.jpg"});
    colour_slot(item, 0, "Colour_body", "Côtés / Sides", "ral_classic.lib");
    set_model(item, m);
    item.price = 260;
    item.weight = 14000;
    return item;
}

// A name board hung over a stand: the object's text, on a printed background. Hung from the hall's
// rigging like the ring banner, it keeps its plan outline since it hangs over the stand's edge.
StarterItem name_sign()
{
    const double W = 200, D = 10, H = 40;
    StarterItem item =
        make_item(109, "enseigne", shape_square, "Enseigne", "Name sign", W, D, H, rgb(200, 40, 40));
    item.c.elevation = 260;
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    const int body = m.material({"Colour_body", white, 0.4});
    const int print = m.material({"Mat_print", white});
    const int letters = m.material({"Colour_letters", {0.1, 0.1, 0.12}, 0.5});
    m.box(-W / 2, W / 2, 0, H, -D / 2, D / 2 - 0.2, {body});
    m.wall({{-W / 2, D / 2}, {W / 2, D / 2}}, 0, H, {print, "void.jpg"});
    m.text(0, H / 2, D / 2 + 0.5, 20, {letters});
    colour_slot(item, 0, "Colour_body", "Caisson / Body", "ral_classic.lib");
    colour_slot(item, 1, "Colour_letters", "Lettres / Letters", "primaire.lib");
    set_model(item, m);
    item.price = 340;
    item.weight = 9000;
    return item;
}

} // namespace

StarterLibrary displays_library()
{
    return {1, 6, "Présentoirs / Displays",
            {roll_up(100, 85, 22, 89, 4200), roll_up(101, 100, 24, 109, 5100), beach_flag(), hanging_banner(),
             lightbox(), brochure_rack(), counter_brochure_holder(), poster_stand(), totem(), name_sign()}};
}

} // namespace halvern::tools
