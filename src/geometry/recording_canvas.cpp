#include "geometry/recording_canvas.h"

namespace halvern {

Primitive& RecordingCanvas::add(Primitive::Kind kind)
{
    Primitive& p = primitives_.emplace_back();
    p.kind = kind;
    p.state = state();
    return p;
}

void RecordingCanvas::line(Pixel from, Pixel to)
{
    add(Primitive::Kind::line).points = {from, to};
}

void RecordingCanvas::polyline(std::span<const Pixel> points)
{
    add(Primitive::Kind::polyline).points.assign(points.begin(), points.end());
}

void RecordingCanvas::box(PixelRect box, bool filled)
{
    Primitive& p = add(Primitive::Kind::box);
    p.bounds = box;
    p.filled = filled;
}

void RecordingCanvas::rounded_box(PixelRect box, int corner_radius, bool filled)
{
    Primitive& p = add(Primitive::Kind::rounded_box);
    p.bounds = box;
    p.corner_radius = corner_radius;
    p.filled = filled;
}

void RecordingCanvas::polygon(std::span<const Pixel> points, bool filled)
{
    Primitive& p = add(Primitive::Kind::polygon);
    p.points.assign(points.begin(), points.end());
    p.filled = filled;
}

void RecordingCanvas::closed_curve(std::span<const Pixel> points, bool filled)
{
    Primitive& p = add(Primitive::Kind::closed_curve);
    p.points.assign(points.begin(), points.end());
    p.filled = filled;
}

void RecordingCanvas::gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour, Pixel centre)
{
    Primitive& p = add(Primitive::Kind::gradient_fill);
    p.shape = shape.kind;
    p.bounds = shape.bounds;
    p.points = shape.points;
    p.centre_colour = centre_colour;
    p.surround_colour = surround_colour;
    p.centre = centre;
    p.filled = true;
}

void RecordingCanvas::arc(PixelRect bounds, double start_degrees, double sweep_degrees)
{
    Primitive& p = add(Primitive::Kind::arc);
    p.bounds = bounds;
    p.start = start_degrees;
    p.sweep = sweep_degrees;
}

void RecordingCanvas::ellipse(PixelRect bounds, bool filled)
{
    Primitive& p = add(Primitive::Kind::ellipse);
    p.bounds = bounds;
    p.filled = filled;
}

void RecordingCanvas::text(Pixel at, std::string_view utf8, double size_points)
{
    Primitive& p = add(Primitive::Kind::text);
    p.points = {at};
    p.text = std::string(utf8);
    p.size_points = size_points;
}

std::vector<Pixel> RecordingCanvas::all_points() const
{
    std::vector<Pixel> out;
    for (const Primitive& p : primitives_) {
        out.insert(out.end(), p.points.begin(), p.points.end());
        if (p.kind == Primitive::Kind::box || p.kind == Primitive::Kind::rounded_box
            || p.kind == Primitive::Kind::ellipse || p.kind == Primitive::Kind::arc) {
            out.push_back({p.bounds.x, p.bounds.y});
            out.push_back({p.bounds.x + p.bounds.width, p.bounds.y + p.bounds.height});
        }
    }
    return out;
}

} // namespace halvern
