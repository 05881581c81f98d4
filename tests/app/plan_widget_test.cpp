// The plan widget: real mouse and key events through the interaction, one undo step per gesture,
// the outline alone drawn while a button is held, the focus rules, the picture saves and print.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTest>
#include <QTreeWidget>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "plan/plan_edit.h"
#include "app_test_support.h"
#include "plan/palette.h"
#include "support/plan_builder.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class PlanWidgetTest : public ::testing::Test {
protected:
    InstallFolder folder;
    ScratchDir out;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    PlanWidget& plan = *w.plan_widget();

    void SetUp() override
    {
        plan.resize(700, 500);
        plan.redraw();
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, QPointF(at), plan.mapToGlobal(QPointF(at)), button, held, modifiers);
        QApplication::sendEvent(&plan, &event);
    }
    void move(QPoint at, Qt::MouseButtons held = {}, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseMove, at, Qt::NoButton, held, modifiers);
    }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, at, button, button, modifiers);
    }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
    }
    // A drag in small steps, as a hand makes it.
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        move(from, {}, modifiers);
        press(from, button, modifiers);
        for (int k = 1; k <= 4; ++k)
            move(from + (to - from) * k / 4, button, modifiers);
        release(to, button, modifiers);
    }
    QPoint pixel(double x, double y) const
    {
        PixelPoint p = s.view.to_pixel(x, y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    QPoint cell(int c) const { return {37, palette_head + palette_cell_height * c + 37}; }
    // Component `c` of library 0 from the palette, dropped at a plan point.
    void place(int c, double x, double y)
    {
        press(cell(c));
        release(cell(c));
        drag(pixel(x, y), pixel(x, y) + QPoint(1, 0));
    }
    int steps() const { return w.history().stack().index(); }
};

} // namespace

TEST_F(PlanWidgetTest, PlacingFromThePaletteIsOneStepAndTheListFollows)
{
    place(3, 300, 200);
    ASSERT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(s.plan.comp(1), 3);
    EXPECT_NEAR(s.plan.obj_x[1], 300, 2);
    EXPECT_NEAR(s.plan.obj_y[1], 200, 2);
    EXPECT_EQ(steps(), 1);
    EXPECT_GT(w.component_list_window()->findChild<QTreeWidget*>("LV1")->topLevelItemCount(), 0);
    EXPECT_TRUE(w.isWindowModified());

    place(4, 500, 350);
    EXPECT_EQ(s.plan.nb_objets, 2);
    EXPECT_EQ(steps(), 2);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 1);
}

