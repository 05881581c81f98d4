#include "geometry/canvas.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace halvern {

int faded_channel(int channel, double intensity)
{
    if (!std::isfinite(intensity))
        intensity = 1;
    double value = 255.0 - (255.0 - std::clamp(channel, 0, 255)) * intensity;
    return std::clamp(round_to_int(value), 0, 255);
}

int to_pixel(double value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr double limit = 10'000'000.0;
    value = std::clamp(value, -limit, limit);
    // Truncated, except that a value within 1e-6 of a whole number is that number. Written without
    // a call to round(): this runs for every point of every outline of every redraw.
    const int whole = int(value);
    const double fraction = value - whole;
    constexpr double near_one = 1.0 - 1e-6;
    if (fraction > near_one)
        return whole + 1;
    if (fraction < -near_one)
        return whole - 1;
    return whole;
}

void Canvas::set_colour(int red, int green, int blue, double intensity)
{
    state_.colour = make_colour(faded_channel(red, intensity), faded_channel(green, intensity),
                                faded_channel(blue, intensity));
}

void Canvas::set_line(int style, int width)
{
    state_.line_style = style;
    state_.line_width = width;
}

} // namespace halvern
