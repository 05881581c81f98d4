// The view of the main window as a user moves it: the zoom rectangle, the scroll bars and the
// wheel, the texts over the plan; the palette pick that waits for its place; the first click
// after another window had the focus.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/numbers.h"
#include "plan/palette.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class PlanViewTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    PlanWidget& plan = *w.plan_widget();

    void SetUp() override
    {
        w.resize(900, 650);
        QApplication::processEvents();
        plan.redraw();
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, QPointF(at), plan.mapToGlobal(QPointF(at)), button, held, modifiers);
        QApplication::sendEvent(&plan, &event);
    }
    void click(QPoint at, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseMove, at, Qt::NoButton, {}, modifiers);
        mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, {}, modifiers);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseMove, from, Qt::NoButton, {}, modifiers);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
        for (int k = 1; k <= 4; ++k)
            mouse(QEvent::MouseMove, from + (to - from) * k / 4, Qt::NoButton, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, {}, modifiers);
    }
    QPoint pixel(double x, double y) const
    {
        const PixelPoint p = s.view.to_pixel(x, y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    bool shown(double x, double y) const
    {
        const PixelPoint p = s.view.to_pixel(x, y);
        return p.x >= palette_width && p.x < plan.width() && p.y >= 0 && p.y < plan.height();
    }
    QPoint cell(int c) const { return {37, palette_head + palette_cell_height * c + 37}; }
    std::string readout(size_t line) const { return plan.readout().position.at(line); }
};

} // namespace

// Ctrl+Space, then a 6 cm square around a point far from the floor's corner: the square fills the
// view, whatever zoom that takes.
TEST_F(PlanViewTest, TheZoomRectangleIsShownAtAnyZoom)
{
    editor.trigger(42);
    w.horizontal_bar()->setValue(100 + 25); // 500 cm to the right, as a user would scroll there
    ASSERT_TRUE(shown(655, 160));
    QTest::keyClick(&w, Qt::Key_Space, Qt::ControlModifier);
    drag(pixel(652, 157), pixel(658, 163));
    EXPECT_GT(s.view.zoom, 60);
    for (auto [x, y] : {std::pair{653.0, 158.0}, {655.0, 160.0}, {657.0, 162.0}})
        EXPECT_TRUE(shown(x, y)) << x << "," << y << " at zoom " << s.view.zoom << " topx " << s.view.decal_x;
    // The bars show where the view is, to their step.
    EXPECT_EQ(w.horizontal_bar()->value(), horizontal_bar(s.view));
    EXPECT_EQ(w.vertical_bar()->value(), vertical_bar(s.view));
    EXPECT_EQ(readout(1), "zoom :" + format_number(std::round(s.view.zoom * 100) / 100));
}

// Further down the bar is further down the plan; the wheel turned away from the user shows what
// lies further up.
TEST_F(PlanViewTest, TheVerticalBarAndTheWheelMoveThePlanTheUsualWay)
{
    editor.trigger(42);
    const double y_before = s.view.to_pixel(300, 200).y;
    QScrollBar& bar = *w.vertical_bar();
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // the down arrow
    EXPECT_EQ(bar.value(), 101);
    EXPECT_LT(s.view.to_pixel(300, 200).y, y_before);
    EXPECT_EQ(readout(3), "topy :-20");

    QWheelEvent away(QPointF(300, 200), plan.mapToGlobal(QPointF(300, 200)), {}, QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plan, &away);
    QApplication::sendEvent(&plan, &away);
    EXPECT_EQ(bar.value(), 99);
    EXPECT_GT(s.view.to_pixel(300, 200).y, y_before);
    EXPECT_EQ(readout(3), "topy :20");

    // The horizontal bar stays as it was: further right shows what lies further right.
    const double x_before = s.view.to_pixel(300, 200).x;
    w.horizontal_bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_LT(s.view.to_pixel(300, 200).x, x_before);
}

