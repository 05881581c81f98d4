#pragma once
// A canvas that only counts what it is given: the benchmarks measure the drawing code, not a
// painter, and the count keeps the work from being optimised away.

#include "geometry/canvas.h"

namespace halvern::bench {

class CountingCanvas : public Canvas {
public:
    long points = 0;
    void line(Pixel, Pixel) override { points += 2; }
    void polyline(std::span<const Pixel> p) override { points += long(p.size()); }
    void box(PixelRect, bool) override { points += 2; }
    void rounded_box(PixelRect, int, bool) override { points += 2; }
    void polygon(std::span<const Pixel> p, bool) override { points += long(p.size()); }
    void closed_curve(std::span<const Pixel> p, bool) override { points += long(p.size()); }
    void gradient_fill(const GradientShape&, int, int, Pixel) override { ++points; }
    void arc(PixelRect, double, double) override { points += 2; }
    void ellipse(PixelRect, bool) override { points += 2; }
    void text(Pixel, std::string_view, double) override { ++points; }
};

} // namespace halvern::bench