TEST_F(PlanWidgetTest, ADragDrawsOnlyTheOutlineUntilTheReleaseAndIsOneStep)
{
    place(3, 300, 200);
    const float x0 = s.plan.obj_x[1], y0 = s.plan.obj_y[1];
    const QPoint from = pixel(x0, y0), to = from + QPoint(80, 40);
    move(from);
    move(from + QPoint(1, 0));
    press(from + QPoint(1, 0));
    const int redraws = plan.full_redraws();
    for (int k = 1; k <= 4; ++k) {
        move(from + (to - from) * k / 4, Qt::LeftButton);
        // The table keeps the object where it was; its outline follows the pointer.
        EXPECT_EQ(s.plan.obj_x[1], x0);
        ASSERT_EQ(plan.overlay().objects.size(), 1u);
        EXPECT_EQ(plan.full_redraws(), redraws);
    }
    EXPECT_GT(plan.overlay().objects[0].x, x0);
    release(to);
    EXPECT_GT(plan.full_redraws(), redraws);
    EXPECT_TRUE(plan.overlay().objects.empty());
    EXPECT_NEAR(s.plan.obj_x[1], x0 + 80 / s.view.zoom, 1.5);
    EXPECT_NEAR(s.plan.obj_y[1], y0 + 40 / s.view.zoom, 1.5);
    EXPECT_EQ(steps(), 2);

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&plan, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(steps(), 1);
    ASSERT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(s.plan.obj_x[1], x0);
    QTest::keyClick(&plan, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NEAR(s.plan.obj_x[1], x0 + 80 / s.view.zoom, 1.5);
}

TEST_F(PlanWidgetTest, AnAltDragCopiesAndLeavesTheOriginal)
{
    place(3, 300, 200);
    const QPoint from = pixel(s.plan.obj_x[1], s.plan.obj_y[1]);
    drag(from, from + QPoint(0, 120), Qt::LeftButton, Qt::AltModifier);
    ASSERT_EQ(s.plan.nb_objets, 2);
    EXPECT_NEAR(s.plan.obj_y[1], 200, 2);
    EXPECT_GT(s.plan.obj_y[2], s.plan.obj_y[1] + 50);
    EXPECT_EQ(steps(), 2);
}

TEST_F(PlanWidgetTest, TurningWithTheRightButtonCutsToFiveDegrees)
{
    place(3, 300, 200);
    const QPoint at = pixel(s.plan.obj_x[1], s.plan.obj_y[1]);
    drag(at, at + QPoint(20, 23), Qt::RightButton);
    EXPECT_EQ(s.plan.obj_rot[1], 20); // half of 43 pixels is 21.5, cut to 20
    EXPECT_EQ(steps(), 2);
}

TEST_F(PlanWidgetTest, LassoThenCtrlGGroupsAsOneStep)
{
    place(3, 300, 200);
    place(3, 300, 300);
    drag(pixel(200, 150), pixel(420, 360));
    EXPECT_EQ(s.plan.nb_selection, 2);
    const int before = steps();
    QTest::keyClick(&plan, Qt::Key_G, Qt::ControlModifier);
    ASSERT_EQ(s.plan.nb_objets, 3);
    EXPECT_TRUE(s.plan.is_group(3));
    EXPECT_EQ(steps(), before + 1);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 2);
}

TEST_F(PlanWidgetTest, ADialogRunsAfterTheCallAndItsOkIsOneStepWhateverItTouched)
{
    place(3, 300, 200);
    place(3, 500, 200);
    const int before = steps();
    std::vector<int> asked;
    PlanDialogs dialogs;
    dialogs.object_properties = [&](int object) {
        asked.push_back(object);
        EXPECT_FALSE(s.plan.focus); // no gesture holds the object while its dialog runs
        s.plan.obj_hauteur[size_t(object)] = 250;
        w.design_changed("inner"); // an edit of its own joins the dialog's step
        {
            UndoStep nested(w.history(), "nested");
            s.plan.obj_rot[size_t(object)] = 45;
        }
        delete_object(s.plan, 2);
    };
    w.set_plan_dialogs(dialogs);
    const QPoint at = pixel(s.plan.obj_x[1], s.plan.obj_y[1]);
    move(at, {}, Qt::ControlModifier);
    press(at, Qt::LeftButton, Qt::ControlModifier);
    release(at, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(asked, std::vector<int>{1});
    EXPECT_EQ(steps(), before + 1);
    EXPECT_EQ(s.plan.nb_objets, 1);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 2);
    EXPECT_EQ(s.plan.obj_hauteur[1], s.plan.obj_hauteur[2]);
    EXPECT_EQ(s.plan.obj_rot[1], 0);

    // A dialog closed without a change leaves no step.
    dialogs.object_properties = [&](int object) { asked.push_back(object); };
    w.set_plan_dialogs(dialogs);
    press(at, Qt::LeftButton, Qt::ControlModifier);
    release(at, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(steps(), before);
}

TEST_F(PlanWidgetTest, OnlyAChangedPositionOrButtonCallsTheInteraction)
{
    const int calls = plan.interaction_calls();
    move({300, 200});
    move({300, 200});
    EXPECT_EQ(plan.interaction_calls(), calls + 1);
    move({300, 200}, {}, Qt::ControlModifier); // a modifier alone is read with the next change
    EXPECT_EQ(plan.interaction_calls(), calls + 1);
    press({300, 200});
    release({300, 200});
    EXPECT_EQ(plan.interaction_calls(), calls + 3);
}

TEST_F(PlanWidgetTest, TheMenusCutThePlansFocusUntilAClick)
{
    place(3, 300, 200);
    place(4, 500, 350);
    const QPoint on_object = pixel(s.plan.obj_x[1], s.plan.obj_y[1]);
    move(pixel(s.plan.obj_x[2], s.plan.obj_y[2]) + QPoint(1, 0));
    EXPECT_EQ(plan.state().survol, 2);

    QTest::mouseMove(w.menuBar(), w.menuBar()->actionGeometry(w.menuBar()->actions().at(0)).center());
    EXPECT_FALSE(s.shell.plan_focus);
    const int calls = plan.interaction_calls();
    move(on_object);
    EXPECT_EQ(plan.interaction_calls(), calls);
    EXPECT_EQ(plan.state().survol, 2); // the pointer change was not forwarded

    // The click that gives the focus back takes the object under the pointer, not the one
    // hovered before the menu.
    press(on_object);
    EXPECT_TRUE(s.shell.plan_focus);
    EXPECT_EQ(s.plan.index_focus, 1);
    release(on_object);
    EXPECT_GT(plan.interaction_calls(), calls);
}

TEST_F(PlanWidgetTest, DeleteRemovesTheFocusedObjectAsOneStep)
{
    place(3, 300, 200);
    place(4, 500, 200);
    ASSERT_EQ(s.plan.index_focus, 2);
    QTest::keyClick(&plan, Qt::Key_Delete);
    EXPECT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(steps(), 3);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 2);
}

