#pragma once
// Helpers for tests that draw into a recording canvas.

#include <algorithm>
#include <climits>
#include <vector>

#include "geometry/component_drawing.h"
#include "geometry/recording_canvas.h"
#include "library/component_table.h"

namespace halvern::testing {

struct Extent {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

inline Extent extent_of(const std::vector<Pixel>& points)
{
    Extent e;
    for (const Pixel& p : points) {
        e.left = std::min(e.left, p.x);
        e.right = std::max(e.right, p.x);
        e.top = std::min(e.top, p.y);
        e.bottom = std::max(e.bottom, p.y);
    }
    return e;
}

inline Extent extent_of(const RecordingCanvas& canvas) { return extent_of(canvas.all_points()); }

inline std::vector<Primitive> of_kind(const RecordingCanvas& canvas, Primitive::Kind kind)
{
    std::vector<Primitive> out;
    for (const Primitive& p : canvas.primitives())
        if (p.kind == kind)
            out.push_back(p);
    return out;
}

inline std::vector<Primitive> of_colour(const RecordingCanvas& canvas, int colour)
{
    std::vector<Primitive> out;
    for (const Primitive& p : canvas.primitives())
        if (p.colour() == colour)
            out.push_back(p);
    return out;
}

// A component of a definition file's kind (library 1) with the given shape and size.
inline Component& file_component(ComponentTable& table, int number, int shape, double width, double depth)
{
    Component& c = table[number];
    c.name = "test";
    c.library = number / 100;
    c.shape = shape;
    c.width = width;
    c.depth = depth;
    c.no_magnet = "1";
    return c;
}

// Draws one component at (x, y) with zoom 1 and no palette column.
inline RecordingCanvas draw_one(const ComponentTable& table, ComponentLook look, PlanView view = {})
{
    RecordingCanvas canvas;
    draw_component(canvas, table, view, look);
    return canvas;
}

} // namespace halvern::testing
