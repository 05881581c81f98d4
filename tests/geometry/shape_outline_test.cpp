#include <gtest/gtest.h>

#include "geometry/component_drawing.h"
#include "geometry/recording_canvas.h"
#include "recording_helpers.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

using Kind = Primitive::Kind;

class ShapeOutline : public ::testing::Test {
protected:
    Component& shape(int code, double width, double depth) { return file_component(table, 150, code, width, depth); }

    RecordingCanvas draw(double angle = 0, bool smooth = true, double object_width = 0, double object_depth = 0)
    {
        ComponentLook look;
        look.x = 200;
        look.y = 200;
        look.angle = angle;
        look.component = 150;
        look.object_width = object_width;
        look.object_depth = object_depth;
        RecordingCanvas canvas;
        canvas.set_smooth(smooth);
        draw_component(canvas, table, {}, look);
        return canvas;
    }

    ComponentTable table;
};

} // namespace

TEST_F(ShapeOutline, SquareIsTheClosedFootprint)
{
    shape(shape_square, 100, 50);
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 1u);
    std::vector<Pixel> expected = {{150, 175}, {250, 175}, {250, 225}, {150, 225}, {150, 175}};
    EXPECT_EQ(c.primitives()[0].points, expected);

    Extent turned = extent_of(draw(90));
    EXPECT_EQ(turned.width(), 50);
    EXPECT_EQ(turned.height(), 100);
}

TEST_F(ShapeOutline, CircleUsesTheWidthAsDiameter)
{
    shape(shape_circle, 80, 40);
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 1u);
    EXPECT_EQ(c.primitives()[0].kind, Kind::ellipse);
    EXPECT_EQ(c.primitives()[0].bounds, (PixelRect{160, 160, 80, 80}));
    EXPECT_FALSE(c.primitives()[0].filled);
}

TEST_F(ShapeOutline, EllipseIsThirtySegmentsOfTwelveDegrees)
{
    shape(shape_ellipse, 80, 40);
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 1u);
    const Primitive& p = c.primitives()[0];
    EXPECT_EQ(p.kind, Kind::polyline);
    EXPECT_EQ(p.points.size(), 31u);
    EXPECT_EQ(p.points.front(), p.points.back());
    EXPECT_EQ(p.points.front(), (Pixel{200, 220})); // angle 0 is straight down
    Extent e = extent_of(p.points);
    EXPECT_NEAR(e.width(), 80, 1);
    EXPECT_EQ(e.height(), 40);
}

TEST_F(ShapeOutline, ArcIsTheUpperHalfOfTheEllipse)
{
    shape(shape_arc, 80, 40);
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 1u);
    const Primitive& p = c.primitives()[0];
    EXPECT_EQ(p.points.size(), 15u); // the segments from 96 to 264 degrees lie wholly inside
    for (const Pixel& q : p.points)
        EXPECT_LT(q.y, 200);
    EXPECT_EQ(extent_of(p.points).top, 180);

    // Turned half a turn it is the lower half.
    RecordingCanvas turned = draw(180);
    for (const Pixel& q : turned.primitives()[0].points)
        EXPECT_GT(q.y, 200);
}

TEST_F(ShapeOutline, CapsuleHasHalfCirclesAtTheEnds)
{
    shape(shape_capsule, 100, 40);
    RecordingCanvas c = draw(0, true);
    auto arcs = of_kind(c, Kind::arc);
    ASSERT_EQ(arcs.size(), 2u);
    // Radius 20, centres 30 cm either side of the centre.
    EXPECT_EQ(arcs[0].bounds, (PixelRect{210, 180, 40, 40}));
    EXPECT_DOUBLE_EQ(arcs[0].start, -90);
    EXPECT_DOUBLE_EQ(arcs[0].sweep, 180);
    EXPECT_EQ(arcs[1].bounds, (PixelRect{150, 180, 40, 40}));
    EXPECT_DOUBLE_EQ(arcs[1].start, -270);
    auto lines = of_kind(c, Kind::line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<Pixel>{{170, 180}, {230, 180}}));
    EXPECT_EQ(lines[1].points, (std::vector<Pixel>{{170, 220}, {230, 220}}));

    // Plain drawing makes the half circles of segments, on the same circles.
    RecordingCanvas plain = draw(0, false);
    auto halves = of_kind(plain, Kind::polyline);
    ASSERT_EQ(halves.size(), 2u);
    EXPECT_EQ(halves[0].points.size(), 16u);
    EXPECT_EQ(halves[0].points.front(), (Pixel{230, 220}));
    EXPECT_EQ(halves[0].points.back(), (Pixel{230, 180}));
    EXPECT_NEAR(extent_of(halves[0].points).right, 250, 1);
}