TEST_F(PlanWidgetTest, ThePaletteScrollsAndSlides)
{
    const int foot = palette_head + palette_cell_height * palette_cell_count(plan.height()) + 10;
    press({60, foot});
    release({60, foot});
    EXPECT_EQ(plan.state().palette_scroll, 1);
    EXPECT_TRUE(plan.slide_timer().isActive());
    // One cell in 75 steps of one pixel: a redraw for each, after the first one at the scroll.
    const int redraws = plan.full_redraws();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !plan.slide_timer().isActive(); }, 20000));
    EXPECT_EQ(plan.full_redraws() - redraws, palette_cell_height);
    // Cell 0 now shows component 1.
    press(cell(0));
    release(cell(0));
    EXPECT_EQ(plan.state().selected_component, 1);
}

TEST_F(PlanWidgetTest, TheWheelMovesTheVerticalBar)
{
    const int v = w.vertical_bar()->value();
    QWheelEvent wheel(QPointF(300, 200), plan.mapToGlobal(QPointF(300, 200)), {}, QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plan, &wheel);
    // Turning the wheel away from the user shows what lies further up: the bar goes up.
    EXPECT_EQ(w.vertical_bar()->value(), v - 2);
    EXPECT_EQ(s.view.decal_y, 40);
}

TEST_F(PlanWidgetTest, ResizingRefitsTheStand)
{
    plan.resize(1400, 1000);
    const double big = s.view.zoom;
    plan.resize(700, 500);
    EXPECT_LT(s.view.zoom, big);
    EXPECT_EQ(plan.picture().size(), QSize(700, 500));
}

