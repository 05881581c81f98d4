// Library 2, counters: reception counters straight, curved, in an L and bean-shaped, each with a
// printed front (the recto, towards the visitors) and a top and a body the user may colour.

#include "starter_item.h"

namespace halvern::tools {

namespace {

const Colour3 white{0.94, 0.94, 0.92};
const Colour3 oak{0.8, 0.65, 0.45};
constexpr double counter_height = 105, top_thickness = 5;

struct CounterLooks {
    int top, body, print;
};

CounterLooks counter_materials(VrmlBuilder& m)
{
    return {m.material({"Colour_top", oak, 0.3}), m.material({"Colour_body", white, 0.4}),
            m.material({"Mat_print", white})};
}

void counter_slots(StarterItem& item)
{
    colour_slot(item, 0, "Colour_top", "Plateau / Top", "materiaux.lib");
    colour_slot(item, 1, "Colour_body", "Caisson / Body", "ral_classic.lib");
}

// The top over the whole outline, the body under it, and the printed front along `front`, just
// outside the body.
void counter_solid(VrmlBuilder& m, const CounterLooks& looks, const std::vector<P2>& top, const std::vector<P2>& body,
                   const std::vector<P2>& front)
{
    m.prism(top, counter_height - top_thickness, counter_height, {looks.top, "void_bois.jpg"});
    m.prism(body, 0, counter_height - top_thickness, {looks.body});
    m.wall(front, 3, counter_height - top_thickness, {looks.print, "void.jpg"});
}

StarterItem straight_counter(int number, double width, double price, double weight)
{
    const double D = 50;
    const std::string w = plain(width);
    StarterItem item = make_item(number, "comptoir_droit_" + w, shape_square, "Comptoir droit " + w,
                                 "Straight counter " + w, width, D, counter_height, rgb(150, 100, 50));
    item.c.panel = 1;
    joins_ends(item); // counters are set end to end into longer runs
    VrmlBuilder m(item.name_en);
    CounterLooks looks = counter_materials(m);
    const double h = width / 2;
    counter_solid(m, looks, {{-h, -D / 2}, {h, -D / 2}, {h, D / 2}, {-h, D / 2}},
                  {{-h, -D / 2}, {h, -D / 2}, {h, D / 2 - 0.3}, {-h, D / 2 - 0.3}}, {{-h, D / 2}, {h, D / 2}});
    counter_slots(item);
    set_model(item, m);
    item.price = price;
    item.weight = weight;
    return item;
}

// The arc of the plan is the back half of an ellipse as wide and as deep as the component, so the
// counter fills the back half of its footprint: a band 45 cm wide under that arc, printed on its
// outer, convex side.
StarterItem curved_counter()
{
    const double W = 200, D = 100, band = 45;
    StarterItem item = make_item(202, "comptoir_courbe", shape_arc, "Comptoir courbe", "Curved counter", W, D,
                                 counter_height, rgb(150, 100, 50));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    CounterLooks looks = counter_materials(m);
    const std::vector<P2> inner = ellipse_points(W / 2 - band, D / 2 - band, 25, 180, 360);
    auto band_outline = [&](double inset) {
        std::vector<P2> outline = ellipse_points(W / 2 - inset, D / 2 - inset, 25, 180, 360);
        outline.insert(outline.end(), inner.rbegin(), inner.rend());
        return outline;
    };
    counter_solid(m, looks, band_outline(0), band_outline(0.3), ellipse_points(W / 2, D / 2, 25, 180, 360));
    counter_slots(item);
    set_model(item, m);
    item.price = 1150;
    item.weight = 85000;
    return item;
}

// An L: a front bar across the whole width and a return going back on the right. Its mirrored
// twin returns on the left, from the same point list.
StarterItem corner_counter(int number, bool mirrored)
{
    const double W = 150, D = 100;
    StarterItem item = make_item(number, mirrored ? "comptoir_angle_gauche" : "comptoir_angle_droit",
                                 shape_point_list, mirrored ? "Comptoir d'angle gauche" : "Comptoir d'angle droit",
                                 mirrored ? "Corner counter, left" : "Corner counter, right", W, D, counter_height,
                                 rgb(150, 100, 50));
    const std::vector<P2> outline{{-75, 0}, {-75, 50}, {75, 50}, {75, -50}, {25, -50}, {25, 0}};
    item.c.draw = point_list(outline, W, D);
    item.c.draw_mirror = mirrored ? 1.0f : 0.0f;
    item.c.panel = 1;
    VrmlBuilder m(item.name_en, mirrored);
    CounterLooks looks = counter_materials(m);
    std::vector<P2> body{{-75, 0}, {-75, 49.7}, {74.7, 49.7}, {74.7, -50}, {25, -50}, {25, 0}};
    m.prism(outline, counter_height - top_thickness, counter_height, {looks.top, "void_bois.jpg"});
    m.prism(body, 0, counter_height - top_thickness, {looks.body});
    m.wall({{-75, 50}, {75, 50}, {75, -50}}, 3, counter_height - top_thickness, {looks.print, "void.jpg"});
    counter_slots(item);
    set_model(item, m);
    item.price = 690;
    item.weight = 60000;
    return item;
}

StarterItem bean_counter()
{
    const double W = 180, D = 90;
    StarterItem item = make_item(205, "comptoir_haricot", shape_bean, "Comptoir haricot", "Bean-shaped counter", W,
                                 D, counter_height, rgb(150, 100, 50));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    CounterLooks looks = counter_materials(m);
    const std::vector<P2> outline = bean_points(W, D);
    // The printed skin follows the outer (convex) side, the first quarter of the outline.
    std::vector<P2> front(outline.begin(), outline.begin() + int(outline.size() / 4) + 1);
    for (P2& p : front)
        p.z -= 0.3;
    counter_solid(m, looks, outline, outline, front);
    counter_slots(item);
    set_model(item, m);
    item.price = 980;
    item.weight = 70000;
    return item;
}

// Its front is a decor laminate printed with the recto picture.
StarterItem laminate_counter()
{
    const double W = 120, D = 60;
    StarterItem item = make_item(206, "comptoir_stratifie_120", shape_square, "Comptoir stratifié 120",
                                 "Laminate counter 120", W, D, counter_height, rgb(150, 100, 50));
    item.c.panel = 1;
    VrmlBuilder m(item.name_en);
    CounterLooks looks = counter_materials(m);
    const double h = W / 2;
    m.prism({{-h, -D / 2}, {h, -D / 2}, {h, D / 2}, {-h, D / 2}}, counter_height - top_thickness, counter_height,
            {looks.top, "void_bois.jpg"});
    m.prism({{-h, -D / 2}, {h, -D / 2}, {h, D / 2 - 0.3}, {-h, D / 2 - 0.3}}, 0, counter_height - top_thickness,
            {looks.body});
    m.wall({{-h, D / 2}, {h, D / 2}}, 3, counter_height - top_thickness, {looks.print, "void_strat.jpg"});
    counter_slots(item);
    set_model(item, m);
    item.price = 560;
    item.weight = 52000;
    return item;
}

} // namespace

StarterLibrary counters_library()
{
    return {2, 2, "Comptoirs / Counters",
            {straight_counter(200, 100, 390, 35000), straight_counter(201, 150, 520, 48000), curved_counter(),
             corner_counter(203, false), corner_counter(204, true), bean_counter(), laminate_counter()}};
}

} // namespace halvern::tools