TEST_F(ShapeOutline, RoundedSquareHasCornersOfASixthOfTheDepth)
{
    shape(shape_rounded_square, 100, 60);
    RecordingCanvas c = draw(0, true);
    auto arcs = of_kind(c, Kind::arc);
    ASSERT_EQ(arcs.size(), 4u);
    for (const Primitive& a : arcs) {
        EXPECT_EQ(a.bounds.width, 20);
        EXPECT_DOUBLE_EQ(a.sweep, 90);
    }
    EXPECT_EQ(arcs[0].bounds, (PixelRect{230, 170, 20, 20})); // top right, centre (240, 180)
    auto lines = of_kind(c, Kind::line);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, (std::vector<Pixel>{{160, 170}, {240, 170}}));
    EXPECT_EQ(lines[1].points, (std::vector<Pixel>{{250, 180}, {250, 220}}));
}

TEST_F(ShapeOutline, TeeIsABarAlongTheFrontAndAStem)
{
    shape(shape_tee, 100, 50);
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 2u);
    Extent bar = extent_of(c.primitives()[0].points);
    EXPECT_EQ(bar.width(), 100);
    EXPECT_EQ(bar.height(), 2);
    EXPECT_EQ(bar.bottom, 225);
    Extent stem = extent_of(c.primitives()[1].points);
    EXPECT_EQ(stem.width(), 6);
    EXPECT_EQ(stem.height(), 50);
    EXPECT_EQ(stem.left, 197);
}

TEST_F(ShapeOutline, StarAndBean)
{
    shape(shape_star, 80, 60);
    RecordingCanvas star = draw();
    ASSERT_EQ(star.primitives().size(), 1u);
    EXPECT_EQ(star.primitives()[0].points.size(), 82u);
    Extent e = extent_of(star);
    EXPECT_LE(e.width(), 80);
    EXPECT_EQ(e.height(), 60); // the rays at 0 and 180 degrees reach the footprint's edges

    shape(shape_bean, 100, 60);
    RecordingCanvas bean = draw();
    ASSERT_EQ(bean.primitives().size(), 4u);
    for (const Primitive& p : bean.primitives())
        EXPECT_EQ(p.points.size(), 21u);
    // The outer side starts at (-W/2.3, -D/10) from the centre.
    EXPECT_EQ(bean.primitives()[0].points.front(), (Pixel{156, 194}));
}

TEST_F(ShapeOutline, EmptyAndUnknownShapesDrawNothing)
{
    for (int code : {1, 9, 11, 42, -3}) {
        shape(code, 80, 40);
        EXPECT_TRUE(draw().primitives().empty()) << code;
    }
}

TEST_F(ShapeOutline, ResizingFollowsTheObjectWidthForSquareEllipseAndArc)
{
    for (int code : {shape_square, shape_ellipse, shape_arc}) {
        shape(code, 100, 40).resize_x = 1;
        EXPECT_NEAR(extent_of(draw(0, true, 150, 40)).width(), 150, 1) << code;
    }
    shape(shape_circle, 80, 40).resize_x = 1;
    EXPECT_EQ(extent_of(draw(0, true, 150, 40)).width(), 80);
    shape(shape_tee, 100, 50).resize_x = 1;
    EXPECT_EQ(extent_of(draw(0, true, 150, 50)).width(), 100);

    shape(shape_square, 100, 40).resize_y = 1;
    EXPECT_EQ(extent_of(draw(0, true, 150, 70)).height(), 70);
}

TEST_F(ShapeOutline, AZeroSizeIsDrawnAtAHundred)
{
    shape(shape_square, 0, 0);
    Extent e = extent_of(draw());
    EXPECT_EQ(e.width(), 100);
    EXPECT_EQ(e.height(), 100);

    shape(shape_square, 80, 40).resize_x = 1; // an object width of 0 as well
    EXPECT_EQ(extent_of(draw(0, true, 0, 40)).width(), 100);
    shape(shape_circle, 0, 40);
    EXPECT_EQ(draw().primitives()[0].bounds.width, 100);
}

TEST_F(ShapeOutline, MagnetCirclesSitAtBothEndsUnlessSwitchedOff)
{
    shape(shape_empty, 100, 40).no_magnet = "0";
    RecordingCanvas c = draw();
    ASSERT_EQ(c.primitives().size(), 2u);
    EXPECT_EQ(c.primitives()[0].bounds, (PixelRect{148, 198, 4, 4}));
    EXPECT_EQ(c.primitives()[1].bounds, (PixelRect{248, 198, 4, 4}));
    RecordingCanvas turned = draw(90);
    EXPECT_EQ(turned.primitives()[0].bounds, (PixelRect{198, 148, 4, 4}));

    shape(shape_empty, 100, 40).no_magnet = ""; // no key in the file counts as 0
    EXPECT_EQ(draw().primitives().size(), 2u);
    shape(shape_empty, 100, 40).no_magnet = "1";
    EXPECT_TRUE(draw().primitives().empty());
}

TEST_F(ShapeOutline, DrawColourReadsRedFromTheLowByte)
{
    shape(shape_square, 100, 40).draw_color = 0xFF00AA; // "ff00aa" in the definition file
    RecordingCanvas c = draw();
    EXPECT_EQ(colour_red(c.primitives()[0].colour()), 0xAA);
    EXPECT_EQ(colour_green(c.primitives()[0].colour()), 0x00);
    EXPECT_EQ(colour_blue(c.primitives()[0].colour()), 0xFF);
}

