#include <gtest/gtest.h>

#include <cmath>

#include "geometry/component_drawing.h"
#include "geometry/recording_canvas.h"
#include "recording_helpers.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

using Kind = Primitive::Kind;

constexpr int grey = make_colour(128, 128, 128);
constexpr int magenta = make_colour(200, 0, 200);
constexpr int post_grey = make_colour(200, 200, 200);

// The records the catalogue gives these components, as far as the drawing reads them.
ComponentTable builtin_records()
{
    ComponentTable t;
    auto add = [&](int n, int library, double width, double depth, double style) {
        Component& c = t[n];
        c.name = "built-in " + std::to_string(n);
        c.library = library;
        c.width = width;
        c.depth = depth;
        c.style = style;
    };
    add(0, 0, 75.1, 12, 0);
    add(2, 0, 68.4, 50, 2);
    add(4, 0, 96.8, 4, 1);
    add(12, 0, 50, 4, 5); // a style with no figure
    add(2300, 23, 76.3, 3.7, 0);
    add(2302, 23, 74.123, 17.56, -90);
    add(2311, 23, 75.102, 6.693, 0);
    for (int n = 2312; n <= 2316; ++n)
        add(n, 23, 80, 3.8, 15);
    return t;
}

RecordingCanvas draw(const ComponentTable& t, int n, int detail = 0, double zoom = 4, std::string_view code = "OO",
                     double intensity = 1, int end_mode = 0)
{
    ComponentLook look;
    look.component = n;
    look.x = 100;
    look.y = 100;
    look.detail = detail;
    look.end_code = code;
    look.intensity = intensity;
    look.end_mode = end_mode;
    look.object_width = t[n].width;
    look.object_depth = t[n].depth;
    return draw_one(t, look, {zoom, 0, 0, false});
}

// The centre of the first filled piece in a colour (the post at end 1 of a frame).
double first_centre_x(const RecordingCanvas& c, int colour)
{
    for (const Primitive& p : c.primitives())
        if (p.filled && p.colour() == colour) {
            Extent e = extent_of(p.points);
            return (e.left + e.right) / 2.0;
        }
    return NAN;
}

} // namespace

TEST(BendOutline, DetailZeroShowsOnlyTheGreyBody)
{
    ComponentTable t = builtin_records();
    for (int detail : {0, 2}) {
        RecordingCanvas c = draw(t, 2302, detail);
        ASSERT_EQ(c.primitives().size(), 1u) << detail;
        const Primitive& body = c.primitives()[0];
        EXPECT_EQ(body.kind, Kind::polygon);
        EXPECT_TRUE(body.filled);
        EXPECT_EQ(body.colour(), grey);
        EXPECT_EQ(body.width(), 16); // 4 x zoom
        EXPECT_EQ(body.points.size(), 45u);
        Extent e = extent_of(body.points);
        EXPECT_NEAR(e.width(), 4 * 74.123, 1);
        EXPECT_NEAR(e.height(), 4 * 17.56, 1);
        EXPECT_EQ(c.colour(), colour_black); // colour and width come back
        EXPECT_EQ(c.line_width(), 1);
    }
}

TEST(BendOutline, DetailOneAddsTheCentreLineShiftedAcross)
{
    ComponentTable t = builtin_records();
    for (int detail : {1, 3}) {
        RecordingCanvas c = draw(t, 2302, detail);
        ASSERT_EQ(c.primitives().size(), 2u);
        const Primitive& line = c.primitives()[1];
        EXPECT_EQ(line.kind, Kind::polyline);
        EXPECT_EQ(line.colour(), magenta);
        EXPECT_EQ(line.width(), 1); // the normal width at zoom 4
        EXPECT_EQ(line.points.size(), 22u); // open: no closing point
        Extent e = extent_of(line.points);
        EXPECT_NEAR(e.width(), 4 * 71.449, 1);
        // Centred on the piece, then moved 2.65 cm across (turned with the list).
        EXPECT_NEAR((e.top + e.bottom) / 2.0, 4 * (100 - 2.65), 1);
    }
}

TEST(BendOutline, OuterBendsUseTheirOwnListsAndFade)
{
    ComponentTable t = builtin_records();
    RecordingCanvas c = draw(t, 2311, 1, 1, "OO", 0.4);
    ASSERT_EQ(c.primitives().size(), 2u);
    EXPECT_EQ(c.primitives()[0].points.size(), 45u);
    EXPECT_EQ(c.primitives()[1].points.size(), 64u);
    EXPECT_EQ(c.primitives()[0].colour(), make_colour(204, 204, 204));
    EXPECT_EQ(c.primitives()[1].colour(), make_colour(233, 153, 233));
}

TEST(BendOutline, PiecesWithoutARowDrawNothing)
{
    ComponentTable t = builtin_records();
    for (int n = 2312; n <= 2316; ++n)
        for (int detail = 0; detail <= 3; ++detail)
            EXPECT_TRUE(draw(t, n, detail).primitives().empty()) << n;
}

