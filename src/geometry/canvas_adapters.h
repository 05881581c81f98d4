#pragma once
// Canvases that pass drawing on or only measure it: a shifted view of another canvas (a tile of a
// picture larger than any one surface), a canvas that keeps only the box its drawing covers (what
// a tile needs to know to skip an object), and the replay of a recorded drawing.

#include <span>

#include "geometry/canvas.h"
#include "geometry/recording_canvas.h"

namespace halvern {

// Draws into `target` with every pixel moved by (-dx, -dy): the part of a big picture that starts
// at (dx, dy) lands on a surface of its own. Whole pixels only, so a figure crossing the border
// of two tiles is cut exactly where the big picture would have it.
class OffsetCanvas : public Canvas {
public:
    OffsetCanvas(Canvas& target, int dx, int dy) : target_(target), dx_(dx), dy_(dy) {}

    Canvas& target() const { return target_; }
    int dx() const { return dx_; }
    int dy() const { return dy_; }

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
    void grid_line(Pixel from, Pixel to) override;

private:
    Canvas& sync();
    Pixel shift(Pixel p) const { return {p.x - dx_, p.y - dy_}; }
    PixelRect shift(PixelRect r) const { return {r.x - dx_, r.y - dy_, r.width, r.height}; }
    const std::vector<Pixel>& shift(std::span<const Pixel> points);

    Canvas& target_;
    int dx_, dy_;
    std::vector<Pixel> buffer_;
};

// The smallest box holding everything drawn, widened by half the line width and by an estimate of
// each text's size (the surface alone knows the real glyphs: the estimate errs on the large side).
class BoundsCanvas : public Canvas {
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

    bool empty() const { return empty_; }
    // Left, top, right and bottom in pixels, all inclusive.
    int left() const { return left_; }
    int top() const { return top_; }
    int right() const { return right_; }
    int bottom() const { return bottom_; }
    void reset() { empty_ = true; }

    // The width a text of that many characters can take at most: wide capitals in "Arial".
    static double text_width_estimate(std::string_view utf8, double size_points);

private:
    void add(double x0, double y0, double x1, double y1, double margin);
    void add_points(std::span<const Pixel> points, double margin);
    double pen_margin() const;

    bool empty_ = true;
    int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
};

// Draws every recorded primitive again, in its recorded drawing state, onto `target`.
void replay(std::span<const Primitive> primitives, Canvas& target);

} // namespace halvern