TEST_F(PlanViewTest, TheTextsOverThePlanFollowEveryChangeOfTheView)
{
    editor.trigger(42);
    EXPECT_EQ(readout(1), "zoom :1");
    w.toolbar_button("loupe+")->click();
    EXPECT_EQ(readout(1), "zoom :2");
    EXPECT_EQ(readout(2), "topx :-100");
    w.toolbar_button("loupeall")->click();
    EXPECT_EQ(readout(1), "zoom :" + format_number(std::round(s.view.zoom * 100) / 100));
    EXPECT_EQ(readout(2), "topx :0");
    const std::string fitted = readout(1);
    w.resize(1200, 900);
    QApplication::processEvents();
    EXPECT_NE(readout(1), fitted);
    w.horizontal_bar()->setValue(90);
    EXPECT_EQ(readout(2), "topx :200");
}

TEST_F(PlanViewTest, ModeCopyEndsWithTheCopy)
{
    editor.trigger(42);
    place_object(s, 3, 300, 200);
    plan.table_replaced();
    const QPoint on = pixel(300, 200);
    mouse(QEvent::MouseMove, on, Qt::NoButton, {});
    mouse(QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton, Qt::AltModifier);
    mouse(QEvent::MouseMove, on + QPoint(40, 0), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Mode Copy");
    mouse(QEvent::MouseButtonRelease, on + QPoint(40, 0), Qt::LeftButton, {}, Qt::AltModifier);
    EXPECT_EQ(s.plan.nb_objets, 2);
    EXPECT_NE(w.statusBar()->currentMessage(), "Mode Copy");
}

TEST_F(PlanViewTest, EscapePutsBackAPickThatWaitsAndThePickedCellIsMarked)
{
    const QImage before = plan.picture().copy(0, palette_head, palette_width, palette_cell_height * 2);
    click(cell(1));
    EXPECT_TRUE(plan.state().depot_palette);
    const QImage marked = plan.picture().copy(0, palette_head, palette_width, palette_cell_height * 2);
    EXPECT_NE(marked, before);
    // The mark lies in the picked cell, not in the one above.
    EXPECT_EQ(marked.copy(0, 0, palette_width, palette_cell_height), before.copy(0, 0, palette_width, palette_cell_height));

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(plan.state().depot_palette);
    EXPECT_EQ(plan.picture().copy(0, palette_head, palette_width, palette_cell_height * 2), before);
    click(pixel(300, 200));
    EXPECT_EQ(s.plan.nb_objets, 0);
}

// The pointer moved over the plan while another window had the focus: the first click takes the
// object under the pointer at once.
TEST_F(PlanViewTest, TheFirstClickAfterAnotherWindowActsAtOnce)
{
    editor.trigger(42);
    place_object(s, 3, 300, 200);
    place_object(s, 4, 500, 350);
    plan.table_replaced();
    click(pixel(500, 350)); // the menu command took the focus; a click gives it back
    ASSERT_EQ(plan.state().survol, 2);

    for (QWidget* other : {static_cast<QWidget*>(w.component_list_window()), static_cast<QWidget*>(w.library_window())}) {
        SCOPED_TRACE(other->objectName().toStdString());
        other->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(other));
        // The main window hears that it lost the activation, as a window manager tells it (the
        // offscreen platform does not always).
        QEvent deactivated(QEvent::ActivationChange);
        QApplication::sendEvent(&w, &deactivated);
        ASSERT_FALSE(s.shell.plan_focus);
        mouse(QEvent::MouseMove, pixel(300, 200), Qt::NoButton, {});
        // The window comes back at the press, as a window manager gives it back.
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QEvent activated(QEvent::ActivationChange);
        QApplication::sendEvent(&w, &activated);
        mouse(QEvent::MouseButtonPress, pixel(300, 200), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, pixel(300, 200), Qt::LeftButton, {});
        EXPECT_EQ(s.plan.index_focus, 1);
        EXPECT_NE(w.statusBar()->currentMessage().toStdString().find(s.components[3].name), std::string::npos);
        // Back to the other object for the next window.
        click(pixel(500, 350));
        ASSERT_EQ(plan.state().survol, 2);
    }
}