TEST(StraightPieceOutline, GreyBarOfTheWorkingWidthWithGuideLines)
{
    ComponentTable t = builtin_records();
    RecordingCanvas c = draw(t, 2300, 0, 1);
    ASSERT_EQ(c.primitives().size(), 1u);
    Extent e = extent_of(c.primitives()[0].points);
    EXPECT_NEAR(e.width(), 76.3, 1);
    EXPECT_NEAR(e.height(), 3.7, 1);
    EXPECT_EQ(c.primitives()[0].colour(), grey);

    t[2300].resize_x = 1;
    ComponentLook look;
    look.component = 2300;
    look.x = look.y = 100;
    look.object_width = 120;
    EXPECT_EQ(extent_of(draw_one(t, look)).width(), 120);

    RecordingCanvas guides = draw(t, 2300, 3, 1);
    EXPECT_EQ(of_colour(guides, magenta).size(), 3u);
}

TEST(FrameOutline, EachStyleAssemblesItsPiecesAroundTheFootprint)
{
    ComponentTable t = builtin_records();
    for (int n : {0, 2, 4}) {
        RecordingCanvas c = draw(t, n, 0, 1);
        EXPECT_GT(c.primitives().size(), 8u) << n;
        EXPECT_FALSE(of_colour(c, grey).empty()) << n;
        EXPECT_EQ(of_colour(c, post_grey).size(), 2u) << n; // two posts
        Extent e = extent_of(c);
        // Only the fabric's faces reach a little past the ends of a curved frame; the posts stand
        // 2.8 cm in from the ends of a lone frame.
        EXPECT_LE(e.width(), t[n].width + 3) << n;
        EXPECT_GE(e.width(), t[n].width - 2 * 2.8 + 4.13 - 1) << n;
        EXPECT_LE(e.height(), t[n].depth + 4) << n;
        EXPECT_TRUE(of_colour(c, magenta).empty() || n == 0) << n; // detail lines only on request
    }
}

TEST(FrameOutline, DetailModesAddInnerLines)
{
    ComponentTable t = builtin_records();
    size_t plain = of_colour(draw(t, 4, 0, 1), magenta).size();
    size_t one = of_colour(draw(t, 4, 1, 1), magenta).size();
    size_t two = of_colour(draw(t, 4, 2, 1), magenta).size();
    size_t three = of_colour(draw(t, 4, 3, 1), magenta).size();
    EXPECT_EQ(plain, 0u);
    EXPECT_GT(one, 0u);
    EXPECT_GT(two, 0u);
    EXPECT_EQ(three, one + two);
}

TEST(FrameOutline, EndCodesMoveThePostsAlongTheFrame)
{
    ComponentTable t = builtin_records();
    const double end1 = 100 - 96.8 / 2; // cm, zoom 10 below
    EXPECT_NEAR(first_centre_x(draw(t, 4, 0, 10, "OO"), post_grey), 10 * (end1 + 2.8), 1.5);
    EXPECT_NEAR(first_centre_x(draw(t, 4, 0, 10, "CO"), post_grey), 10 * end1, 1.5);
    EXPECT_NEAR(first_centre_x(draw(t, 4, 0, 10, "RO"), post_grey), 10 * (end1 - 2.8), 1.5);
    // A code the table does not know places both ends at (0, 0).
    EXPECT_NEAR(first_centre_x(draw(t, 4, 0, 10, "O?45"), post_grey), 10 * end1, 1.5);
}

TEST(FrameOutline, EndOffsetTable)
{
    struct Row {
        std::string_view code;
        double a, b;
    };
    for (Row r : {Row{"CO", 0, 2.8}, Row{"OC", 2.8, 0}, Row{"RC", -2.8, 0}, Row{"CR", 0, -2.8}, Row{"RO", -2.8, 2.8},
                  Row{"RR", -2.8, -2.8}, Row{"OR", 2.8, -2.8}, Row{"OO", 2.8, 2.8}, Row{"CC", 0, 0}, Row{"?90O", 0, 0},
                  Row{"", 0, 0}, Row{"oo", 0, 0}}) {
        EndOffsets o = end_offsets(r.code);
        EXPECT_EQ(o.end1, r.a) << r.code;
        EXPECT_EQ(o.end2, r.b) << r.code;
    }
}

TEST(FrameOutline, EndModeAndUnknownStylesDrawNothing)
{
    ComponentTable t = builtin_records();
    EXPECT_TRUE(draw(t, 4, 0, 1, "OO", 1, 1).primitives().empty());
    EXPECT_TRUE(draw(t, 12, 3, 1).primitives().empty());
}

TEST(FrameOutline, FadedFramesAreLighter)
{
    ComponentTable t = builtin_records();
    RecordingCanvas c = draw(t, 4, 0, 1, "OO", 0.4);
    EXPECT_TRUE(of_colour(c, grey).empty());
    EXPECT_FALSE(of_colour(c, make_colour(204, 204, 204)).empty());
    EXPECT_TRUE(of_colour(c, colour_black).empty());
    EXPECT_FALSE(of_colour(c, make_colour(153, 153, 153)).empty());
}
