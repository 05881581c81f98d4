// The plan on real surfaces: a picture put together from tiles is the picture drawn in one piece,
// the kept still layer gives the same window as drawing it again, and printing gives one PDF page.

#include <gtest/gtest.h>

#include <FreeImage.h>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cmath>
#include <memory>

#include "library/builtin_catalogue.h"
#include "outputs/plan_picture.h"
#include "platform/plan_printer.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"
#include "support/object_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

namespace {

class PlanPicturesQt : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensure_gui_application(); }

    PlanPicturesQt()
    {
        fill_builtin_catalogue(*components, "en");
        libraries.name[0] = "VEK";
        stand.stand_murs = 0b10101010;
        // Runs of frames across the tile borders (every 500 pixels at zoom 1), a bend, a
        // duplicate pair, a group and labels that reach into the next tile.
        for (int k = 0; k < 12; ++k)
            place(k % 3 == 0 ? 3 : 5, float(130 + 90 * k), float(480 + (k % 4) * 7), float((k * 37) % 360));
        place(2302, 470, 300, 15);
        place(2304, 505, 505, 200);
        place(4, 998, 498, 0);
        place(4, 999, 499, 0);
        const int a = place(8, 300, 200, 0), b = place(8, 340, 230, 30);
        const int g = place(group_component, 0, 0, 0);
        plan.obj_groupe[size_t(a)] = plan.obj_groupe[size_t(b)] = g;
        plan.obj_texte[size_t(g)] = "Accueil";
        plan.obj_texte[1] = "Un libelle assez long pour passer la limite";
        view.aff_noms = view.aff_hauteurs = view.aff_largeur_panneaux = view.aff_marqueur_angle = true;
        view.aff_debug = true;
        view.zoom_auto = false;
        view.zoom = 1;
    }

    int place(int component, float x, float y, float rot)
    {
        halvern::testing::ObjectBuilder o = halvern::testing::build_object(plan, component, x, y, rot);
        return o.faces(o.index() % 4).faded(o.index() == 5);
    }

    PlanScene scene() { return {*components, libraries, plan, stand}; }

    std::unique_ptr<ComponentTable> components = std::make_unique<ComponentTable>();
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    ViewState view;
};

// QPainter's rasterizer does not give exactly the same pixels for a figure cut at a tile border
// as for the same figure drawn whole: anti-aliased edges may differ by a few units of a channel,
// and a plain diagonal line may step one pixel earlier. A pixel counts as different only when no
// pixel of the other picture within one pixel of it has its colour (to four units a channel).
int differing_pixels(const QImage& whole, FIBITMAP* bitmap)
{
    const int w = whole.width(), h = whole.height();
    constexpr int reach = 1, units = 4;
    auto tiled = [&](int x, int y) {
        RGBQUAD c{};
        FreeImage_GetPixelColor(bitmap, unsigned(x), unsigned(h - 1 - y), &c);
        return qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    };
    auto close = [units](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= units && std::abs(qGreen(a) - qGreen(b)) <= units
            && std::abs(qBlue(a) - qBlue(b)) <= units;
    };
    int differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb a = whole.pixel(x, y), b = tiled(x, y);
            if (close(a, b))
                continue;
            bool a_near = false, b_near = false;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    a_near = a_near || close(a, tiled(nx, ny));
                    b_near = b_near || close(b, whole.pixel(nx, ny));
                }
            if (!a_near || !b_near) {
                if (differ < 10)
                    ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << (a & 0xFFFFFF) << " against "
                                  << (b & 0xFFFFFF);
                ++differ;
            }
        }
    return differ;
}

} // namespace

