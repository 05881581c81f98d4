#include <gtest/gtest.h>

#include <string>

#include "geometry/point_path.h"
#include "geometry/recording_canvas.h"
#include "recording_helpers.h"

using namespace halvern;
using halvern::testing::extent_of;

namespace {

const std::string rectangle = "|0|0|100|0|100|50|0|50|";

RecordingCanvas draw(std::string_view path, PointPathOptions options, bool smooth = true)
{
    RecordingCanvas canvas;
    canvas.set_smooth(smooth);
    canvas.set_line(line_dash, 3);
    draw_point_path(canvas, 1.0, path, 200, 100, 100, 50, options);
    return canvas;
}

} // namespace

TEST(RotatePoint, TurnsClockwiseOnScreen)
{
    PointD p = rotate_point(10, 10, 20, 10, 90);
    EXPECT_NEAR(p.x, 10, 1e-9);
    EXPECT_NEAR(p.y, 20, 1e-9);
    p = rotate_point(10, 10, 20, 10, -90);
    EXPECT_NEAR(p.y, 0, 1e-9);
    p = rotate_point(5, 5, 5, 5, 123); // the centre itself stays
    EXPECT_NEAR(p.x, 5, 1e-12);
    EXPECT_NEAR(p.y, 5, 1e-12);
}

TEST(RotatePoint, OneTurnForManyPointsGivesTheSamePoints)
{
    // The drawing turns its points with a precomputed turn; it must agree with the shared routine.
    for (int a = -720; a <= 720; a += 7) {
        Rotation turn(a + 0.25);
        for (int i = 0; i < 50; ++i) {
            double px = (i * 37 % 201) - 100.5, py = (i * 53 % 157) - 70.25;
            PointD slow = rotate_point(12.5, -3, px, py, a + 0.25);
            PointD fast = turn.apply(12.5, -3, px, py);
            EXPECT_NEAR(fast.x, slow.x, 1e-9);
            EXPECT_NEAR(fast.y, slow.y, 1e-9);
        }
    }
}

TEST(PointListParse, MeasuresFromTheFootprintCorner)
{
    PointList list = parse_point_list("|0|0|100|50|", 100, 50, 1, 2);
    ASSERT_EQ(list.points.size(), 2u);
    EXPECT_DOUBLE_EQ(list.points[0].x, -49);
    EXPECT_DOUBLE_EQ(list.points[0].y, -23);
    EXPECT_DOUBLE_EQ(list.points[1].x, 51);
    EXPECT_DOUBLE_EQ(list.points[1].y, 27);
    EXPECT_FALSE(list.truncated);
}

TEST(PointListParse, TextOutsideTheFormatGivesNothing)
{
    for (std::string_view text : {"", "abc", "0|0|10|10|", " |0|0|10|10|", "|", "|5", "||1|2|"})
        EXPECT_TRUE(parse_point_list(text, 10, 10).points.empty()) << text;
    // A long text with no second bar ends at once.
    std::string long_text = "|" + std::string(1'000'000, '7');
    EXPECT_TRUE(parse_point_list(long_text, 10, 10).points.empty());
}

TEST(PointListParse, StopsAtAnEmptyFieldAndDropsALoneX)
{
    EXPECT_EQ(parse_point_list("|1|2|3|4||5|6|", 0, 0).points.size(), 2u);
    EXPECT_EQ(parse_point_list("|1|2|3|", 0, 0).points.size(), 1u);
    EXPECT_EQ(parse_point_list("|1|2|3|4", 0, 0).points.size(), 1u); // no bar after the last value
    PointList odd = parse_point_list("|a|2.5|x7|-3|", 0, 0);
    ASSERT_EQ(odd.points.size(), 2u);
    EXPECT_DOUBLE_EQ(odd.points[0].x, 0); // not a number reads as 0
    EXPECT_DOUBLE_EQ(odd.points[0].y, 2.5);
    EXPECT_DOUBLE_EQ(odd.points[1].x, 0);
    EXPECT_DOUBLE_EQ(odd.points[1].y, -3);
}

