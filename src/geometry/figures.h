#pragma once
// The curved figures of the outlines, in pixel coordinates: cubic Bezier curves, arcs of
// ellipses and circles, and the star. Angles follow the outlines' own convention: the point at
// angle a of an ellipse is (cx + sin(a) rx, cy + cos(a) ry), so 0 is straight down and 180
// straight up, and the whole figure is then turned clockwise by `angle` about its centre.

#include "geometry/canvas.h"
#include "geometry/point_path.h"

namespace halvern {

inline constexpr int bezier_segments = 20;

// One cubic Bezier curve as a polyline of bezier_segments straight pieces.
void draw_bezier(Canvas& canvas, PointD start, PointD control1, PointD control2, PointD end);

// The part of an ellipse between two angles, as straight segments of 12 degrees: a segment
// is drawn when it lies wholly between start and end.
void draw_ellipse_arc(Canvas& canvas, PointD centre, double rx, double ry, double angle, double start_degrees,
                      double end_degrees);

// The same for a circle; smooth drawing draws a true arc instead of segments.
void draw_circle_arc(Canvas& canvas, PointD centre, double radius, double angle, double start_degrees,
                     double end_degrees);

// A star of 40 rays in the ellipse of half-axes rx, ry.
void draw_star(Canvas& canvas, PointD centre, double rx, double ry, double angle);

// A point in pixels, as the outlines round it.
inline Pixel pixel_of(PointD p) { return {to_pixel(p.x), to_pixel(p.y)}; }

} // namespace halvern