// At the zooms of the saves (lines two pixels wide and more) and at a low zoom drawn plain. At zoom
// 1, smooth, a one-pixel diagonal cut at a tile's edge may step a pixel aside: "Save Screen" and
// the window picture are drawn on one surface for that reason.
TEST_F(PlanPicturesQt, APictureFromTilesIsThePictureDrawnInOnePiece)
{
    for (bool smooth : {true, false}) {
        for (double zoom : {1.37, 6.0, 10.0}) {
            view.zoom = zoom;
            PictureJob job;
            job.width = 1200;
            job.height = 900;
            job.view = view;
            job.smooth = smooth;
            PlanScene s = scene();
            auto tiled = draw_plan_picture(s, job, qt_surface_maker());
            ASSERT_TRUE(tiled) << tiled.error().text();

            QtPicture whole(1200, 900);
            RenderOptions options;
            options.width = 1200;
            options.height = 900;
            options.palette_column = false;
            options.smooth = smooth;
            ViewState v = view;
            render_plan(whole.canvas(), s, v, options);
            EXPECT_EQ(differing_pixels(whole.image(), tiled->get()), 0) << "smooth " << smooth << " zoom " << zoom;
        }
    }
}

TEST_F(PlanPicturesQt, TheWindowAsAPictureHasItsPaletteColumn)
{
    PictureJob job;
    job.width = 900;
    job.height = 600;
    job.view = view;
    job.view.zoom_auto = true;
    job.palette_column = true;
    PlanScene s = scene();
    auto tiled = draw_plan_picture(s, job, qt_surface_maker());
    ASSERT_TRUE(tiled);
    QtPicture whole(900, 600);
    RenderOptions options;
    options.width = 900;
    options.height = 600;
    ViewState v = job.view;
    render_plan(whole.canvas(), s, v, options);
    EXPECT_EQ(differing_pixels(whole.image(), tiled->get()), 0);
    // The column's separating line at x = 75 (anti-aliased over two pixels) is dark.
    RGBQUAD left{}, right{};
    FreeImage_GetPixelColor(tiled->get(), 74, 300, &left);
    FreeImage_GetPixelColor(tiled->get(), 75, 300, &right);
    EXPECT_LT(int(left.rgbRed) + right.rgbRed, 300);
}

TEST_F(PlanPicturesQt, TheKeptStillLayerGivesTheSameWindow)
{
    QtBackgroundCache cache;
    RenderOptions options;
    options.width = 800;
    options.height = 500;
    options.cache = &cache;
    PlanScene s = scene();

    QtPicture first(800, 500);
    EXPECT_FALSE(render_plan(first.canvas(), s, view, options).background_reused);
    QtPicture second(800, 500);
    EXPECT_TRUE(render_plan(second.canvas(), s, view, options).background_reused);
    EXPECT_EQ(first.image(), second.image());

    RenderOptions direct = options;
    direct.cache = nullptr;
    QtPicture drawn(800, 500);
    render_plan(drawn.canvas(), s, view, direct);
    EXPECT_EQ(drawn.image(), second.image());
}

TEST_F(PlanPicturesQt, PrintingGivesOnePdfPage)
{
    ScratchDir dir;
    PlanScene s = scene();
    ViewState before = view;
    SilentOutputHost host;
    ASSERT_TRUE(PrintOutput().write(dir / "plan.pdf", s, view, host));
    const std::string pdf = read_bytes(dir / "plan.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
    EXPECT_EQ(before.zoom, view.zoom);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1); // no temporary left

    // The printer the print dialog hands over starts upright: the page turns with the plan, or as
    // the user chose.
    const struct {
        float width, depth;
        PageTurn turn;
        QPageLayout::Orientation started, printed;
    } turns[] = {
        {12, 3, PageTurn::automatic, QPageLayout::Portrait, QPageLayout::Landscape},
        {3, 12, PageTurn::automatic, QPageLayout::Landscape, QPageLayout::Portrait},
        {12, 3, PageTurn::portrait, QPageLayout::Landscape, QPageLayout::Portrait},
        {3, 12, PageTurn::landscape, QPageLayout::Portrait, QPageLayout::Landscape},
    };
    for (const auto& t : turns) {
        stand.stand_largeur = t.width;
        stand.stand_profondeur = t.depth;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((dir / "turned.pdf").string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(t.started);
        SheetOptions options;
        options.turn = t.turn;
        ASSERT_TRUE(PrintOutput(printer, options).write({}, s, view, host));
        EXPECT_EQ(printer.pageLayout().orientation(), t.printed) << t.width << " x " << t.depth;
    }

    // An earlier file stays when the print cannot be written.
    auto failed = PrintOutput().write(dir / "missing" / "plan.pdf", s, view, host);
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().file, dir / "missing" / "plan.pdf");
}
