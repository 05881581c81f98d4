#pragma once
// Colours as the program shows, prints and stores them: a screen colour in red, green and blue,
// and the conversions to and from the HSL and CMYK models that the colour palette displays. The
// CMYK inks are named by their French initials, as the palette shows them: C cyan, J yellow
// (jaune), M magenta, N black (noir).

#include <cstdint>

namespace halvern {

struct Rgb {
    std::uint8_t r = 255, g = 255, b = 255;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct Hsl {
    int h = 0;      // whole degrees 0..359
    double s = 0;   // 0..1
    double l = 0;   // 0..1
};

struct Cmyk {
    int c = 0, j = 0, m = 0, n = 0; // 0..255 each
    friend bool operator==(const Cmyk&, const Cmyk&) = default;
};

// Channels 0..255. A grey has hue 0 and saturation 0.
Hsl rgb_to_hsl(int red, int green, int blue);

// Channels 0..255; black is pure N (255) with no colour inks.
Cmyk rgb_to_cmyk(int red, int green, int blue);

// The screen colour a print of these inks shows: the inks are layered over the black, then the
// corrections for how real inks behave are applied (cross-talk between inks, the darkening where
// cyan and magenta overlap, and the saturation of the plain conversion kept). Inks 0..255; a print
// of black ink alone is a plain grey.
Rgb cmyk_to_rgb(int c, int j, int m, int n);

} // namespace halvern
