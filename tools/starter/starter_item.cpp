#include "starter_item.h"

#include <cmath>
#include <numbers>

namespace halvern::tools {

namespace {

constexpr double radians = std::numbers::pi / 180.0;

P2 cubic(P2 a, P2 b, P2 c, P2 d, double t)
{
    const double s = 1 - t;
    return {s * s * s * a.x + 3 * t * s * s * b.x + 3 * t * t * s * c.x + t * t * t * d.x,
            s * s * s * a.z + 3 * t * s * s * b.z + 3 * t * t * s * c.z + t * t * t * d.z};
}

} // namespace

StarterItem make_item(int number, std::string file, int shape, std::string name_fr, std::string name_en,
                      double width, double depth, double height, int draw_color)
{
    StarterItem item;
    item.number = number;
    item.file = std::move(file);
    item.name_en = std::move(name_en);
    Component& c = item.c;
    c.shape = shape;
    c.name = std::move(name_fr);
    c.width = width;
    c.depth = depth;
    c.height = height;
    c.draw_color = draw_color;
    c.info = "0";      // the reader keeps the number it reads, 0 for none
    c.no_magnet = "1"; // furniture and accessories stand on their own; walls and modules say otherwise
    c.ref = "HVD-" + std::to_string(number);
    c.auteur = "Halvern Visual Design";
    c.license = "Free to use, copy and change";
    return item;
}

void joins_ends(StarterItem& item) { item.c.no_magnet = "0"; }

void open_outline(StarterItem& item) { item.c.draw_open = "1"; }

void colour_slot(StarterItem& item, int k, const std::string& material_name, std::string place, std::string library)
{
    const size_t s = size_t(k);
    item.c.color_src[s] = "DEF " + material_name;
    item.c.color_name[s] = std::move(place);
    item.c.color_lib[s] = std::move(library);
}

void magnet(StarterItem& item, int k, MagnetSpec m)
{
    const size_t s = size_t(k);
    Component& c = item.c;
    c.magnet_x[s] = m.x;
    c.magnet_y[s] = m.y;
    c.magnet_z[s] = m.z;
    c.magnet_r[s] = float(m.r);
    c.magnet_contrainte[s] = m.contrainte;
    c.magnet_force[s] = m.force;
    c.magnet_recepteur[s] = m.recepteur;
}

std::string point_list(const std::vector<P2>& plan_points, double width, double depth)
{
    std::string s = "|";
    for (const P2& p : plan_points)
        s += plain(width / 2 - p.x, 2) + "|" + plain(depth / 2 - p.z, 2) + "|";
    return s;
}

void set_model(StarterItem& item, const VrmlBuilder& model)
{
    item.dat = model.text_of_file();
    item.bounds = model.bounds();
}

std::vector<P2> ellipse_points(double half_x, double half_z, int count, double from_deg, double to_deg)
{
    std::vector<P2> points;
    const bool closed = std::abs(to_deg - from_deg - 360) < 1e-9;
    const int steps = closed ? count : count - 1;
    for (int i = 0; i < count; ++i) {
        const double a = (from_deg + (to_deg - from_deg) * i / steps) * radians;
        points.push_back({half_x * std::cos(a), half_z * std::sin(a)});
    }
    return points;
}

std::vector<P2> capsule_points(double width, double depth, int per_end)
{
    const double r = depth / 2, cx = width / 2 - r;
    std::vector<P2> points;
    for (int i = 0; i <= per_end; ++i) { // right end, from the top round to the bottom
        const double a = (-90 + 180.0 * i / per_end) * radians;
        points.push_back({cx + r * std::cos(a), r * std::sin(a)});
    }
    for (int i = 0; i <= per_end; ++i) {
        const double a = (90 + 180.0 * i / per_end) * radians;
        points.push_back({-cx + r * std::cos(a), r * std::sin(a)});
    }
    return points;
}

// The bean of the plan drawing: its outer side, right end, inner side and left end, as four cubic
// curves from the component's width and depth, so that the model and the outline agree.
std::vector<P2> bean_points(double W, double D, int per_curve)
{
    const P2 outer[4] = {{-W / 2.3, -D / 10}, {-W / 4.5, -D / 1.6}, {W / 4.5, -D / 1.6}, {W / 2.3, -D / 10}};
    const P2 inner[4] = {{-W / 2.7, -D / 10 + 0.45 * D}, {-W / 4, -D / 1.6 + D / 2.3}, {W / 4, -D / 1.6 + D / 2.3},
                         {W / 2.7, -D / 10 + 0.45 * D}};
    const P2 left[4] = {{-W / 2.3, -D / 10}, {-W / 1.8, 0.2 * D}, {-0.5 * W, 0.8 * D}, {-W / 2.7, -D / 10 + 0.45 * D}};
    const P2 right[4] = {{W / 2.3, -D / 10}, {W / 1.8, 0.2 * D}, {0.5 * W, 0.8 * D}, {W / 2.7, -D / 10 + 0.45 * D}};
    std::vector<P2> points;
    auto run = [&](const P2* c, bool backwards) {
        for (int i = 0; i < per_curve; ++i) {
            const double t = double(i) / per_curve;
            points.push_back(cubic(c[0], c[1], c[2], c[3], backwards ? 1 - t : t));
        }
    };
    run(outer, false);
    run(right, false);
    run(inner, true);
    run(left, true);
    return points;
}

std::vector<P2> regular_polygon(double flat_half, int sides)
{
    const double step = 360.0 / sides;
    const double r = flat_half / std::cos(step / 2 * radians);
    std::vector<P2> points;
    for (int i = 0; i < sides; ++i) {
        const double a = (step / 2 + step * i) * radians;
        points.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return points;
}

std::vector<P2> rounded_rectangle_points(double width, double depth, double radius, int per_corner)
{
    const double cx = width / 2 - radius, cz = depth / 2 - radius;
    const P2 centres[4] = {{cx, cz}, {-cx, cz}, {-cx, -cz}, {cx, -cz}};
    std::vector<P2> points;
    for (int corner = 0; corner < 4; ++corner)
        for (int i = 0; i <= per_corner; ++i) {
            const double a = (90.0 * corner + 90.0 * i / per_corner) * radians;
            points.push_back({centres[corner].x + radius * std::cos(a), centres[corner].z + radius * std::sin(a)});
        }
    return points;
}

std::vector<StarterLibrary> starter_libraries()
{
    return {counters_library(), seating_library(), storage_library(), floors_library(),
            displays_library(), lighting_library(), plants_library(), multimedia_library()};
}

} // namespace halvern::tools