TEST_F(PlanWidgetTest, ScreenPictureBlueprintAndPrint)
{
    s.stand.stand_largeur = 1;
    s.stand.stand_profondeur = 1;
    place(3, 150, 150);
    editor.prompts.files.push_back(out / "screen");
    editor.trigger(command::save_screen);
    EXPECT_TRUE(std::filesystem::exists(out / "screen.jpg"));
    QImage screen(QString::fromStdString((out / "screen.jpg").string()));
    EXPECT_EQ(screen.size(), QSize(1000, 1000));

    editor.prompts.files.push_back(out / "blueprint.jpg");
    editor.trigger(command::save_blueprint);
    QImage blueprint(QString::fromStdString((out / "blueprint.jpg").string()));
    EXPECT_EQ(blueprint.size(), QSize(3000, 3000));
    EXPECT_EQ(editor.prompts.requests.back().title, "Select file");

    const double zoom = s.view.zoom;
    editor.prompts.print_to = out / "plan.pdf";
    editor.trigger(command::print);
    EXPECT_GT(std::filesystem::file_size(out / "plan.pdf"), 1000u);
    EXPECT_EQ(s.view.zoom, zoom); // the window's view comes back
    EXPECT_TRUE(editor.prompts.messages.empty());
}

TEST(KeyCharacters, CtrlLettersGiveTheLetterAndKeysWithoutCharacterNothing)
{
    EXPECT_EQ(key_character(Qt::Key_G, Qt::ControlModifier, QString(QChar(7))), "g");
    EXPECT_EQ(key_character(Qt::Key_F, Qt::ShiftModifier, "F"), "F");
    EXPECT_EQ(key_character(Qt::Key_Space, Qt::ControlModifier, " "), " ");
    EXPECT_EQ(key_character(Qt::Key_Plus, Qt::ShiftModifier, "+"), "+");
    EXPECT_EQ(key_character(Qt::Key_0, Qt::ControlModifier, ""), "0");
    EXPECT_EQ(key_character(Qt::Key_Agrave, Qt::ControlModifier, ""), "\xC3\xA0");
    EXPECT_EQ(key_character(Qt::Key_Left, {}, ""), "");
    EXPECT_EQ(key_character(Qt::Key_F5, {}, ""), "");
    EXPECT_EQ(modifier_code(Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier), 6);
    EXPECT_EQ(modifier_code(Qt::ShiftModifier), 0);
    EXPECT_EQ(button_code(Qt::LeftButton | Qt::RightButton), 3);
}

TEST_F(PlanWidgetTest, ACounterTakesItsHolderAlongInOneStepUntilTheSwitchIsOff)
{
    define(s.components, 201, 100, 50, 2).height = 105;
    define(s.components, 202, 24, 12, 1).height = 30;
    s.components[201].no_magnet = s.components[202].no_magnet = "1";
    const size_t desk = size_t(place_object(s, 201, 300, 200));
    const size_t holder = size_t(place_object(s, 202, 320, 200));
    s.plan.obj_elevation[holder] = 105;
    w.design_changed("Place");
    const int placed = steps();
    QAction* carry = editor.action(command::carry_objects);
    ASSERT_TRUE(carry && carry->isCheckable() && carry->isChecked());

    const QPoint from = pixel(296, 200);
    drag(from, from + QPoint(100, 0));
    const float moved = s.plan.obj_x[desk] - 300;
    EXPECT_GT(moved, 50);
    EXPECT_FLOAT_EQ(s.plan.obj_x[holder], 320 + moved);
    EXPECT_EQ(steps(), placed + 1);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.obj_x[desk], 300);
    EXPECT_EQ(s.plan.obj_x[holder], 320);

    editor.trigger(command::carry_objects);
    EXPECT_FALSE(carry->isChecked());
    EXPECT_EQ(s.store->read_in_group("Editing", "move_carried"), "off");
    drag(from, from + QPoint(100, 0));
    EXPECT_GT(s.plan.obj_x[desk], 350);
    EXPECT_EQ(s.plan.obj_x[holder], 320);

    // The next run starts as the user left it.
    Editor again(folder.path(), {{"Editing/move_carried", "off"}});
    EXPECT_FALSE(again.action(command::carry_objects)->isChecked());
    EXPECT_FALSE(again.window->plan_widget()->state().carry);
}
