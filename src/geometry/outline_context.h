#pragma once
// What the outline drawings of one component share while it is drawn: the canvas, the place and
// turn, the working size and the line width. Internal to the outline drawing.

#include <initializer_list>

#include "geometry/canvas.h"
#include "geometry/component_drawing.h"
#include "geometry/point_path.h"
#include "library/component_table.h"

namespace halvern {

struct OutlineContext {
    OutlineContext(Canvas& canvas, const Component& component, const ComponentLook& look, double zoom, double x,
                   double y, double angle)
        : canvas(canvas), component(component), look(look), zoom(zoom), x(x), y(y), angle(angle), turn(angle)
    {
    }

    Canvas& canvas;
    const Component& component;
    const ComponentLook& look;
    double zoom = 1;
    double x = 0, y = 0;   // centre in plan centimetres, with the view's offsets and column
    const double angle = 0;
    double w = 100, d = 100; // working size: the object's own where the component resizes
    double table_w = 100, table_d = 100; // the component's own size
    double intensity = 1;
    int line_width = 1;
    const Rotation turn; // the turn by `angle`, its sine and cosine taken once

    void colour(int red, int green, int blue) const { canvas.set_colour(red, green, blue, intensity); }
    void normal_line() const { canvas.set_line(line_solid, line_width); }

    // A point at (dx, dy) from the centre of the unrotated component, turned with it, in pixels.
    PointD turned_cm(double dx, double dy) const { return turn.apply(x, y, x + dx, y + dy); }
    PointD pixels(PointD cm) const { return {cm.x * zoom, cm.y * zoom}; }
    PointD turned_px(double dx, double dy) const { return pixels(turned_cm(dx, dy)); }
    Pixel pixel(double dx, double dy) const;

    // A straight line between two points given from the centre of the unrotated component.
    void segment(double dx1, double dy1, double dx2, double dy2) const;
    // A closed outline through points given from the centre of the unrotated component.
    void closed_outline(std::initializer_list<PointD> corners) const;
};

// Library 23: the straight and curved profile pieces.
void draw_profile_piece(const OutlineContext& o, int number, int detail);

// Library 0: the frames, assembled by style from their pieces.
void draw_builtin_frame(const OutlineContext& o, int detail, EndOffsets offsets);

} // namespace halvern
