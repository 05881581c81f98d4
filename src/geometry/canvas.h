#pragma once
// The drawing surface every picture goes through (the plan, the palette column, the outlines,
// the previews): a current colour, line style and width, the smooth flag, and a small set of
// primitives in whole pixels. The core draws into this interface; platform/ paints it with Qt,
// and tests record it.

#include <span>
#include <string_view>
#include <vector>

namespace halvern {

// Colours are integers whose low byte is red, then green, then blue.
constexpr int make_colour(int red, int green, int blue)
{
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr int colour_red(int colour) { return colour & 0xFF; }
constexpr int colour_green(int colour) { return (colour >> 8) & 0xFF; }
constexpr int colour_blue(int colour) { return (colour >> 16) & 0xFF; }

inline constexpr int colour_white = make_colour(255, 255, 255);
inline constexpr int colour_black = make_colour(0, 0, 0);

// One channel seen at intensity t: 1 keeps it, 0 turns it white (faded objects use 0.4).
int faded_channel(int channel, double intensity);

struct Pixel {
    int x = 0, y = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// A box as its top-left corner and its size in pixels.
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Line styles, numbered as the stored drawing state numbers them.
enum LineStyle : int { line_solid = 0, line_dash = 1, line_dot = 2, line_dash_dot = 3, line_dash_dot_dot = 4 };

// The outline a shaded fill is clipped to.
struct GradientShape {
    enum class Kind { rectangle, ellipse, closed_curve };
    Kind kind = Kind::rectangle;
    PixelRect bounds;            // rectangle and ellipse
    std::vector<Pixel> points;   // closed curve
};

struct DrawState {
    int colour = colour_black;
    int line_style = line_solid;
    int line_width = 1; // pixels
    bool smooth = true; // anti-aliased; plain drawing when false
    friend bool operator==(const DrawState&, const DrawState&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Each channel becomes 255 - (255 - c) * t, rounded: t = 1 the colour itself, t = 0 white.
    void set_colour(int red, int green, int blue, double intensity = 1.0);
    void set_colour_value(int colour) { state_.colour = colour; }
    void set_line(int style, int width);
    void set_smooth(bool smooth) { state_.smooth = smooth; }
    void set_state(const DrawState& state) { state_ = state; }

    int colour() const { return state_.colour; }
    int line_style() const { return state_.line_style; }
    int line_width() const { return state_.line_width; }
    bool smooth() const { return state_.smooth; }
    const DrawState& state() const { return state_; }

    // Every primitive draws in the current colour; outlines use the current line style and width.
    virtual void line(Pixel from, Pixel to) = 0;
    virtual void polyline(std::span<const Pixel> points) = 0;
    virtual void box(PixelRect box, bool filled) = 0;
    virtual void rounded_box(PixelRect box, int corner_radius, bool filled) = 0;
    virtual void polygon(std::span<const Pixel> points, bool filled) = 0;
    // A closed cardinal spline of tension 0.5 through the points.
    virtual void closed_curve(std::span<const Pixel> points, bool filled) = 0;
    // A shaded fill: the centre colour at `centre`, the surround colour at the outline.
    virtual void gradient_fill(const GradientShape& shape, int centre_colour, int surround_colour,
                               Pixel centre) = 0;
    // Part of the ellipse inscribed in `bounds`; angles in degrees, clockwise on screen from
    // the positive x axis, a positive sweep running clockwise.
    virtual void arc(PixelRect bounds, double start_degrees, double sweep_degrees) = 0;
    virtual void ellipse(PixelRect bounds, bool filled) = 0;
    // Text in "Arial", its top-left corner at `at`; the size in points is drawn at 96 dots per
    // inch so that pictures come out the same on every machine.
    virtual void text(Pixel at, std::string_view utf8, double size_points) = 0;
    // A horizontal or vertical line whose ends lie where nothing that stays will show them (past
    // the picture's edge, under the palette column): a surface may draw it as the band of pixels it
    // covers, with square ends, which inside its length gives line()'s pixels to a level.
    virtual void grid_line(Pixel from, Pixel to) { line(from, to); }

private:
    DrawState state_;
};

// A real pixel coordinate truncated to a whole pixel, as every outline does. A value within a
// millionth of a whole number is taken as that number, so that a point turned by 180 degrees
// (49.99999999 after the sines and cosines) lands where it would without rounding noise; values
// far outside any picture are held at +-10,000,000 and a value that is not a number gives 0.
int to_pixel(double value);

// Text sizes in points become pixels at 96 dots per inch: 8 points are 10.7 pixels.
constexpr double text_pixels(double points) { return points * 96.0 / 72.0; }

} // namespace halvern
