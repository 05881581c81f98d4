// Zooms and scrolls show a frame made from the last picture at once; the exact picture follows
// once the waiting events are done, and it is the picture a direct redraw gives, pixel for pixel.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app/menu_tables.h"
#include "app_test_support.h"
#include "platform/qt_canvas.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class PlanFrames : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    PlanWidget& plan = *w.plan_widget();

    void SetUp() override
    {
        for (int k = 0; k < 40; ++k)
            place_object(s, k % 3 == 0 ? 3 : 5, float(120 + 37 * (k % 10)), float(130 + 60 * (k / 10)), float(k * 15));
        s.view.aff_noms = s.view.aff_hauteurs = true;
        plan.resize(700, 500);
        plan.redraw();
    }

    // What the window shows once settled, drawn from nothing with fresh kept pictures.
    QImage direct() const
    {
        QImage image(plan.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        const PaletteState palette{plan.state().palette_scroll, 0, -1};
        RenderOptions options;
        options.width = plan.width();
        options.height = plan.height();
        options.status_texts = false;
        options.smooth = s.shell.settings.view_qualite == 1;
        options.palette = &palette;
        QtBackgroundCache background;
        QtOutlineCache outlines;
        QtLabelCache labels;
        options.cache = &background;
        options.outlines = &outlines;
        options.labels = &labels;
        KeptDrawing column(std::make_unique<QtPictureStore>());
        options.column = &column;
        PlanScene scene{s.components, s.libraries, s.plan, s.stand};
        ViewState view = s.view;
        QtCanvas canvas(image);
        render_plan(canvas, scene, view, options);
        canvas.end();
        return image;
    }

    bool settle() { return QTest::qWaitFor([&] { return !plan.settling(); }); }
};

TEST_F(PlanFrames, AZoomShowsTheScaledPictureThenTheExactOne)
{
    const int redraws = plan.full_redraws();
    editor.trigger(zoom_command(1.5));
    EXPECT_EQ(plan.quick_frames(), 1);
    EXPECT_EQ(plan.full_redraws(), redraws);
    EXPECT_TRUE(plan.settling());
    ASSERT_TRUE(settle());
    EXPECT_EQ(plan.full_redraws(), redraws + 1);
    EXPECT_TRUE(plan.picture() == direct());

    // Back out: the same again, and a switch of the View menu is never shown from the old picture.
    editor.trigger(command::zoom_auto);
    EXPECT_EQ(plan.quick_frames(), 2);
    ASSERT_TRUE(settle());
    EXPECT_TRUE(plan.picture() == direct());
    s.view.aff_hauteurs = false;
    editor.window->history().notify(Change::view);
    EXPECT_EQ(plan.quick_frames(), 2);
    EXPECT_FALSE(plan.settling());
    EXPECT_TRUE(plan.picture() == direct());
}

// A scroll by whole pixels moves the old picture: where both show the plan, the quick frame is
// already the exact one (a shift the wrong way or by the wrong amount differs almost everywhere).
TEST_F(PlanFrames, AScrollShowsTheShiftedPicture)
{
    editor.trigger(zoom_command(1)); // 20 cm are 20 pixels
    ASSERT_TRUE(settle());
    auto* bar = w.findChild<QScrollBar*>(QStringLiteral("vscroll"));
    ASSERT_TRUE(bar);
    const int quick_frames = plan.quick_frames();
    bar->setValue(bar->value() - 1);
    ASSERT_EQ(plan.quick_frames(), quick_frames + 1);
    const QImage quick = plan.picture().copy();
    ASSERT_TRUE(settle());
    const QImage exact = plan.picture();
    EXPECT_TRUE(exact == direct());
    const int shift = int(std::lround(20 * s.view.zoom));
    int differing = 0, compared = 0;
    ASSERT_EQ(shift, 20);
    for (int y = shift + 2; y < exact.height() - shift - 2; ++y)
        for (int x = palette_width + 2; x < exact.width(); ++x, ++compared)
            differing += quick.pixel(x, y) != exact.pixel(x, y);
    EXPECT_LT(differing, compared / 1000);
}

} // namespace

namespace {

// The exact picture is drawn in slices between events. A zoom step meanwhile drops it and shows a
// frame made from the last exact picture (not from the frame shown), and a change of anything
// else than the view draws the exact picture at once.
TEST_F(PlanFrames, SlicesBetweenEventsAndStepsWhileSettling)
{
    plan.set_slices(2, 0);
    editor.trigger(zoom_command(1.5));
    ASSERT_TRUE(plan.settling());
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_TRUE(plan.settling()); // two slices of two parts are far from the 40 objects
    const int redraws = plan.full_redraws();
    editor.trigger(zoom_command(2));
    const QImage second = plan.picture().copy();
    ASSERT_TRUE(settle());
    EXPECT_EQ(plan.full_redraws(), redraws + 1); // the picture for 150% was dropped, never shown
    EXPECT_TRUE(plan.picture() == direct());

    // The same step taken straight from the first exact picture shows the same frame.
    editor.trigger(command::zoom_auto);
    ASSERT_TRUE(settle());
    editor.trigger(zoom_command(2));
    EXPECT_TRUE(plan.picture() == second);

    // An edit while settling: the exact picture at once, with the object where it now is.
    ASSERT_TRUE(plan.settling());
    const int searches = plan.fact_searches();
    s.plan.obj_x[3] += 40;
    editor.window->history().notify(Change::objects);
    EXPECT_FALSE(plan.settling());
    EXPECT_EQ(plan.fact_searches(), searches + 1);
    EXPECT_TRUE(plan.picture() == direct());
    // A redraw with nothing changed keeps the facts.
    plan.redraw();
    EXPECT_EQ(plan.fact_searches(), searches + 1);
}

} // namespace
