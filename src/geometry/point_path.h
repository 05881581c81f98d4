#pragma once
// Point lists: outlines written as "|x1|y1|x2|y2|..|" in centimetres from a corner of a
// component's footprint, and the turn of a point about a centre that every outline shares.

#include <cstddef>
#include <string_view>
#include <vector>

#include "geometry/canvas.h"

namespace halvern {

struct PointD {
    double x = 0, y = 0;
};

// (px, py) turned about (cx, cy) by `angle` degrees; a positive angle turns clockwise on screen
// (x to the right, y downwards).
PointD rotate_point(double cx, double cy, double px, double py, double angle);

// The same turn for many points about one centre: the sine and cosine are taken once, which
// gives the same points as rotate_point (to rounding far below a pixel) at a fraction of the cost.
class Rotation {
public:
    explicit Rotation(double angle);
    PointD apply(double cx, double cy, double px, double py) const
    {
        double dx = px - cx, dy = py - cy;
        return {cx + dx * cos_ - dy * sin_, cy + dx * sin_ + dy * cos_};
    }

private:
    double cos_ = 1, sin_ = 0;
};

// A point list never holds more points than this; longer texts are cut here.
inline constexpr std::size_t max_path_points = 1000;

struct PointList {
    std::vector<PointD> points; // offsets from the centre of the footprint, centimetres
    bool truncated = false;     // the text held more than max_path_points points
};

// Reads a point list. Text that does not begin with "|" gives no points. Reading stops at the
// first empty field or when no "|" follows; a last x without its y is dropped. Each x becomes
// x - width/2 + offset_x and each y becomes y - depth/2 + offset_y.
PointList parse_point_list(std::string_view text, double width, double depth, double offset_x = 0,
                           double offset_y = 0);

// How a point list is drawn besides its text and footprint.
struct PointPathOptions {
    double angle = 0;      // degrees; the list is turned by a further 180
    bool mirror = false;   // negate every x before turning
    bool open = false;     // do not join the last point back to the first
    bool fill = false;     // fill the outline (and draw no edge line)
    double offset_x = 0, offset_y = 0; // centimetres, added to every point
};

// Draws a point list centred on (cx, cy) in plan centimetres, at `zoom` pixels per centimetre,
// in the current colour. Smooth drawing uses the current line width; plain drawing first resets
// the line to solid and thinnest.
void draw_point_path(Canvas& canvas, double zoom, std::string_view path, double cx, double cy, double width,
                     double depth, const PointPathOptions& options);

} // namespace halvern
