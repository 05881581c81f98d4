#include "geometry/canvas_adapters.h"

#include <algorithm>
#include <cmath>

namespace halvern {

Canvas& OffsetCanvas::sync()
{
    target_.set_colour_value(colour());
    target_.set_line(line_style(), line_width());
    target_.set_smooth(smooth());
    return target_;
}

const std::vector<Pixel>& OffsetCanvas::shift(std::span<const Pixel> points)
{
    buffer_.clear();
    buffer_.reserve(points.size());
    for (const Pixel& p : points)
        buffer_.push_back(shift(p));
    return buffer_;
}

void OffsetCanvas::line(Pixel from, Pixel to) { sync().line(shift(from), shift(to)); }
void OffsetCanvas::grid_line(Pixel from, Pixel to) { sync().grid_line(shift(from), shift(to)); }
void OffsetCanvas::polyline(std::span<const Pixel> points) { sync().polyline(shift(points)); }
void OffsetCanvas::box(PixelRect box, bool filled) { sync().box(shift(box), filled); }

void OffsetCanvas::rounded_box(PixelRect box, int corner_radius, bool filled)
{
    sync().rounded_box(shift(box), corner_radius, filled);
}

void OffsetCanvas::polygon(std::span<const Pixel> points, bool filled) { sync().polygon(shift(points), filled); }

void OffsetCanvas::closed_curve(std::span<const Pixel> points, bool filled)
{
    sync().closed_curve(shift(points), filled);
}

void OffsetCanvas::gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour, Pixel centre)
{
    GradientShape moved = shape;
    moved.bounds = shift(shape.bounds);
    for (Pixel& p : moved.points)
        p = shift(p);
    sync().gradient_fill(moved, centre_colour, surround_colour, shift(centre));
}

void OffsetCanvas::arc(PixelRect bounds, double start_degrees, double sweep_degrees)
{
    sync().arc(shift(bounds), start_degrees, sweep_degrees);
}

void OffsetCanvas::ellipse(PixelRect bounds, bool filled) { sync().ellipse(shift(bounds), filled); }

void OffsetCanvas::text(Pixel at, std::string_view utf8, double size_points)
{
    sync().text(shift(at), utf8, size_points);
}

double BoundsCanvas::pen_margin() const { return std::max(1, line_width()) / 2.0 + 1; }

void BoundsCanvas::add(double x0, double y0, double x1, double y1, double margin)
{
    const int l = int(std::floor(std::min(x0, x1) - margin)), r = int(std::ceil(std::max(x0, x1) + margin));
    const int t = int(std::floor(std::min(y0, y1) - margin)), b = int(std::ceil(std::max(y0, y1) + margin));
    if (empty_) {
        left_ = l, top_ = t, right_ = r, bottom_ = b;
        empty_ = false;
        return;
    }
    left_ = std::min(left_, l), top_ = std::min(top_, t);
    right_ = std::max(right_, r), bottom_ = std::max(bottom_, b);
}

void BoundsCanvas::add_points(std::span<const Pixel> points, double margin)
{
    for (const Pixel& p : points)
        add(p.x, p.y, p.x, p.y, margin);
}

void BoundsCanvas::line(Pixel from, Pixel to) { add(from.x, from.y, to.x, to.y, pen_margin()); }
void BoundsCanvas::polyline(std::span<const Pixel> points) { add_points(points, pen_margin()); }

void BoundsCanvas::box(PixelRect box, bool)
{
    add(box.x, box.y, box.x + box.width, box.y + box.height, pen_margin());
}

void BoundsCanvas::rounded_box(PixelRect box, int, bool filled) { this->box(box, filled); }
void BoundsCanvas::polygon(std::span<const Pixel> points, bool) { add_points(points, pen_margin()); }

void BoundsCanvas::closed_curve(std::span<const Pixel> points, bool)
{
    // A cardinal spline of tension 0.5 stays within a sixth of a chord outside its points' box;
    // widening by a quarter of that box is more than it can swing out.
    if (points.empty())
        return;
    int l = points[0].x, r = l, t = points[0].y, b = t;
    for (const Pixel& p : points)
        l = std::min(l, p.x), r = std::max(r, p.x), t = std::min(t, p.y), b = std::max(b, p.y);
    const double swing = std::max(r - l, b - t) / 4.0;
    add(l, t, r, b, swing + pen_margin());
}

void BoundsCanvas::gradient_fill(const GradientShape& shape, int, int, Pixel)
{
    if (shape.kind == GradientShape::Kind::closed_curve)
        closed_curve(shape.points, true);
    else
        add(shape.bounds.x, shape.bounds.y, shape.bounds.x + shape.bounds.width, shape.bounds.y + shape.bounds.height,
            1);
}

void BoundsCanvas::arc(PixelRect bounds, double, double) { box(bounds, false); }
void BoundsCanvas::ellipse(PixelRect bounds, bool filled) { box(bounds, filled); }

double BoundsCanvas::text_width_estimate(std::string_view utf8, double size_points)
{
    size_t characters = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            ++characters;
    return double(characters) * text_pixels(size_points);
}

void BoundsCanvas::text(Pixel at, std::string_view utf8, double size_points)
{
    if (utf8.empty() || size_points <= 0)
        return;
    const double px = text_pixels(size_points);
    add(at.x, at.y, at.x + text_width_estimate(utf8, size_points), at.y + 1.5 * px, 2);
}

void replay(std::span<const Primitive> primitives, Canvas& target)
{
    using Kind = Primitive::Kind;
    for (const Primitive& p : primitives) {
        target.set_colour_value(p.state.colour);
        target.set_line(p.state.line_style, p.state.line_width);
        target.set_smooth(p.state.smooth);
        switch (p.kind) {
        case Kind::line:
            if (p.points.size() == 2)
                target.line(p.points[0], p.points[1]);
            break;
        case Kind::polyline: target.polyline(p.points); break;
        case Kind::box: target.box(p.bounds, p.filled); break;
        case Kind::rounded_box: target.rounded_box(p.bounds, p.corner_radius, p.filled); break;
        case Kind::polygon: target.polygon(p.points, p.filled); break;
        case Kind::closed_curve: target.closed_curve(p.points, p.filled); break;
        case Kind::gradient_fill: {
            GradientShape shape;
            shape.kind = p.shape;
            shape.bounds = p.bounds;
            shape.points = p.points;
            target.gradient_fill(shape, p.centre_colour, p.surround_colour, p.centre);
            break;
        }
        case Kind::arc: target.arc(p.bounds, p.start, p.sweep); break;
        case Kind::ellipse: target.ellipse(p.bounds, p.filled); break;
        case Kind::text: target.text(p.points.empty() ? Pixel{} : p.points[0], p.text, p.size_points); break;
        }
    }
}

} // namespace halvern
