#include "geometry/figures.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace halvern {

namespace {

constexpr double degrees = std::numbers::pi / 180.0;

PointD on_ellipse(PointD centre, double rx, double ry, double angle, double a)
{
    double x = centre.x + std::sin(a * degrees) * rx;
    double y = centre.y + std::cos(a * degrees) * ry;
    return rotate_point(centre.x, centre.y, x, y, angle);
}

} // namespace

void draw_bezier(Canvas& canvas, PointD start, PointD control1, PointD control2, PointD end)
{
    // Power form: P(t) = a t^3 + b t^2 + c t + start.
    PointD c{3 * (control1.x - start.x), 3 * (control1.y - start.y)};
    PointD b{3 * start.x - 6 * control1.x + 3 * control2.x, 3 * start.y - 6 * control1.y + 3 * control2.y};
    PointD a{end.x - start.x - c.x - b.x, end.y - start.y - c.y - b.y};
    std::vector<Pixel> points;
    points.reserve(bezier_segments + 1);
    for (int i = 0; i <= bezier_segments; ++i) {
        double t = double(i) / bezier_segments;
        points.push_back(pixel_of({((a.x * t + b.x) * t + c.x) * t + start.x,
                                   ((a.y * t + b.y) * t + c.y) * t + start.y}));
    }
    canvas.polyline(points);
}

void draw_ellipse_arc(Canvas& canvas, PointD centre, double rx, double ry, double angle, double start_degrees,
                      double end_degrees)
{
    // The segments drawn always form one unbroken run, so they go out as one polyline.
    std::vector<Pixel> points;
    for (int i = 0; i <= 30; ++i) {
        double from = 12.0 * i, to = 12.0 * (i + 1);
        if (from < start_degrees || to > end_degrees)
            continue;
        if (points.empty())
            points.push_back(pixel_of(on_ellipse(centre, rx, ry, angle, from)));
        points.push_back(pixel_of(on_ellipse(centre, rx, ry, angle, to)));
    }
    if (points.size() >= 2)
        canvas.polyline(points);
}

void draw_circle_arc(Canvas& canvas, PointD centre, double radius, double angle, double start_degrees,
                     double end_degrees)
{
    if (!canvas.smooth()) {
        draw_ellipse_arc(canvas, centre, radius, radius, angle, start_degrees, end_degrees);
        return;
    }
    if (end_degrees <= start_degrees || radius <= 0)
        return;
    // The outlines measure angles from straight down, anticlockwise as seen; the canvas from the
    // x axis, clockwise.
    int x0 = to_pixel(centre.x - radius), y0 = to_pixel(centre.y - radius);
    int x1 = to_pixel(centre.x + radius), y1 = to_pixel(centre.y + radius);
    canvas.arc({x0, y0, x1 - x0, y1 - y0}, 90.0 - end_degrees + angle, end_degrees - start_degrees);
}

void draw_star(Canvas& canvas, PointD centre, double rx, double ry, double angle)
{
    std::vector<Pixel> points;
    points.reserve(82);
    for (int i = 0; i <= 40; ++i) {
        double k = 0.25 + std::sin(72.0 * i * degrees) / 8.0;
        points.push_back(pixel_of(on_ellipse(centre, rx, ry, angle, 9.0 * i)));
        points.push_back(pixel_of(on_ellipse(centre, k * rx, k * ry, angle, 9.0 * (i + 0.5))));
    }
    canvas.polyline(points);
}

} // namespace halvern
