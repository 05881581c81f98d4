#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <random>

#include <limits>

#include "geometry/canvas.h"
#include "geometry/recording_canvas.h"

using namespace halvern;

TEST(SetColour, IntensityLightensTowardsWhite)
{
    RecordingCanvas c;
    c.set_colour(10, 128, 255, 1);
    EXPECT_EQ(c.colour(), make_colour(10, 128, 255));
    c.set_colour(10, 128, 255, 0.4);
    // 255 - (255 - c) * 0.4: 157, 204.2, 255
    EXPECT_EQ(c.colour(), make_colour(157, 204, 255));
    c.set_colour(10, 128, 255, 0);
    EXPECT_EQ(c.colour(), colour_white);
    c.set_colour(0, 0, 0, 0.5); // 127.5 rounds half away from zero
    EXPECT_EQ(c.colour(), make_colour(128, 128, 128));
}

TEST(SetColour, StaysWithinAChannelForAnyInput)
{
    EXPECT_EQ(faded_channel(300, 1), 255);
    EXPECT_EQ(faded_channel(-20, 1), 0);
    EXPECT_EQ(faded_channel(0, 2), 0);
    EXPECT_EQ(faded_channel(0, -1), 255);
    EXPECT_EQ(faded_channel(40, std::numeric_limits<double>::quiet_NaN()), 40);
}

TEST(ColourNumbers, LowByteIsRed)
{
    EXPECT_EQ(make_colour(0xAA, 0x00, 0xFF), 0xFF00AA);
    EXPECT_EQ(colour_red(0xFF00AA), 0xAA);
    EXPECT_EQ(colour_green(0x00FF00), 0xFF);
    EXPECT_EQ(colour_blue(0xFF00AA), 0xFF);
}

TEST(ToPixel, TruncatesButIgnoresRoundingNoise)
{
    EXPECT_EQ(to_pixel(12.99), 12);
    EXPECT_EQ(to_pixel(12.9999999999), 13);
    EXPECT_EQ(to_pixel(-3.7), -3);
    EXPECT_EQ(to_pixel(-3.0000000001), -3);
    EXPECT_EQ(to_pixel(1e300), 10'000'000);
    EXPECT_EQ(to_pixel(-1e300), -10'000'000);
    EXPECT_EQ(to_pixel(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(to_pixel(std::nan("")), 0);
    EXPECT_EQ(to_pixel(-4.9999995), -5);
    EXPECT_EQ(to_pixel(-4.999998), -4);
}

// The fast form must agree with the rule as first written (round, keep it when within 1e-6,
// else truncate) everywhere, and most of all next to whole numbers.
TEST(ToPixel, AgreesWithTheRoundingRule)
{
    auto reference = [](double v) {
        double nearest = std::round(v);
        return std::fabs(v - nearest) < 1e-6 ? int(nearest) : int(std::trunc(v));
    };
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> any(-20000, 20000);
    std::uniform_real_distribution<double> tiny(-3e-6, 3e-6);
    for (int k = 0; k < 200000; ++k) {
        double v = k % 2 ? any(rng) : std::round(any(rng)) + tiny(rng);
        ASSERT_EQ(to_pixel(v), reference(v)) << std::setprecision(17) << v;
    }
}

TEST(RecordingCanvas, KeepsEachPrimitiveWithItsState)
{
    RecordingCanvas c;
    c.set_colour(1, 2, 3);
    c.set_line(line_dot, 4);
    c.set_smooth(false);
    c.box({1, 2, 3, 4}, true);
    c.set_smooth(true);
    c.arc({0, 0, 10, 10}, 45, 90);
    c.text({5, 6}, "Haut.", 8);
    ASSERT_EQ(c.primitives().size(), 3u);
    const Primitive& box = c.primitives()[0];
    EXPECT_EQ(box.kind, Primitive::Kind::box);
    EXPECT_EQ(box.colour(), make_colour(1, 2, 3));
    EXPECT_EQ(box.state.line_style, line_dot);
    EXPECT_EQ(box.width(), 4);
    EXPECT_FALSE(box.state.smooth);
    EXPECT_TRUE(box.filled);
    EXPECT_TRUE(c.primitives()[1].state.smooth);
    EXPECT_DOUBLE_EQ(c.primitives()[1].sweep, 90);
    EXPECT_EQ(c.primitives()[2].text, "Haut.");
    EXPECT_NEAR(text_pixels(8), 10.67, 0.01);
}
