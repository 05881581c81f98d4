#include <gtest/gtest.h>

#include <string>

#include "geometry/recording_canvas.h"
#include "geometry/turtle.h"

using namespace halvern;

TEST(ScaleFdPath, ScalesEveryUpperCaseForwardDistance)
{
    EXPECT_EQ(scale_fd_path("FD10 LT90 FD10", 0.5), "FD5 LT90 FD5 ");
    EXPECT_EQ(scale_fd_path("FD10 LT90 FD10", 2), "FD20 LT90 FD20 ");
    // The whole argument is replaced, not only its first digits.
    EXPECT_EQ(scale_fd_path("FD100", 0.5), "FD50 ");
    EXPECT_EQ(scale_fd_path("FD25", 0.5), "FD12.5 ");
    EXPECT_EQ(scale_fd_path("FD10", 0.333), "FD3.3 ");
    EXPECT_EQ(scale_fd_path("FD-4", 1.5), "FD-6 ");
}

TEST(ScaleFdPath, LeavesEverythingElseAsWritten)
{
    EXPECT_EQ(scale_fd_path("fd10", 2), "fd10 ");
    EXPECT_EQ(scale_fd_path("BK10 LT45 RT30", 2), "BK10 LT45 RT30 ");
    EXPECT_EQ(scale_fd_path("", 2), " ");
}

TEST(ScaleFdPath, ReadsAMissingOrDetachedArgumentAsZero)
{
    EXPECT_EQ(scale_fd_path("FD 25", 2), "FD0 25 ");
    EXPECT_EQ(scale_fd_path("LT90 FD", 2), "LT90 FD0 ");
    EXPECT_EQ(scale_fd_path("FDX", 2), "FD0 ");
}

TEST(ScaleFdPath, ReducesRunsOfBlanks)
{
    EXPECT_EQ(scale_fd_path("PU   FD10  PD", 1), "PU FD10 PD ");
}

namespace {

std::vector<Primitive> run(std::string_view commands, double x = 100, double y = 100, double heading = 0)
{
    RecordingCanvas canvas;
    Turtle turtle(canvas);
    turtle.place(x, y, heading);
    turtle.run(commands);
    return canvas.primitives();
}

} // namespace

TEST(Turtle, HeadingZeroIsUpAndTurnsGrowClockwise)
{
    auto lines = run("FD10 RT90 FD10 LT90 FD5 TT180 FD20 BK5");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].points, (std::vector<Pixel>{{100, 100}, {100, 90}}));
    EXPECT_EQ(lines[1].points, (std::vector<Pixel>{{100, 90}, {110, 90}}));
    EXPECT_EQ(lines[2].points, (std::vector<Pixel>{{110, 90}, {110, 85}}));
    EXPECT_EQ(lines[3].points, (std::vector<Pixel>{{110, 85}, {110, 105}}));
    EXPECT_EQ(lines[4].points, (std::vector<Pixel>{{110, 105}, {110, 100}}));
}

TEST(Turtle, PenUpMovesWithoutDrawing)
{
    auto lines = run("PU FD10 PD FD10");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Pixel>{{100, 90}, {100, 80}}));
}

TEST(Turtle, AcceptsArgumentsAfterBlanksAndAnyCase)
{
    auto lines = run("tt 90 fd 10");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[1], (Pixel{110, 100}));
}

TEST(Turtle, SkipsWhatItDoesNotKnowAndAlwaysEnds)
{
    auto lines = run("XX10 FD10 ?? 12 HOME -- FD.5.5 RT");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points[1], (Pixel{100, 90}));

    std::string noise(200'000, '|');
    for (size_t i = 0; i < noise.size(); i += 7)
        noise[i] = 'F';
    EXPECT_TRUE(run(noise).empty());
    EXPECT_TRUE(run("FD1e308 FD1e308 BK1e308").size() == 3u); // far away, yet finite
}

TEST(TurtlePath, StartsAtTheTopRightCornerHeadingUp)
{
    RecordingCanvas canvas;
    // Footprint 100 x 40 centred on (50, 50) at zoom 2: the corner is at pixel (200, 60).
    draw_turtle_path(canvas, 2, "FD5 LT90 FD10", 50, 50, 100, 40, 0);
    ASSERT_EQ(canvas.primitives().size(), 2u);
    EXPECT_EQ(canvas.primitives()[0].points, (std::vector<Pixel>{{200, 60}, {200, 50}}));
    EXPECT_EQ(canvas.primitives()[1].points, (std::vector<Pixel>{{200, 50}, {180, 50}}));
}

TEST(TurtlePath, TurnsWithTheComponentAndDrawsPlain)
{
    RecordingCanvas canvas;
    canvas.set_smooth(true);
    // Turned by 90 degrees, the corner that was top right is bottom right, heading right.
    draw_turtle_path(canvas, 1, "FD10", 50, 50, 100, 40, 90);
    ASSERT_EQ(canvas.primitives().size(), 1u);
    EXPECT_EQ(canvas.primitives()[0].points, (std::vector<Pixel>{{70, 100}, {80, 100}}));
    EXPECT_FALSE(canvas.primitives()[0].state.smooth);
    EXPECT_TRUE(canvas.smooth()); // restored afterwards
}