TEST(PointListParse, HoldsAtMostAThousandPoints)
{
    std::string text = "|";
    for (int i = 0; i < 1000; ++i)
        text += std::to_string(i) + "|1|";
    PointList full = parse_point_list(text, 0, 0);
    EXPECT_EQ(full.points.size(), 1000u);
    EXPECT_FALSE(full.truncated);

    PointList over = parse_point_list(text + "5|5|6|6|", 0, 0);
    EXPECT_EQ(over.points.size(), 1000u);
    EXPECT_TRUE(over.truncated);
    EXPECT_DOUBLE_EQ(over.points.back().x, 999);
}

TEST(DrawPointPath, TracesTheFootprintFromItsBottomRightCorner)
{
    RecordingCanvas canvas = draw(rectangle, {});
    ASSERT_EQ(canvas.primitives().size(), 1u);
    const Primitive& p = canvas.primitives()[0];
    EXPECT_EQ(p.kind, Primitive::Kind::polyline);
    // Centre (200, 100), footprint 100 x 50: the list's origin lands bottom right and its x axis
    // runs right to left; the outline closes on its first point.
    std::vector<Pixel> expected = {{250, 125}, {150, 125}, {150, 75}, {250, 75}, {250, 125}};
    EXPECT_EQ(p.points, expected);
    EXPECT_EQ(p.width(), 3); // smooth drawing keeps the current width
}

TEST(DrawPointPath, MirrorRunsTheXAxisLeftToRight)
{
    PointPathOptions mirror;
    mirror.mirror = true;
    RecordingCanvas canvas = draw(rectangle, mirror);
    std::vector<Pixel> expected = {{150, 125}, {250, 125}, {250, 75}, {150, 75}, {150, 125}};
    EXPECT_EQ(canvas.primitives()[0].points, expected);
}

TEST(DrawPointPath, OpenListsDoNotCloseAndFilledOnesHaveNoEdge)
{
    PointPathOptions open;
    open.open = true;
    EXPECT_EQ(draw(rectangle, open).primitives()[0].points.size(), 4u);
    EXPECT_EQ(draw(rectangle, {}).primitives()[0].points.size(), 5u);

    for (bool smooth : {true, false}) {
        PointPathOptions fill;
        fill.fill = true;
        RecordingCanvas canvas = draw(rectangle, fill, smooth);
        ASSERT_EQ(canvas.primitives().size(), 1u);
        EXPECT_EQ(canvas.primitives()[0].kind, Primitive::Kind::polygon);
        EXPECT_TRUE(canvas.primitives()[0].filled);
    }
}

TEST(DrawPointPath, PlainDrawingResetsTheLineToSolidAndThinnest)
{
    RecordingCanvas canvas = draw(rectangle, {}, false);
    EXPECT_EQ(canvas.primitives()[0].state.line_style, line_solid);
    EXPECT_EQ(canvas.primitives()[0].width(), 1);
    EXPECT_EQ(canvas.line_width(), 1);
}

TEST(DrawPointPath, TurnsMirrorsBeforeTurningAndFollowsTheZoom)
{
    PointPathOptions turned;
    turned.angle = 90;
    RecordingCanvas canvas = draw(rectangle, turned);
    // Turned a further 90 degrees: the footprint stands upright, 50 wide and 100 high.
    auto e = extent_of(canvas.primitives()[0].points);
    EXPECT_EQ(e.width(), 50);
    EXPECT_EQ(e.height(), 100);
    EXPECT_EQ(canvas.primitives()[0].points[0], (Pixel{175, 150}));

    RecordingCanvas zoomed;
    draw_point_path(zoomed, 2.0, rectangle, 200, 100, 100, 50, {});
    EXPECT_EQ(zoomed.primitives()[0].points[0], (Pixel{500, 250}));
}

TEST(DrawPointPath, NeedsTwoPoints)
{
    EXPECT_TRUE(draw("|1|1|", {}).primitives().empty());
    EXPECT_TRUE(draw("no bars", {}).primitives().empty());
}
