// Outlines put as kept pictures against outlines drawn directly, on a generated design of frames,
// profile pieces and library components at several zooms; the window only uses the pictures.

#include <gtest/gtest.h>

#include <FreeImage.h>
#include <QImage>

#include <cstdlib>

#include "../../bench/render_scenes.h"
#include "outputs/plan_picture.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"

using namespace halvern;

namespace {

constexpr int width = 1280, height = 800;

struct Difference {
    int pixels = 0;   // pixels where a channel differs at all
    int visible = 0;  // by more than 8 levels of 255
    int strong = 0;   // by more than a quarter of the range
    int most = 0;
};

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int dr = std::abs(qRed(ra[x]) - qRed(rb[x])), dg = std::abs(qGreen(ra[x]) - qGreen(rb[x]));
            const int db = std::abs(qBlue(ra[x]) - qBlue(rb[x]));
            const int most = std::max({dr, dg, db});
            d.pixels += most > 0;
            d.visible += most > 8;
            d.strong += most > 64;
            d.most = std::max(d.most, most);
        }
    }
    return d;
}

class OutlinePicturesQt : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensure_gui_application(); }

    OutlinePicturesQt() { bench::fill(scene_, 700, 14, 9); }

    QImage draw(ViewState view, OutlineCache* outlines, bool smooth = true, std::optional<PixelRect> window = {})
    {
        QtPicture picture(width, height);
        RenderOptions options;
        options.width = width;
        options.height = height;
        options.smooth = smooth;
        options.outlines = outlines;
        options.window = window;
        PlanScene scene = scene_.scene();
        drawn_ = render_plan(picture.canvas(), scene, view, options).objects_drawn;
        return picture.image().copy();
    }

    bench::Scene scene_;
    int drawn_ = 0;
};

// A kept picture has every point where the direct drawing has it, but its anti-aliased edges are
// first laid on transparency and then on the plan, which rounds a shade differently (a level or
// three of 255) on many edge pixels. Differences beyond 8 levels are allowed for one object in
// twenty: a centre a millionth of a pixel from a step can still move a point cut at that
// millionth. A wrong picture (another turn, end code, colour, a stale record) differs by hundreds
// of such pixels.
TEST_F(OutlinePicturesQt, KeptPicturesMatchTheDirectDrawing)
{
    for (double zoom : {0.6, 1.0, 1.37}) {
        SCOPED_TRACE(zoom);
        ViewState view = bench::labelled_view();
        view.zoom_auto = false;
        view.zoom = zoom;
        view.decal_x = -40.3;
        view.decal_y = -25.7;
        const QImage direct = draw(view, nullptr);
        QtOutlineCache outlines;
        const QImage cold = draw(view, &outlines);
        EXPECT_GT(outlines.pictures_put(), drawn_ / 2);
        EXPECT_LE(outlines.pictures_made(), drawn_);
        const QImage warm = draw(view, &outlines);
        EXPECT_EQ(compare(cold, warm).pixels, 0);
        const Difference d = compare(direct, cold);
        RecordProperty("differing_pixels", d.pixels);
        std::printf("zoom %.2f: %d objects, %d pictures, %d differing pixels, %d visibly, %d strongly, most %d\n",
                    zoom, drawn_, outlines.pictures_made(), d.pixels, d.visible, d.strong, d.most);
        EXPECT_LE(d.visible, drawn_ / 20);
    }
}

TEST_F(OutlinePicturesQt, PlainDrawingToo)
{
    ViewState view = bench::labelled_view();
    view.zoom_auto = false;
    view.zoom = 0.9;
    const QImage direct = draw(view, nullptr, false);
    QtOutlineCache outlines;
    const QImage kept = draw(view, &outlines, false);
    const Difference d = compare(direct, kept);
    std::printf("plain: %d objects, %d differing pixels, %d visibly\n", drawn_, d.pixels, d.visible);
    EXPECT_LE(d.visible, drawn_ / 20);
}

TEST_F(OutlinePicturesQt, ChangedRecordsAndZoomsAreNotServedStale)
{
    ViewState view = bench::labelled_view();
    view.zoom_auto = false;
    view.zoom = 1;
    QtOutlineCache outlines;
    draw(view, &outlines);
    // The editor turns a library component red and wider: its old pictures must go.
    Component& table = (*scene_.components)[100];
    table.draw_color = make_colour(255, 0, 0);
    table.width = 120;
    const QImage direct = draw(view, nullptr);
    const QImage kept = draw(view, &outlines);
    EXPECT_LE(compare(direct, kept).visible, drawn_ / 20);

    view.zoom = 1.5;
    const int before = outlines.pictures_made();
    const QImage direct_zoomed = draw(view, nullptr);
    const QImage kept_zoomed = draw(view, &outlines);
    EXPECT_GT(outlines.pictures_made(), before);
    EXPECT_LE(compare(direct_zoomed, kept_zoomed).visible, drawn_ / 20);
}

// The window's picture (the render command) is drawn in tiles through shifted canvases; the
// pictures go onto the tile surfaces under the shift.
TEST_F(OutlinePicturesQt, TilesOfTheWindowsPictureTakeThePictures)
{
    PictureJob job;
    job.width = width;
    job.height = height;
    job.view = bench::labelled_view();
    job.view.zoom_auto = false;
    job.view.zoom = 1.1;
    job.palette_column = true;
    job.tile = 500;
    PlanScene scene = scene_.scene();
    auto direct = draw_plan_picture(scene, job, qt_surface_maker());
    QtOutlineCache outlines;
    job.outlines = &outlines;
    auto kept = draw_plan_picture(scene, job, qt_surface_maker());
    ASSERT_TRUE(direct && kept);
    EXPECT_GT(outlines.pictures_put(), 300);
    int visible = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            RGBQUAD a{}, b{};
            FreeImage_GetPixelColor(direct->get(), unsigned(x), unsigned(y), &a);
            FreeImage_GetPixelColor(kept->get(), unsigned(x), unsigned(y), &b);
            visible += std::max({std::abs(a.rgbRed - b.rgbRed), std::abs(a.rgbGreen - b.rgbGreen),
                                 std::abs(a.rgbBlue - b.rgbBlue)})
                > 8;
        }
    EXPECT_LE(visible, 700 / 20);
}

} // namespace
