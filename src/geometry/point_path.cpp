#include "geometry/point_path.h"

#include <cmath>
#include <numbers>
#include <string>
#include <unordered_map>

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

namespace {

// The fields of a list as written, before the footprint's offsets.
struct RawPoints {
    std::vector<PointD> points;
    bool truncated = false;
};

RawPoints read_raw_points(std::string_view text)
{
    RawPoints list;
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
            list.points.push_back({x, value});
            have_x = false;
        }
        at = next;
    }
    return list;
}

// Every redraw draws the same few outlines thousands of times; reading their numbers once per
// text instead of once per object is most of a redraw's geometry. Keyed by the text itself, so an
// edited outline is simply a new entry; the bound keeps a stream of distinct texts from growing
// the cache without end.
const RawPoints& cached_raw_points(std::string_view text)
{
    constexpr std::size_t max_entries = 4096;
    thread_local std::unordered_map<std::string, RawPoints> cache;
    auto it = cache.find(std::string(text));
    if (it != cache.end())
        return it->second;
    if (cache.size() >= max_entries)
        cache.clear();
    return cache.emplace(std::string(text), read_raw_points(text)).first->second;
}

} // namespace

PointList parse_point_list(std::string_view text, double width, double depth, double offset_x, double offset_y)
{
    const RawPoints& raw = cached_raw_points(text);
    PointList list;
    list.truncated = raw.truncated;
    list.points.reserve(raw.points.size());
    for (const PointD& p : raw.points)
        list.points.push_back({p.x - width / 2 + offset_x, p.y - depth / 2 + offset_y});
    return list;
}

void draw_point_path(Canvas& canvas, double zoom, std::string_view path, double cx, double cy, double width,
                     double depth, const PointPathOptions& options)
{
    const RawPoints& raw = cached_raw_points(path);
    if (raw.points.size() < 2)
        return;

    const double dx = -width / 2 + options.offset_x, dy = -depth / 2 + options.offset_y;
    Rotation turn(options.angle + 180.0);
    std::vector<Pixel> pixels;
    pixels.reserve(raw.points.size() + 1);
    for (const PointD& p : raw.points) {
        double x = options.mirror ? -(p.x + dx) : p.x + dx;
        PointD r = turn.apply(cx, cy, cx + x, cy + p.y + dy);
        const Pixel px{to_pixel(r.x * zoom), to_pixel(r.y * zoom)};
        // At plan zooms many points of a detailed outline fall on the same pixel; a repeated
        // vertex draws nothing more and only costs the painter time.
        if (!pixels.empty() && pixels.back().x == px.x && pixels.back().y == px.y)
            continue;
        pixels.push_back(px);
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
