#include <gtest/gtest.h>

#include "geometry/canvas_adapters.h"
#include "geometry/recording_canvas.h"

using namespace halvern;

namespace {

// One of every primitive, in a drawing state of its own.
void draw_everything(Canvas& c)
{
    c.set_colour(10, 20, 30);
    c.set_line(line_dash, 3);
    c.set_smooth(false);
    c.line({10, 20}, {30, 40});
    const std::vector<Pixel> points = {{1, 2}, {50, 60}, {5, 80}};
    c.polyline(points);
    c.box({100, 110, 20, 30}, true);
    c.rounded_box({5, 6, 7, 8}, 2, false);
    c.polygon(points, true);
    c.closed_curve(points, false);
    GradientShape shape;
    shape.kind = GradientShape::Kind::closed_curve;
    shape.points = points;
    c.gradient_fill(shape, 1, 2, {7, 7});
    c.arc({0, 0, 40, 40}, 10, 90);
    c.ellipse({200, 210, 10, 10}, false);
    c.text({300, 310}, "DOUBLON", 8);
}

} // namespace

TEST(OffsetCanvas, MovesEveryPrimitiveAndKeepsItsState)
{
    RecordingCanvas whole, tile;
    draw_everything(whole);
    OffsetCanvas shifted(tile, 100, 200);
    draw_everything(shifted);
    ASSERT_EQ(whole.primitives().size(), tile.primitives().size());
    for (size_t k = 0; k < whole.primitives().size(); ++k) {
        const Primitive &a = whole.primitives()[k], &b = tile.primitives()[k];
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.state.colour, b.state.colour);
        EXPECT_EQ(a.state.line_style, b.state.line_style);
        EXPECT_EQ(a.state.line_width, b.state.line_width);
        EXPECT_EQ(a.state.smooth, b.state.smooth);
        ASSERT_EQ(a.points.size(), b.points.size());
        for (size_t p = 0; p < a.points.size(); ++p)
            EXPECT_EQ(b.points[p], (Pixel{a.points[p].x - 100, a.points[p].y - 200}));
        using Kind = Primitive::Kind;
        if (a.kind == Kind::box || a.kind == Kind::rounded_box || a.kind == Kind::arc || a.kind == Kind::ellipse) {
            EXPECT_EQ(b.bounds, (PixelRect{a.bounds.x - 100, a.bounds.y - 200, a.bounds.width, a.bounds.height}));
        }
        EXPECT_EQ(b.text, a.text);
    }
    EXPECT_EQ(tile.primitives()[6].centre, (Pixel{-93, -193})); // the shaded fill's centre too
}

TEST(BoundsCanvas, HoldsEverythingDrawnWithItsPenAndText)
{
    BoundsCanvas bounds;
    EXPECT_TRUE(bounds.empty());
    bounds.set_line(line_solid, 5);
    bounds.line({10, 20}, {30, 40});
    EXPECT_FALSE(bounds.empty());
    EXPECT_LE(bounds.left(), 10 - 2);
    EXPECT_GE(bounds.right(), 30 + 2);
    bounds.reset();
    bounds.text({100, 100}, "DOUBLON", 8);
    EXPECT_LE(bounds.left(), 100);
    // Seven characters of 8 points can never be wider than seven times their height.
    EXPECT_GE(bounds.right(), 100 + int(7 * text_pixels(8)));
    EXPECT_GE(bounds.bottom(), 100 + int(text_pixels(8)));
    // A closed curve swings outside its points.
    bounds.reset();
    const std::vector<Pixel> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    bounds.closed_curve(square, false);
    EXPECT_LT(bounds.left(), -10);
    EXPECT_GT(bounds.right(), 110);
}

TEST(Replay, DrawsTheRecordingAgain)
{
    RecordingCanvas first, second;
    draw_everything(first);
    replay(first.primitives(), second);
    ASSERT_EQ(first.primitives().size(), second.primitives().size());
    for (size_t k = 0; k < first.primitives().size(); ++k) {
        const Primitive &a = first.primitives()[k], &b = second.primitives()[k];
        EXPECT_EQ(a.kind, b.kind);
        EXPECT_EQ(a.points, b.points);
        EXPECT_EQ(a.bounds, b.bounds);
        EXPECT_EQ(a.state.colour, b.state.colour);
        EXPECT_EQ(a.text, b.text);
        EXPECT_EQ(a.start, b.start);
        EXPECT_EQ(a.sweep, b.sweep);
    }
}
