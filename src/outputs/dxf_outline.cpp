#include "outputs/dxf_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/canvas.h"

namespace halvern {

namespace {

constexpr double radians = std::numbers::pi / 180;
constexpr double mm_per_pixel = 10.0 / dxf_outline_zoom;

DxfVertex vertex(double px, double py, double bulge = 0) { return {px * mm_per_pixel, -py * mm_per_pixel, bulge}; }
DxfVertex vertex(Pixel p, double bulge = 0) { return vertex(p.x, p.y, bulge); }

// Screen angles run clockwise with y down; seen the same way with y up an arc that turns clockwise
// has a negative bulge.
double bulge_of(double sweep_degrees) { return -std::tan(sweep_degrees * radians / 4); }

// Collects what the outline drawing draws, as paths.
class PathCanvas : public Canvas {
public:
    std::vector<DxfPath> paths;

    void line(Pixel from, Pixel to) override { paths.push_back({{vertex(from), vertex(to)}, false}); }
    void polyline(std::span<const Pixel> points) override
    {
        if (points.size() < 2)
            return;
        const bool closed = points.size() > 2 && points.front() == points.back();
        add(points.first(closed ? points.size() - 1 : points.size()), closed);
    }
    void box(PixelRect b, bool) override
    {
        paths.push_back({{vertex(b.x, b.y), vertex(b.x + b.width, b.y), vertex(b.x + b.width, b.y + b.height),
                          vertex(b.x, b.y + b.height)},
                         true});
    }
    void rounded_box(PixelRect b, int radius, bool filled) override
    {
        const double r = std::min({double(radius), b.width / 2.0, b.height / 2.0});
        if (r <= 0) {
            box(b, filled);
            return;
        }
        const double x0 = b.x, y0 = b.y, x1 = b.x + b.width, y1 = b.y + b.height, k = bulge_of(90);
        paths.push_back({{vertex(x0 + r, y0), vertex(x1 - r, y0, k), vertex(x1, y0 + r), vertex(x1, y1 - r, k),
                          vertex(x1 - r, y1), vertex(x0 + r, y1, k), vertex(x0, y1 - r), vertex(x0, y0 + r, k)},
                         true});
    }
    void polygon(std::span<const Pixel> points, bool) override
    {
        if (points.size() >= 2)
            add(points, points.size() > 2);
    }
    void closed_curve(std::span<const Pixel> points, bool filled) override { polygon(points, filled); }
    void gradient_fill(const GradientShape&, int, int, Pixel) override {}
    void arc(PixelRect b, double start, double sweep) override
    {
        sweep = std::clamp(sweep, -360.0, 360.0);
        if (sweep == 0 || b.width <= 0 || b.height <= 0)
            return;
        const double cx = b.x + b.width / 2.0, cy = b.y + b.height / 2.0;
        double rx = b.width / 2.0, ry = b.height / 2.0;
        if (std::abs(b.width - b.height) <= 2)
            rx = ry = (rx + ry) / 2;
        auto at = [&](double degrees, double bulge) {
            return vertex(cx + rx * std::cos(degrees * radians), cy + ry * std::sin(degrees * radians), bulge);
        };
        DxfPath path;
        // Whole pixels may make a circle's box a pixel wider than high.
        if (std::abs(b.width - b.height) <= 2) {
            // A circular arc: its two ends and one bulge (two halves for a whole turn).
            const bool whole = std::fabs(sweep) >= 360;
            const int pieces = whole ? 2 : 1;
            for (int k = 0; k < pieces; ++k)
                path.points.push_back(at(start + k * sweep / pieces, bulge_of(sweep / pieces)));
            if (!whole)
                path.points.push_back(at(start + sweep, 0));
            path.closed = whole;
        } else {
            const int steps = std::max(2, int(std::ceil(std::fabs(sweep) / 5)));
            for (int k = 0; k <= steps; ++k)
                path.points.push_back(at(start + sweep * k / steps, 0));
        }
        paths.push_back(std::move(path));
    }
    void ellipse(PixelRect b, bool) override
    {
        if (b.width <= 0 || b.height <= 0)
            return;
        arc(b, 0, 360);
        if (std::abs(b.width - b.height) > 2) {
            paths.back().points.pop_back(); // the closing point repeats the first
            paths.back().closed = true;
        }
    }
    void text(Pixel, std::string_view, double) override {}

private:
    void add(std::span<const Pixel> points, bool closed)
    {
        DxfPath path;
        path.closed = closed;
        for (const Pixel& p : points)
            path.points.push_back(vertex(p));
        paths.push_back(std::move(path));
    }
};

// The same path run the other way: each segment's bulge moves to its other end and turns sign.
DxfPath reversed(const DxfPath& path)
{
    DxfPath out;
    out.closed = path.closed;
    const size_t n = path.points.size();
    for (size_t k = 0; k < n; ++k) {
        DxfVertex v = path.points[n - 1 - k];
        v.bulge = k + 1 < n ? -path.points[n - 2 - k].bulge : 0;
        out.points.push_back(v);
    }
    return out;
}

bool same_point(const DxfVertex& a, const DxfVertex& b)
{
    return std::hypot(a.x - b.x, a.y - b.y) < 2.5 * mm_per_pixel; // whole pixels round each end its own way
}

// Appends b, which starts where a ends.
void append(DxfPath& a, const DxfPath& b)
{
    a.points.back().bulge = b.points.front().bulge;
    a.points.insert(a.points.end(), b.points.begin() + 1, b.points.end());
    if (a.points.size() > 2 && same_point(a.points.front(), a.points.back())) {
        a.points.pop_back(); // its bulge, 0, was the end's; the one before now closes the outline
        a.closed = true;
    }
}

// Pieces drawn one after the other (a capsule's two arcs and two sides) become one outline, closed
// when it comes back to its start, so that a CAD user selects, offsets or hatches it as one. Each
// outline grows at both ends until no piece meets it: a path of many strokes stays quick.
void join_pieces(std::vector<DxfPath>& paths)
{
    for (size_t i = 0; i < paths.size(); ++i) {
        for (bool grew = true; grew && !paths[i].closed;) {
            grew = false;
            for (size_t j = i + 1; j < paths.size() && !grew; ++j) {
                DxfPath& a = paths[i];
                const DxfPath& b = paths[j];
                if (b.closed)
                    continue;
                if (same_point(a.points.back(), b.points.front())) {
                    append(a, b);
                } else if (same_point(a.points.back(), b.points.back())) {
                    append(a, reversed(b));
                } else if (same_point(a.points.front(), b.points.back())) {
                    DxfPath joined = b;
                    append(joined, a);
                    a = std::move(joined);
                } else if (same_point(a.points.front(), b.points.front())) {
                    DxfPath joined = reversed(b);
                    append(joined, a);
                    a = std::move(joined);
                } else {
                    continue;
                }
                paths.erase(paths.begin() + std::ptrdiff_t(j));
                grew = true;
            }
        }
    }
}

} // namespace

std::vector<DxfPath> component_outline_paths(const ComponentTable& components, ComponentLook look)
{
    look.x = 0;
    look.y = 0;
    look.angle = 0;
    look.intensity = 1;
    look.line_boost = 0;
    look.front_view = false;
    PathCanvas canvas;
    canvas.set_smooth(true); // arcs are drawn as arcs, not as runs of segments
    PlanView view;
    view.zoom = dxf_outline_zoom;
    draw_component(canvas, components, view, look);
    join_pieces(canvas.paths);
    return std::move(canvas.paths);
}

} // namespace halvern
