#include "library/colour_palette_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/numbers.h"

namespace halvern {

std::optional<ColourMatch> find_nearest_colour(const ColourLibrary& library, const std::vector<int>& order,
                                               Rgb target)
{
    // Each record is found first at the tolerance of its largest channel difference; the search
    // wants the smallest such tolerance, and among records that share it, the first in list order.
    std::optional<ColourMatch> best;
    for (int record : order) {
        if (record < 0 || record >= library.count())
            continue;
        const Rgb c = library.colours[size_t(record)];
        const int distance = std::max({std::abs(c.r - target.r), std::abs(c.g - target.g), std::abs(c.b - target.b)});
        if (distance <= 100 && (!best || distance < best->tolerance))
            best = ColourMatch{record, distance};
    }
    return best;
}

BarBand colour_bar_band(int bar)
{
    // R V B, then C J M N, then T S, each group after a small gap.
    static constexpr int tops[colour_bar_count] = {410, 435, 460, 490, 515, 540, 565, 595, 620};
    const int top = tops[std::clamp(bar, 1, colour_bar_count) - 1];
    return {top, top + 20};
}

int colour_bar_at(int x, int y)
{
    if (x < colour_bar_left || x > colour_bar_right)
        return 0;
    for (int bar = 1; bar <= colour_bar_count; ++bar) {
        const BarBand band = colour_bar_band(bar);
        if (y >= band.top && y <= band.bottom)
            return bar;
    }
    return 0;
}

int colour_bar_value(int x) { return std::clamp(x - colour_bar_origin, 0, 255); }

std::string percent_of_bar(int value) { return std::to_string(round_to_int(value / 2.55)) + "%"; }

std::string percent_of_unit(double value) { return std::to_string(round_to_int(value * 100)) + "%"; }

double unit_of_percent_text(std::string_view text)
{
    return std::clamp(parse_number_comma(text) / 100, 0.0, 1.0);
}

BallLights ball_lights(double x, double y, double z)
{
    auto measure = [&](double lx, double ly, double lz) {
        const double dx = x - lx, dy = y - ly, dz = z - lz;
        return std::cbrt(dx * dx + dy * dy + dz * dz);
    };
    auto level = [](double value) { return round_to_int(std::clamp(value, 0.0, 255.0)); };
    return {level(255 - (measure(-30, -30, -30) - 12) / 3 * 155), level(255 - (measure(30, 30, 30) - 12) / 3 * 355)};
}

std::optional<Rgb> ball_pixel(Rgb colour, double shininess, double transparency, Rgb background, double x, double y)
{
    const double rest = ball_radius * ball_radius - x * x - y * y;
    if (rest < 0)
        return std::nullopt;
    // The visible half faces the viewer, who looks along +z: its points have z <= 0, towards the
    // first light; the second light is behind and lights the rim.
    const BallLights lights = ball_lights(x, y, -std::sqrt(rest));
    const double diffuse = std::min(1.0, 0.2 + 0.7 * lights.front / 255.0 + 0.35 * lights.back / 255.0);
    const double highlight = std::clamp(shininess, 0.0, 1.0) * std::pow(lights.front / 255.0, 16) * 255;
    const double t = std::clamp(transparency, 0.0, 1.0);
    auto channel = [&](int c, int behind) {
        const double lit = std::min(255.0, c * diffuse + highlight);
        return std::uint8_t(round_to_int(std::clamp(lit * (1 - t) + behind * t, 0.0, 255.0)));
    };
    return Rgb{channel(colour.r, background.r), channel(colour.g, background.g), channel(colour.b, background.b)};
}

std::vector<double> ChartAxis::graduations() const
{
    std::vector<double> marks;
    for (int k = 0; k <= 10; ++k)
        marks.push_back(low + (high - low) * k / 10);
    return marks;
}

SwatchChart swatch_chart(const ColourLibrary& library)
{
    SwatchChart chart;
    struct Key {
        int h;
        double s, l;
    };
    std::vector<Key> keys;
    for (int i = 0; i < library.count(); ++i) {
        const Rgb c = library.colours[size_t(i)];
        const Hsl hsl = rgb_to_hsl(c.r, c.g, c.b);
        keys.push_back({hsl.h, hsl.s * 100, hsl.l * 100});
        chart.order.push_back(i);
    }
    if (keys.empty())
        return chart;
    auto range = [&](auto field) {
        ChartAxis axis{field(keys[0]), field(keys[0])};
        for (const Key& k : keys)
            axis.low = std::min(axis.low, field(k)), axis.high = std::max(axis.high, field(k));
        return axis;
    };
    chart.hue = range([](const Key& k) { return double(k.h); });
    chart.saturation = range([](const Key& k) { return k.s; });
    chart.lightness = range([](const Key& k) { return k.l; });
    std::stable_sort(chart.order.begin(), chart.order.end(), [&](int a, int b) {
        const Key &ka = keys[size_t(a)], &kb = keys[size_t(b)];
        if (ka.h != kb.h)
            return ka.h < kb.h;
        if (ka.s != kb.s)
            return ka.s < kb.s;
        return ka.l < kb.l;
    });
    return chart;
}

} // namespace halvern
