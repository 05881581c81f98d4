#include "base/colour_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "support/test_support.h"

namespace halvern {
namespace {

std::vector<std::vector<std::string>> table(const char* name)
{
    std::ifstream in(testing::source_dir() / "tests/fixtures/colour_model" / name);
    std::vector<std::vector<std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        rows.emplace_back();
        for (std::string w; words >> w;)
            rows.back().push_back(w);
    }
    return rows;
}

TEST(ColourModel, EdgeCasesOfTheConversions)
{
    EXPECT_EQ(rgb_to_cmyk(0, 0, 0), (Cmyk{0, 0, 0, 255}));
    EXPECT_EQ(rgb_to_cmyk(255, 255, 255), (Cmyk{0, 0, 0, 0}));
    for (int n : {0, 1, 51, 128, 254, 255}) { // black ink alone: a plain grey, no corrections
        const auto grey = std::uint8_t(255 - n);
        EXPECT_EQ(cmyk_to_rgb(0, 0, 0, n), (Rgb{grey, grey, grey})) << n;
    }
    const Hsl grey = rgb_to_hsl(128, 128, 128);
    EXPECT_EQ(grey.h, 0);
    EXPECT_EQ(grey.s, 0.0);
    EXPECT_NEAR(grey.l, 128 / 255.0, 1e-12);
    // Hues round half away from zero before they wrap: -0.25 degrees is 0, -0.5 is -1, so 359.
    EXPECT_EQ(rgb_to_hsl(240, 0, 1).h, 0);
    EXPECT_EQ(rgb_to_hsl(120, 0, 1).h, 359);
}

// Worked by hand from the ink rules:
//  pure cyan: C' = 1, so R = 0, G = 255 - 61, B = 255 - 15; no overlap; the plain colour is fully saturated.
//  cyan + magenta: G = -61, R = -36, B = 255 - 15 - 140 = 100; overlap w = 128 doubles R and adds
//  128/255 of G and B: B = 150.196; negatives clamp to 0.
//  C 102 over N 51: C' = 0.52, J' = M' = 0.2; plain (122.4, 204, 204) -> (122, 204, 204), s = 82/184;
//  corrected (115.2, 166.28, 168.2), mean 149.893 -> (134.43, 157.20, 158.05).
TEST(ColourModel, InkCorrectionsWorkedByHand)
{
    EXPECT_EQ(cmyk_to_rgb(255, 0, 0, 0), (Rgb{0, 194, 240}));
    EXPECT_EQ(cmyk_to_rgb(0, 0, 255, 0), (Rgb{219, 0, 115}));
    EXPECT_EQ(cmyk_to_rgb(0, 255, 0, 0), (Rgb{255, 225, 0}));
    EXPECT_EQ(cmyk_to_rgb(255, 0, 255, 0), (Rgb{0, 0, 150}));
    EXPECT_EQ(cmyk_to_rgb(102, 0, 0, 51), (Rgb{134, 157, 158}));
    EXPECT_EQ(cmyk_to_rgb(102, 51, 0, 0), (Rgb{153, 225, 198})); // G = 224.6
    EXPECT_EQ(cmyk_to_rgb(255, 255, 255, 255), (Rgb{0, 0, 0}));
}

TEST(ColourModel, RgbGridAgainstExactReference)
{
    const auto rows = table("rgb_to_hsl_cmyk.txt");
    ASSERT_EQ(rows.size(), 729u);
    for (const auto& w : rows) {
        const int r = std::stoi(w[0]), g = std::stoi(w[1]), b = std::stoi(w[2]);
        const Hsl hsl = rgb_to_hsl(r, g, b);
        EXPECT_EQ(hsl.h, std::stoi(w[3])) << w[0] << ' ' << w[1] << ' ' << w[2];
        EXPECT_NEAR(hsl.s, std::stoi(w[4]) / 1e6, 0.6e-6);
        EXPECT_NEAR(hsl.l, std::stoi(w[5]) / 1e6, 0.6e-6);
        EXPECT_EQ(rgb_to_cmyk(r, g, b), (Cmyk{std::stoi(w[6]), std::stoi(w[7]), std::stoi(w[8]), std::stoi(w[9])}))
            << w[0] << ' ' << w[1] << ' ' << w[2];
    }
}

TEST(ColourModel, InkGridAgainstExactReference)
{
    const auto rows = table("cmyk_to_rgb.txt");
    ASSERT_EQ(rows.size(), 625u);
    for (const auto& w : rows) {
        const Rgb got = cmyk_to_rgb(std::stoi(w[0]), std::stoi(w[1]), std::stoi(w[2]), std::stoi(w[3]));
        // A channel whose exact value lies on a half may round either way in floating point.
        const int slack = w.size() > 7 ? 1 : 0;
        const int want[3] = {std::stoi(w[4]), std::stoi(w[5]), std::stoi(w[6])};
        const int have[3] = {got.r, got.g, got.b};
        for (int k = 0; k < 3; ++k)
            EXPECT_LE(std::abs(have[k] - want[k]), slack) << w[0] << ' ' << w[1] << ' ' << w[2] << ' ' << w[3];
    }
}

} // namespace
} // namespace halvern
