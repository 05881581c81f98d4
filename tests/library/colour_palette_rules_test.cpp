#include <gtest/gtest.h>

#include <cmath>

#include "library/colour_palette_rules.h"

using namespace halvern;

namespace {

ColourLibrary three_colours()
{
    return parse_colour_library("\"Rouge\",200,10,10,0,0.3,0,0,0\r\n"
                                "\"Rouge clair\",230,40,40,0,0.3,0,0,0\r\n"
                                "\"Bleu\",10,10,200,0.5,0.9,0,0,0\r\n",
                                "t.lib");
}

} // namespace

TEST(ColourSearch, SmallestToleranceFirstInListOrder)
{
    const ColourLibrary lib = three_colours();
    const std::vector<int> order = {0, 1, 2};
    auto exact = find_nearest_colour(lib, order, {200, 10, 10});
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->record, 0);
    EXPECT_EQ(exact->tolerance, 0);

    // 215,25,25 lies 15 from both reds: the first in the list wins, and the list may be sorted.
    EXPECT_EQ(find_nearest_colour(lib, order, {215, 25, 25})->record, 0);
    EXPECT_EQ(find_nearest_colour(lib, {2, 1, 0}, {215, 25, 25})->record, 1);

    // 47 from blue on green, 37 from it on red and blue: the largest difference decides.
    auto at37 = find_nearest_colour(lib, order, {47, 57, 163});
    ASSERT_TRUE(at37);
    EXPECT_EQ(at37->record, 2);
    EXPECT_EQ(at37->tolerance, 47);
    at37 = find_nearest_colour(lib, order, {47, 47, 163});
    EXPECT_EQ(at37->tolerance, 37);

    EXPECT_EQ(find_nearest_colour(lib, order, {150, 10, 60})->tolerance, 50);
    EXPECT_EQ(find_nearest_colour(lib, order, {100, 110, 100})->tolerance, 100); // inclusive
    EXPECT_FALSE(find_nearest_colour(lib, order, {100, 111, 100}));              // past 100: nothing
    EXPECT_FALSE(find_nearest_colour(lib, {}, {0, 0, 0}));
}

TEST(ColourBars, BandsAndClampedValues)
{
    EXPECT_EQ(colour_bar_at(30, 410), 1);
    EXPECT_EQ(colour_bar_at(296, 430), 1);
    EXPECT_EQ(colour_bar_at(100, 431), 0); // between R and V
    EXPECT_EQ(colour_bar_at(100, 500), 4); // C
    EXPECT_EQ(colour_bar_at(100, 640), 9); // S
    EXPECT_EQ(colour_bar_at(29, 500), 0);
    EXPECT_EQ(colour_bar_at(297, 500), 0);
    EXPECT_EQ(colour_bar_value(-500), 0);
    EXPECT_EQ(colour_bar_value(36), 0);
    EXPECT_EQ(colour_bar_value(100), 64);
    EXPECT_EQ(colour_bar_value(291), 255);
    EXPECT_EQ(colour_bar_value(5000), 255);

    EXPECT_EQ(percent_of_bar(0), "0%");
    EXPECT_EQ(percent_of_bar(128), "50%"); // 50.2
    EXPECT_EQ(percent_of_bar(255), "100%");
    EXPECT_EQ(percent_of_unit(0.375), "38%");
    EXPECT_DOUBLE_EQ(unit_of_percent_text("37%"), 0.37);
    EXPECT_DOUBLE_EQ(unit_of_percent_text("12,5"), 0.125);
    EXPECT_EQ(unit_of_percent_text("250%"), 1.0);
}

TEST(ColourPreview, LightsAndBall)
{
    // At the light itself d = 0: far above 255, clamped. Front centre: d = cbrt(1800) = 12.16.
    EXPECT_EQ(ball_lights(-30, -30, -30).front, 255);
    const BallLights centre = ball_lights(0, 0, -30);
    EXPECT_NEAR(centre.front, 255 - (std::cbrt(1800.0) - 12) / 3 * 155, 1.0);
    EXPECT_EQ(centre.back, 0); // cbrt(5400) = 17.5: far past the back light's reach
    EXPECT_EQ(ball_lights(21, 21, 0).back, 255);

    EXPECT_FALSE(ball_pixel({255, 0, 0}, 0, 0, {255, 255, 255}, 30, 1));
    const Rgb red = *ball_pixel({255, 0, 0}, 0, 0, {255, 255, 255}, 0, 0);
    EXPECT_EQ(red.g, 0); // no shininess, no highlight
    const Rgb shiny = *ball_pixel({255, 0, 0}, 1, 0, {255, 255, 255}, -15, -15);
    EXPECT_GT(shiny.g, 100);
    const Rgb clear = *ball_pixel({255, 0, 0}, 0, 1, {10, 20, 30}, 0, 0);
    EXPECT_EQ(clear, (Rgb{10, 20, 30}));
}

TEST(SwatchChart, RangesGraduationsAndOrder)
{
    const ColourLibrary lib = three_colours();
    const SwatchChart chart = swatch_chart(lib);
    EXPECT_EQ(chart.hue.low, 0);
    EXPECT_EQ(chart.hue.high, 240);
    EXPECT_EQ(chart.order, (std::vector<int>{1, 0, 2})); // same hue: the less saturated first
    const auto marks = chart.hue.graduations();
    ASSERT_EQ(marks.size(), 11u);
    EXPECT_EQ(marks[1], 24);
    EXPECT_EQ(chart.lightness.position(chart.lightness.high), 1.0);
    EXPECT_EQ(swatch_chart(ColourLibrary{}).order.size(), 0u);
    EXPECT_EQ((ChartAxis{5, 5}).position(5), 0.5);
}