TEST_F(ShapeOutline, FadedObjectsAreLightenedAndZeroIntensityIsFull)
{
    shape(shape_square, 100, 40).draw_color = 0xFF00AA;
    ComponentLook look;
    look.component = 150;
    look.intensity = 0.4;
    EXPECT_EQ(draw_one(table, look).primitives()[0].colour(), make_colour(221, 153, 255));
    look.intensity = 0;
    EXPECT_EQ(draw_one(table, look).primitives()[0].colour(), 0xFF00AA);
}

TEST_F(ShapeOutline, PlanViewPlacesThePaletteColumnAndOffsets)
{
    shape(shape_square, 100, 40);
    ComponentLook look;
    look.component = 150;
    look.x = 100;
    look.y = 50;
    PlanView plain_view{2, 0, 0, false};
    EXPECT_EQ(extent_of(draw_one(table, look, plain_view)).left, 100);
    PlanView plan{2, 10, 5, true};
    Extent e = extent_of(draw_one(table, look, plan));
    EXPECT_EQ(e.left, 75 + 2 * (50 + 10)); // the 75 pixels once, whatever the zoom
    EXPECT_EQ(e.top, 2 * (30 + 5));
}

TEST_F(ShapeOutline, LineWidthFollowsTheZoomAndTheBoost)
{
    shape(shape_square, 100, 40);
    ComponentLook look;
    look.component = 150;
    auto width_at = [&](double zoom, int boost) {
        look.line_boost = boost;
        return draw_one(table, look, {zoom, 0, 0, false}).primitives()[0].width();
    };
    EXPECT_EQ(width_at(1, 0), 1);
    EXPECT_EQ(width_at(6, 0), 2); // 1.5 rounds half away from zero
    EXPECT_EQ(width_at(8, 0), 2);
    EXPECT_EQ(width_at(1, 2), 2);
    EXPECT_EQ(width_at(1, -5), 1);
}

TEST_F(ShapeOutline, NothingIsDrawnForAFreeOrMissingNumberOrABrokenZoom)
{
    ComponentLook look;
    look.component = 151; // free
    EXPECT_TRUE(draw_one(table, look).primitives().empty());
    look.component = 6000;
    EXPECT_TRUE(draw_one(table, look).primitives().empty());
    look.component = -1;
    EXPECT_TRUE(draw_one(table, look).primitives().empty());
    shape(shape_square, 100, 40);
    look.component = 150;
    EXPECT_TRUE(draw_one(table, look, {0, 0, 0, true}).primitives().empty());
}

TEST_F(ShapeOutline, PointListTakesDrawRotationExceptInTheFrontView)
{
    Component& c = shape(shape_point_list, 100, 50);
    c.draw = "|0|0|100|0|100|50|0|50|";
    c.draw_rotation = "90";
    c.draw_fill = "1";
    RecordingCanvas plan = draw(0);
    ASSERT_EQ(plan.primitives().size(), 1u);
    EXPECT_EQ(plan.primitives()[0].kind, Kind::polygon); // filled
    Extent e = extent_of(plan);
    EXPECT_EQ(e.width(), 50);
    EXPECT_EQ(e.height(), 100);

    ComponentLook front;
    front.component = 150;
    front.x = 200;
    front.y = 200;
    front.front_view = true;
    RecordingCanvas f = draw_one(table, front);
    ASSERT_EQ(f.primitives().size(), 1u);
    EXPECT_EQ(f.primitives()[0].kind, Kind::polyline); // never filled
    EXPECT_EQ(extent_of(f).width(), 100);              // the object's rotation only
}

TEST_F(ShapeOutline, PointListOptionsComeFromTheComponent)
{
    Component& c = shape(shape_point_list, 100, 50);
    c.draw = "|0|0|100|0|100|50|0|50|";
    c.draw_mirror = 1;
    c.draw_open = "1";
    RecordingCanvas m = draw();
    ASSERT_EQ(m.primitives()[0].points.size(), 4u);
    EXPECT_EQ(m.primitives()[0].points[0], (Pixel{150, 225}));
    c.draw_mirror = 2; // anything but 1 is no mirror
    EXPECT_EQ(draw().primitives()[0].points[0], (Pixel{250, 225}));
}

TEST_F(ShapeOutline, TurtlePathIgnoresThePointListOptions)
{
    Component& c = shape(shape_turtle_path, 100, 40);
    c.draw = "FD10";
    c.draw_rotation = "90";
    c.draw_mirror = 1;
    c.draw_color = 0x0000FF;
    RecordingCanvas t = draw();
    ASSERT_EQ(t.primitives().size(), 1u);
    EXPECT_EQ(t.primitives()[0].points, (std::vector<Pixel>{{250, 180}, {250, 170}}));
    EXPECT_EQ(t.primitives()[0].colour(), make_colour(255, 0, 0));
}
