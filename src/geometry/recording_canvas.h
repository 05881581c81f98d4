#pragma once
// A canvas that keeps every primitive drawn on it, with its pixel coordinates and the drawing
// state it was drawn in, so that tests can check a drawing without looking at pixels.

#include <string>
#include <vector>

#include "geometry/canvas.h"

namespace halvern {

struct Primitive {
    enum class Kind { line, polyline, box, rounded_box, polygon, closed_curve, gradient_fill, arc, ellipse, text };
    Kind kind = Kind::line;
    std::vector<Pixel> points; // line: its two ends; polyline, polygon, closed curve: the points
    PixelRect bounds;          // box, rounded box, arc, ellipse, shaded rectangle or ellipse
    bool filled = false;
    DrawState state;           // colour, line style and width, smooth flag at the time
    int corner_radius = 0;
    double start = 0, sweep = 0; // arc, degrees
    int centre_colour = 0, surround_colour = 0;
    Pixel centre;                // shaded fill
    GradientShape::Kind shape = GradientShape::Kind::rectangle;
    std::string text;
    double size_points = 0;

    int colour() const { return state.colour; }
    int width() const { return state.line_width; }
};

class RecordingCanvas : public Canvas {
public:
    void line(Pixel from, Pixel to) override;
    void polyline(std::span<const Pixel> points) override;
    void box(PixelRect box, bool filled) override;
    void rounded_box(PixelRect box, int corner_radius, bool filled) override;
    void polygon(std::span<const Pixel> points, bool filled) override;
    void closed_curve(std::span<const Pixel> points, bool filled) override;
    void gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour, Pixel centre) override;
    void arc(PixelRect bounds, double start_degrees, double sweep_degrees) override;
    void ellipse(PixelRect bounds, bool filled) override;
    void text(Pixel at, std::string_view utf8, double size_points) override;

    const std::vector<Primitive>& primitives() const { return primitives_; }
    void clear() { primitives_.clear(); }

    // Every pixel a primitive names (line ends, points, box corners), for extent checks.
    std::vector<Pixel> all_points() const;

private:
    Primitive& add(Primitive::Kind kind);
    std::vector<Primitive> primitives_;
};

} // namespace halvern
