#include "base/colour_model.h"

#include <algorithm>
#include <cstdlib>

#include "base/numbers.h"

namespace halvern {

namespace {

// num / den rounded half away from zero, for den > 0, in whole numbers: a value exactly halfway
// then rounds the same on every machine.
int divide_rounded(long num, long den)
{
    const long q = (2 * std::labs(num) + den) / (2 * den);
    return int(num < 0 ? -q : q);
}

int clamp_channel(int v) { return std::clamp(v, 0, 255); }

} // namespace

Hsl rgb_to_hsl(int red, int green, int blue)
{
    red = clamp_channel(red), green = clamp_channel(green), blue = clamp_channel(blue);
    const int high = std::max({red, green, blue});
    const int low = std::min({red, green, blue});
    Hsl out;
    out.l = (high + low) / 510.0;
    if (high == low)
        return out;
    const int spread = high - low;
    int hue;
    if (red == high)
        hue = divide_rounded(60L * (green - blue), spread);
    else if (green == high)
        hue = divide_rounded(60L * (blue - red) + 120L * spread, spread);
    else
        hue = divide_rounded(60L * (red - green) + 240L * spread, spread);
    out.h = normalize_degrees(hue);
    // In channel units: (max - min) / (max + min) when max + min <= 1, else / (2 - max - min).
    out.s = high + low <= 255 ? double(spread) / (high + low) : double(spread) / (510 - high - low);
    return out;
}

Cmyk rgb_to_cmyk(int red, int green, int blue)
{
    red = clamp_channel(red), green = clamp_channel(green), blue = clamp_channel(blue);
    // k = 1 - max / 255; each colour ink (1 - channel / 255 - k) / (1 - k) = (max - channel) / max.
    const int high = std::max({red, green, blue});
    Cmyk out;
    out.n = 255 - high;
    if (high == 0)
        return out;
    out.c = divide_rounded(255L * (high - red), high);
    out.m = divide_rounded(255L * (high - green), high);
    out.j = divide_rounded(255L * (high - blue), high);
    return out;
}

Rgb cmyk_to_rgb(int c_in, int j_in, int m_in, int n_in)
{
    c_in = clamp_channel(c_in), j_in = clamp_channel(j_in), m_in = clamp_channel(m_in), n_in = clamp_channel(n_in);
    if (c_in == 0 && j_in == 0 && m_in == 0) {
        const auto grey = std::uint8_t(255 - n_in); // (1 - N) x 255, exact
        return {grey, grey, grey};
    }
    const double c = c_in / 255.0, j = j_in / 255.0, m = m_in / 255.0, n = n_in / 255.0;
    const double cc = (1 - n) * c + n, jj = (1 - n) * j + n, mm = (1 - n) * m + n;
    double r = (1 - cc) * 255, g = (1 - mm) * 255, b = (1 - jj) * 255;

    // The saturation the plain conversion has, on whole channels, is kept after the corrections.
    const Hsl plain = rgb_to_hsl(round_to_int(r), round_to_int(g), round_to_int(b));

    // Cross-talk: each ink also absorbs some light of the other channels.
    g -= 61 * cc;
    b -= 15 * cc;
    r -= 36 * mm;
    b -= 140 * mm;
    g -= 30 * jj;

    // Overlap of cyan and magenta.
    const double w = std::max(0.0, 255 * cc + 255 * mm - 255) / 255 * 128;
    r += w * r / 128;
    g += w * g / 255;
    b += w * b / 255;

    const double s = plain.s;
    const double a = (r + g + b) / 3;
    r = r * s + a * (1 - s);
    g = g * s + a * (1 - s);
    b = b * s + a * (1 - s);

    auto channel = [](double v) { return std::uint8_t(round_to_int(std::clamp(v, 0.0, 255.0))); };
    return {channel(r), channel(g), channel(b)};
}

} // namespace halvern
