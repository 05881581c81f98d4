#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <set>

#include "geometry/canvas.h"
#include "platform/qt_canvas.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

std::set<QRgb> colours_in(const QImage& image)
{
    std::set<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.insert(image.pixel(x, y) & 0xFFFFFF);
    return out;
}

bool is_white(QRgb p) { return (p & 0xFFFFFF) == 0xFFFFFF; }

class QtCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensure_gui_application(); }
};

} // namespace

TEST_F(QtCanvasTest, FilledBoxCoversExactlyItsPixelsInTheCurrentColour)
{
    for (bool smooth : {true, false}) {
        QtPicture picture(50, 50);
        Canvas& c = picture.canvas();
        c.set_smooth(smooth);
        c.set_colour(10, 20, 30);
        c.box({10, 10, 20, 20}, true);
        const QImage& image = picture.image();
        EXPECT_EQ(image.pixel(10, 10) & 0xFFFFFF, rgb(10, 20, 30) & 0xFFFFFF);
        EXPECT_EQ(image.pixel(29, 29) & 0xFFFFFF, rgb(10, 20, 30) & 0xFFFFFF);
        EXPECT_TRUE(is_white(image.pixel(30, 30)));
        EXPECT_TRUE(is_white(image.pixel(9, 15)));
    }
}

TEST_F(QtCanvasTest, PlainLinesHaveNoInBetweenShadesSmoothLinesDo)
{
    auto draw = [](bool smooth) {
        QtPicture picture(60, 60);
        picture.canvas().set_smooth(smooth);
        picture.canvas().set_colour(0, 0, 0);
        picture.canvas().line({5, 5}, {55, 31});
        return colours_in(picture.image());
    };
    std::set<QRgb> plain = draw(false);
    EXPECT_EQ(plain, (std::set<QRgb>{0x000000, 0xFFFFFF}));
    EXPECT_GT(draw(true).size(), 2u);
}

TEST_F(QtCanvasTest, PlainTextIsNotAntiAliased)
{
    auto draw = [](bool smooth) {
        QtPicture picture(120, 40);
        picture.canvas().set_smooth(smooth);
        picture.canvas().set_colour(0, 0, 0);
        picture.canvas().text({4, 4}, "Haut. 228cm", 12);
        return picture.image().copy();
    };
    QImage plain = draw(false);
    EXPECT_EQ(colours_in(plain), (std::set<QRgb>{0x000000, 0xFFFFFF}));
    EXPECT_GT(colours_in(draw(true)).size(), 2u);
    // The text hangs from its top-left corner: ink below and right of it, none above.
    bool ink_above = false, ink_below = false;
    for (int x = 0; x < plain.width(); ++x) {
        for (int y = 0; y < 3; ++y)
            ink_above |= !is_white(plain.pixel(x, y));
        for (int y = 6; y < 24; ++y)
            ink_below |= !is_white(plain.pixel(x, y));
    }
    EXPECT_FALSE(ink_above);
    EXPECT_TRUE(ink_below);
}

TEST_F(QtCanvasTest, LineWidthAndFilledPolygon)
{
    QtPicture picture(60, 60);
    Canvas& c = picture.canvas();
    c.set_smooth(false);
    c.set_colour(0, 0, 255);
    c.set_line(line_solid, 5);
    c.line({5, 10}, {55, 10});
    std::vector<Pixel> triangle = {{10, 30}, {50, 30}, {30, 55}};
    c.set_colour(255, 0, 0);
    c.polygon(triangle, true);
    const QImage& image = picture.image();
    int thick = 0;
    for (int y = 0; y < 20; ++y)
        thick += !is_white(image.pixel(30, y));
    EXPECT_EQ(thick, 5);
    EXPECT_EQ(image.pixel(30, 40) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(10, 30) & 0xFFFFFF, 0xFF0000u); // plain fills include their edge
    EXPECT_TRUE(is_white(image.pixel(12, 50)));
}

TEST_F(QtCanvasTest, ClosedCurveBulgesThroughItsPoints)
{
    QtPicture picture(80, 80);
    Canvas& c = picture.canvas();
    c.set_smooth(false);
    c.set_colour(0, 128, 0);
    std::vector<Pixel> square = {{20, 20}, {60, 20}, {60, 60}, {20, 60}};
    c.closed_curve(square, true);
    const QImage& image = picture.image();
    EXPECT_FALSE(is_white(image.pixel(40, 40)));
    EXPECT_FALSE(is_white(image.pixel(40, 17))); // a cardinal curve swells 5 pixels past each side
    EXPECT_TRUE(is_white(image.pixel(40, 12)));
}

