#include "geometry/point_path.h"

#include <cmath>
#include <numbers>

#include "base/numbers.h"

namespace halvern {

namespace {
constexpr double degrees = std::numbers::pi / 180.0;
}

PointD rotate_point(double cx, double cy, double px, double py, double angle)
{
    double a = std::atan2(py - cy, px - cx);
    double r = std::hypot(px - cx, py - cy);
    double turned = a + angle * degrees;
    return {cx + r * std::cos(turned), cy + r * std::sin(turned)};
}

Rotation::Rotation(double angle) : cos_(std::cos(angle * degrees)), sin_(std::sin(angle * degrees)) {}

PointList parse_point_list(std::string_view text, double width, double depth, double offset_x, double offset_y)
{
    PointList list;
    if (text.empty() || text.front() != '|')
        return list;
    bool have_x = false;
    double x = 0;
    // `at` is always on a "|"; each pass takes the field up to the next one, so every pass moves
    // forward and the loop ends with the text.
    for (std::size_t at = 0;;) {
        std::size_t next = text.find('|', at + 1);
        if (next == std::string_view::npos)
            break;
        std::string_view field = text.substr(at + 1, next - at - 1);
        if (field.empty())
            break;
        double value = parse_number(field);
        if (!have_x) {
            x = value;
            have_x = true;
        } else {
            if (list.points.size() == max_path_points) {
                list.truncated = true;
                break;
            }
            list.points.push_back({x - width / 2 + offset_x, value - depth / 2 + offset_y});
            have_x = false;
        }
        at = next;
    }
    return list;
}

void draw_point_path(Canvas& canvas, double zoom, std::string_view path, double cx, double cy, double width,
                     double depth, const PointPathOptions& options)
{
    PointList list = parse_point_list(path, width, depth, options.offset_x, options.offset_y);
    if (list.points.size() < 2)
        return;

    Rotation turn(options.angle + 180.0);
    std::vector<Pixel> pixels;
    pixels.reserve(list.points.size() + 1);
    for (const PointD& p : list.points) {
        double x = options.mirror ? -p.x : p.x;
        PointD r = turn.apply(cx, cy, cx + x, cy + p.y);
        pixels.push_back({to_pixel(r.x * zoom), to_pixel(r.y * zoom)});
    }
    if (!options.open)
        pixels.push_back(pixels.front());

    if (!canvas.smooth())
        canvas.set_line(line_solid, 1);
    if (options.fill)
        canvas.polygon(pixels, true);
    else
        canvas.polyline(pixels);
}

} // namespace halvern
