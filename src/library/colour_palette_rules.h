#pragma once
// What the colour palette computes, apart from its window: the search for the library colour
// nearest to typed channels, the nine channel bars, the percentage fields, the shading of the
// preview ball and the axes of the swatch chart. Kept here so that each rule is tested alone.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/colour_model.h"
#include "library/colour_library.h"

namespace halvern {

// --- "Chercher" ---------------------------------------------------------------------------------

struct ColourMatch {
    int record = -1;    // index into the library
    int tolerance = 0;  // the p that found it, 0..100
};

// Walks `order` (record indices as the list shows them) for p = 0, 1, ..., 100 and gives the first
// record whose red, green and blue each lie within p of the target (inclusive), at the smallest p
// that finds one; nothing when every colour differs by more than 100 on some channel.
std::optional<ColourMatch> find_nearest_colour(const ColourLibrary& library, const std::vector<int>& order,
                                               Rgb target);

// --- The channel bars ---------------------------------------------------------------------------

// The bars in the order R, V, B, C, J, M, N, T, S (numbers 1..9 as the drag state counts them).
inline constexpr int colour_bar_count = 9;
inline constexpr int colour_bar_left = 30;
inline constexpr int colour_bar_right = 296;
inline constexpr int colour_bar_origin = 36; // x of value 0

struct BarBand {
    int top, bottom; // the band a press must fall in, top..bottom inclusive
};
BarBand colour_bar_band(int bar); // bar 1..9

// The bar whose band holds the point, 1..9, or 0 for none.
int colour_bar_at(int x, int y);

// The value a drag at x gives: x - 36 clamped to 0..255.
int colour_bar_value(int x);

// Transparency and shininess as their fields show them.
std::string percent_of_bar(int value);     // 0..255 -> "0%".."100%"
std::string percent_of_unit(double value); // 0..1 -> "0%".."100%"
// The 0..1 value a percentage field holds ("37%", "37" -> 0.37), clamped to 0..1.
double unit_of_percent_text(std::string_view text);

// --- The preview ball ---------------------------------------------------------------------------

// The two point lights, in the ball's own units (radius 30, the viewer looking along +z), give at a
// surface point 255 - (d - 12) / 3 x 155 and 255 - (d - 12) / 3 x 355, where d is the cube root of
// the squared distance to the light; each clamped to 0..255 and rounded.
struct BallLights {
    int front, back;
};
BallLights ball_lights(double x, double y, double z);
inline constexpr double ball_radius = 30;

// The colour of the ball at (x, y) of its disc (ball units, radius 30); nothing outside the disc.
// The shininess scales the highlight; the transparency mixes the background in.
std::optional<Rgb> ball_pixel(Rgb colour, double shininess, double transparency, Rgb background, double x,
                              double y);

// --- The swatch chart ---------------------------------------------------------------------------

// One axis, from the smallest to the largest value of the library, graduated every tenth.
struct ChartAxis {
    double low = 0, high = 0;
    // Where value v falls, 0 at low and 1 at high (0.5 for an axis of one value).
    double position(double v) const { return high > low ? (v - low) / (high - low) : 0.5; }
    // The eleven graduations low, low + range / 10, ..., high.
    std::vector<double> graduations() const;
};

struct SwatchChart {
    ChartAxis hue;        // degrees
    ChartAxis saturation; // percent (S x 100)
    ChartAxis lightness;  // percent (L x 100)
    // The records in the chart's order: by hue, then saturation, then lightness.
    std::vector<int> order;
};
SwatchChart swatch_chart(const ColourLibrary& library);

} // namespace halvern
