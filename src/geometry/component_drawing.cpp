#include "geometry/component_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "base/numbers.h"
#include "geometry/figures.h"
#include "geometry/outline_context.h"
#include "geometry/turtle.h"

namespace halvern {

namespace {

constexpr double magnet_circle_radius = 2.0; // cm

double or_hundred(double size) { return size == 0 ? 100.0 : size; }

bool text_is_zero(const std::string& number_text) { return parse_number(number_text) == 0; }

void draw_shape(const OutlineContext& o)
{
    const Component& c = o.component;
    Canvas& canvas = o.canvas;
    const double W = o.table_w, D = o.table_d, w = o.w, d = o.d;
    PointD centre = o.pixels({o.x, o.y});

    switch (c.shape) {
    case shape_square:
        o.closed_outline({{-w / 2, -d / 2}, {w / 2, -d / 2}, {w / 2, d / 2}, {-w / 2, d / 2}});
        break;
    case shape_circle: {
        double r = W / 2 * o.zoom;
        int x0 = to_pixel(centre.x - r), y0 = to_pixel(centre.y - r);
        canvas.ellipse({x0, y0, to_pixel(centre.x + r) - x0, to_pixel(centre.y + r) - y0}, false);
        break;
    }
    case shape_capsule: {
        double r = D / 2;
        draw_circle_arc(canvas, o.turned_px(W / 2 - r, 0), r * o.zoom, o.angle, 0, 180);
        draw_circle_arc(canvas, o.turned_px(-W / 2 + r, 0), r * o.zoom, o.angle, 180, 360);
        o.segment(-W / 2 + r, -r, W / 2 - r, -r);
        o.segment(-W / 2 + r, r, W / 2 - r, r);
        break;
    }
    case shape_rounded_square: {
        double r = D / 6, ex = W / 2 - r, ey = D / 2 - r;
        draw_circle_arc(canvas, o.turned_px(ex, -ey), r * o.zoom, o.angle, 90, 180);
        draw_circle_arc(canvas, o.turned_px(ex, ey), r * o.zoom, o.angle, 0, 90);
        draw_circle_arc(canvas, o.turned_px(-ex, ey), r * o.zoom, o.angle, 270, 360);
        draw_circle_arc(canvas, o.turned_px(-ex, -ey), r * o.zoom, o.angle, 180, 270);
        o.segment(-ex, -D / 2, ex, -D / 2);
        o.segment(W / 2, -ey, W / 2, ey);
        o.segment(-ex, D / 2, ex, D / 2);
        o.segment(-W / 2, -ey, -W / 2, ey);
        break;
    }
    case shape_tee:
        o.closed_outline({{-W / 2, D / 2 - 2}, {W / 2, D / 2 - 2}, {W / 2, D / 2}, {-W / 2, D / 2}});
        o.closed_outline({{-3, -D / 2}, {3, -D / 2}, {3, D / 2}, {-3, D / 2}});
        break;
    case shape_star:
        draw_star(canvas, centre, W / 2 * o.zoom, D / 2 * o.zoom, o.angle);
        break;
    case shape_ellipse:
        draw_ellipse_arc(canvas, centre, w / 2 * o.zoom, d / 2 * o.zoom, o.angle, 0, 360);
        break;
    case shape_arc:
        draw_ellipse_arc(canvas, centre, w / 2 * o.zoom, d / 2 * o.zoom, o.angle, 90, 270);
        break;
    case shape_bean: {
        // Each curve: start, first control, second control, end, from the centre before turning.
        const std::array<std::array<PointD, 4>, 4> curves = {{
            {{{-W / 2.3, -D / 10}, {-W / 4.5, -D / 1.6}, {W / 4.5, -D / 1.6}, {W / 2.3, -D / 10}}},
            {{{-W / 2.7, -D / 10 + 0.45 * D}, {-W / 4, -D / 1.6 + D / 2.3}, {W / 4, -D / 1.6 + D / 2.3},
              {W / 2.7, -D / 10 + 0.45 * D}}},
            {{{-W / 2.3, -D / 10}, {-W / 1.8, 0.2 * D}, {-0.5 * W, 0.8 * D}, {-W / 2.7, -D / 10 + 0.45 * D}}},
            {{{W / 2.3, -D / 10}, {W / 1.8, 0.2 * D}, {0.5 * W, 0.8 * D}, {W / 2.7, -D / 10 + 0.45 * D}}},
        }};
        for (const auto& k : curves)
            draw_bezier(canvas, o.turned_px(k[0].x, k[0].y), o.turned_px(k[1].x, k[1].y),
                        o.turned_px(k[2].x, k[2].y), o.turned_px(k[3].x, k[3].y));
        break;
    }
    case shape_turtle_path:
        draw_turtle_path(canvas, o.zoom, c.draw, o.x, o.y, W, D, o.angle);
        break;
    case shape_point_list: {
        // The front view turns a point list with the object only and never fills it.
        PointPathOptions options;
        options.angle = o.angle + (o.look.front_view ? 0.0 : parse_number(c.draw_rotation));
        options.mirror = c.draw_mirror == 1.0f;
        options.open = !text_is_zero(c.draw_open);
        options.fill = !o.look.front_view && !text_is_zero(c.draw_fill);
        draw_point_path(canvas, o.zoom, c.draw, o.x, o.y, W, D, options);
        break;
    }
    default: // "Vide" (1 and 9) and unknown codes have no figure
        break;
    }
}

void draw_magnet_circles(const OutlineContext& o)
{
    double r = magnet_circle_radius * o.zoom;
    for (double side : {-1.0, 1.0}) {
        PointD p = o.turned_px(side * o.table_w / 2, 0);
        int x0 = to_pixel(p.x - r), y0 = to_pixel(p.y - r);
        o.canvas.ellipse({x0, y0, to_pixel(p.x + r) - x0, to_pixel(p.y + r) - y0}, false);
    }
}

} // namespace

Pixel OutlineContext::pixel(double dx, double dy) const { return pixel_of(turned_px(dx, dy)); }

void OutlineContext::segment(double dx1, double dy1, double dx2, double dy2) const
{
    canvas.line(pixel(dx1, dy1), pixel(dx2, dy2));
}

void OutlineContext::closed_outline(std::initializer_list<PointD> corners) const
{
    std::vector<Pixel> points;
    for (const PointD& p : corners)
        points.push_back(pixel(p.x, p.y));
    points.push_back(points.front());
    canvas.polyline(points);
}

EndOffsets end_offsets(std::string_view end_code)
{
    struct Row {
        std::string_view code;
        EndOffsets offsets;
    };
    static constexpr Row rows[] = {
        {"CO", {0, 2.8}},     {"OC", {2.8, 0}},   {"RC", {-2.8, 0}},    {"CR", {0, -2.8}},
        {"RO", {-2.8, 2.8}},  {"RR", {-2.8, -2.8}}, {"OR", {2.8, -2.8}}, {"OO", {2.8, 2.8}},
    };
    for (const Row& row : rows)
        if (row.code == end_code)
            return row.offsets;
    return {};
}

void draw_component(Canvas& canvas, const ComponentTable& components, const PlanView& view,
                    const ComponentLook& look)
{
    if (!ComponentTable::valid(look.component) || !std::isfinite(view.zoom) || view.zoom <= 0)
        return;
    const Component& c = components[look.component];
    if (c.is_free())
        return;

    double x = look.x + view.decal_x + (view.palette_column ? palette_column_pixels / view.zoom : 0.0);
    double y = look.y + view.decal_y;
    OutlineContext o(canvas, c, look, view.zoom, x, y, look.angle);
    o.intensity = look.intensity == 0 ? 1.0 : look.intensity;
    o.table_w = or_hundred(c.width);
    o.table_d = or_hundred(c.depth);
    o.w = or_hundred(c.resize_x == 1 ? look.object_width : c.width);
    o.d = or_hundred(c.resize_y == 1 ? look.object_depth : c.depth);
    o.line_width = std::max(1, round_to_int(view.zoom / 4) + look.line_boost);

    o.normal_line();
    o.colour(0, 0, 0);
    if (c.library == 0) {
        if (look.end_mode == 0)
            draw_builtin_frame(o, look.detail, end_offsets(look.end_code));
    } else if (c.library == 23) {
        draw_profile_piece(o, look.component, look.detail);
    } else {
        o.colour(colour_red(c.draw_color), colour_green(c.draw_color), colour_blue(c.draw_color));
        draw_shape(o);
        if (text_is_zero(c.no_magnet))
            draw_magnet_circles(o);
    }
}

} // namespace halvern