TEST_F(QtCanvasTest, ShadedFillRunsFromCentreToOutline)
{
    QtPicture picture(100, 100);
    Canvas& c = picture.canvas();
    GradientShape ellipse;
    ellipse.kind = GradientShape::Kind::ellipse;
    ellipse.bounds = {0, 0, 100, 100};
    c.gradient_fill(ellipse, make_colour(255, 0, 0), make_colour(0, 0, 255), {50, 50});
    const QImage& image = picture.image();
    QColor centre(image.pixel(50, 50)), edge(image.pixel(97, 50));
    EXPECT_GT(centre.red(), 240);
    EXPECT_LT(centre.blue(), 15);
    EXPECT_GT(edge.blue(), 200);
    EXPECT_LT(edge.red(), 60);
    EXPECT_TRUE(is_white(image.pixel(3, 3))); // clipped to the ellipse
}

TEST_F(QtCanvasTest, ArcRunsClockwiseFromItsStart)
{
    QtPicture picture(100, 100);
    Canvas& c = picture.canvas();
    c.set_smooth(false);
    c.set_colour(0, 0, 0);
    c.arc({10, 10, 80, 80}, 0, 90); // from the right, down to the bottom
    const QImage& image = picture.image();
    auto ink_near = [&](int x, int y) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (!is_white(image.pixel(x + dx, y + dy)))
                    return true;
        return false;
    };
    EXPECT_TRUE(ink_near(78, 78));
    EXPECT_FALSE(ink_near(78, 21));
    EXPECT_FALSE(ink_near(21, 78));
}

TEST_F(QtCanvasTest, SavesPngAndReportsAFailedWrite)
{
    ScratchDir dir;
    QtPicture picture(20, 10);
    picture.canvas().set_colour(1, 2, 3);
    picture.canvas().box({0, 0, 5, 5}, true);
    ASSERT_TRUE(picture.save_png(dir / "p.png").ok());
    QImage back(QString::fromStdString((dir / "p.png").string()));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(20, 10));
    EXPECT_EQ(back.pixel(2, 2) & 0xFFFFFF, 0x010203u);

    auto failed = picture.save_png(dir / "missing" / "p.png");
    ASSERT_FALSE(failed.ok());
    EXPECT_NE(failed.error().text().find("p.png"), std::string::npos);
}

// The grid's band fills must give the anti-aliased line's own shades (to a level, which the
// rasteriser may round either way), for every width, on any background, where lines cross, and
// fall back to the line itself where the band would not match (plain, dashed).
TEST_F(QtCanvasTest, GridLinesAreTheLinesTheyReplace)
{
    auto draw = [](bool grid, bool smooth, int style, int width) {
        QtPicture picture(40, 30);
        Canvas& c = picture.canvas();
        c.set_smooth(smooth);
        c.set_colour(220, 220, 220);
        c.box({0, 0, 20, 30}, true);
        c.set_line(style, width);
        // The first lines lie on the picture's top and left edges: half their band is outside.
        for (int k = 0; k < 3; ++k) {
            c.set_colour(k == 1 ? 158 : 210, 60 * k, 230);
            const Pixel a{-10, 13 * k}, b{50, 13 * k}, v0{18 * k, -10}, v1{18 * k, 40};
            grid ? c.grid_line(a, b) : c.line(a, b);
            grid ? c.grid_line(v0, v1) : c.line(v0, v1);
        }
        return picture.image().copy();
    };
    for (int width = 1; width <= 5; ++width)
        for (bool smooth : {true, false})
            for (int style : {int(line_solid), int(line_dash)}) {
                const QImage a = draw(false, smooth, style, width), b = draw(true, smooth, style, width);
                int worst = 0;
                for (int y = 0; y < a.height(); ++y)
                    for (int x = 0; x < a.width(); ++x) {
                        const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                        worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                          std::abs(qBlue(p) - qBlue(q))});
                    }
                EXPECT_LE(worst, 1) << "width " << width << (smooth ? " smooth" : " plain") << " style " << style;
                EXPECT_NE(colours_in(b).size(), 1u);
            }
}
