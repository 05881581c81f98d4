// The view commands, the toolbar's filters and arrows, and what takes the plan's focus away.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include "app/library_arrow_button.h"
#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "plan/plan_edit.h"
#include "support/plan_builder.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class ToolbarTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;

    void click(const char* key, Qt::MouseButton button = Qt::LeftButton)
    {
        QAbstractButton* b = w.toolbar_button(key);
        ASSERT_NE(b, nullptr) << key;
        QTest::mouseClick(b, button);
    }
    bool checked(int command) { return editor.action(command)->isChecked(); }
};

} // namespace

TEST_F(ToolbarTest, ZoomAutoThenHundredPercentScrollsHome)
{
    s.view.decal_x = 40;
    s.view.decal_y = -60;
    w.horizontal_bar()->setValue(140);
    editor.trigger(command::zoom_auto);
    EXPECT_TRUE(s.view.zoom_auto);
    EXPECT_TRUE(checked(command::zoom_auto));
    EXPECT_FALSE(checked(zoom_command(1)));
    EXPECT_EQ(w.zoom_box()->text(), "Auto");

    // A zoom shows a frame at once, and the exact one follows.
    const int redraws = w.plan_widget()->full_redraws() + w.plan_widget()->quick_frames();
    editor.trigger(zoom_command(1));
    EXPECT_GT(w.plan_widget()->full_redraws() + w.plan_widget()->quick_frames(), redraws);
    EXPECT_FALSE(s.view.zoom_auto);
    EXPECT_EQ(s.view.zoom, 1);
    EXPECT_EQ(s.view.decal_x, 0);
    EXPECT_EQ(s.view.decal_y, 0);
    EXPECT_EQ(w.horizontal_bar()->value(), 100);
    EXPECT_EQ(w.vertical_bar()->value(), 100);
    EXPECT_TRUE(checked(zoom_command(1)));
    EXPECT_FALSE(checked(command::zoom_auto));
    for (int other = command::zoom_first; other <= command::zoom_last; ++other) {
        if (other != zoom_command(1)) {
            EXPECT_FALSE(checked(other)) << other;
        }
    }
    EXPECT_EQ(w.zoom_box()->text(), "100%");

    editor.trigger(zoom_command(2));
    EXPECT_EQ(s.view.zoom, 2);
    EXPECT_TRUE(checked(zoom_command(2)));
    EXPECT_FALSE(checked(zoom_command(1)));
    EXPECT_EQ(w.zoom_box()->text(), "200%");
}

TEST_F(ToolbarTest, ZoomButtonsAndScrollBars)
{
    editor.trigger(zoom_command(1));
    click("loupe+");
    EXPECT_EQ(s.view.zoom, 2);
    EXPECT_EQ(w.horizontal_bar()->value(), 105); // the offsets moved by 100 cm
    EXPECT_EQ(w.vertical_bar()->value(), 105);
    EXPECT_EQ(w.zoom_box()->text(), "200%");
    click("loupe-");
    click("loupe-");
    EXPECT_EQ(s.view.zoom, 0.5);
    EXPECT_EQ(w.zoom_box()->text(), "50%");
    EXPECT_TRUE(checked(zoom_command(0.5)));
    click("loupeall");
    EXPECT_TRUE(s.view.zoom_auto);
    EXPECT_EQ(w.horizontal_bar()->value(), 100);

    // A scroll shows one frame at once (moved from the last one), the exact one following.
    const int redraws = w.plan_widget()->full_redraws() + w.plan_widget()->quick_frames();
    w.vertical_bar()->setValue(110);
    EXPECT_EQ(s.view.decal_y, -200);
    EXPECT_EQ(w.plan_widget()->full_redraws() + w.plan_widget()->quick_frames(), redraws + 1);
    w.horizontal_bar()->setValue(90);
    EXPECT_EQ(s.view.decal_x, 200);
}

TEST_F(ToolbarTest, ViewSwitchesToggleAndTick)
{
    EXPECT_TRUE(checked(command::angle_errors)); // shown at start
    editor.trigger(command::object_names);
    EXPECT_TRUE(s.view.aff_noms);
    EXPECT_TRUE(checked(command::object_names));
    editor.trigger(command::object_names);
    EXPECT_FALSE(s.view.aff_noms);
    EXPECT_FALSE(checked(command::object_names));
    editor.trigger(command::angle_errors);
    EXPECT_FALSE(s.view.aff_erreur_angle);
    editor.trigger(command::big_labels);
    EXPECT_TRUE(s.view.aff_grande_etiquette);
    EXPECT_TRUE(checked(command::big_labels));
}

TEST_F(ToolbarTest, StandFilterFadesLibrariesTwoToSevenAndStaysWhileOtherFiltersChange)
{
    for (int library : {1, 2, 5, 7, 8, 11})
        define(s.components, 100 * library, 50, 10, library);
    std::map<int, int> object_of;
    object_of[0] = place_object(s, 0, 100, 100);
    for (int library : {1, 2, 5, 7, 8, 11})
        object_of[library] = place_object(s, 100 * library, 100, 100);
    const int raised = place_object(s, 100 * 8, 300, 100);
    s.plan.obj_elevation[size_t(raised)] = 50;
    s.plan.index_focus = 1;
    ASSERT_TRUE(select_object(s.plan, 2).ok());

    auto faded = [&](int library) { return s.plan.obj_estompe[size_t(object_of[library])] == 0; };
    click("stand");
    EXPECT_FALSE(s.view.filter_stand);
    for (int library : {2, 5, 7})
        EXPECT_TRUE(faded(library)) << library;
    for (int library : {0, 1, 8, 11})
        EXPECT_FALSE(faded(library)) << library;
    EXPECT_EQ(s.plan.index_focus, 0);
    EXPECT_EQ(s.plan.nb_selection, 0);

    click("vek");
    EXPECT_TRUE(faded(0));
    EXPECT_TRUE(faded(2));
    click("vek");
    EXPECT_FALSE(faded(0));
    for (int library : {2, 5, 7})
        EXPECT_TRUE(faded(library)) << library;
    click("acc_vek");
    EXPECT_TRUE(faded(1));
    EXPECT_TRUE(faded(11));
    EXPECT_TRUE(faded(5));
    click("elevation");
    EXPECT_TRUE(s.plan.obj_estompe[size_t(raised)] == 0);
    EXPECT_FALSE(faded(8));

    click("stand");
    click("acc_vek");
    click("elevation");
    for (auto [library, i] : object_of)
        EXPECT_EQ(s.plan.obj_estompe[size_t(i)], -1) << library;
}

// Real presses: a press steps at once, the repeat waits 300 ms, then steps every 110 ms with the
// left button and every 55 ms with the right one until the release, and stops at the last library.
TEST_F(ToolbarTest, TheArrowsStepOnceThenRepeatWhileHeldTwiceAsFastWithTheRightButton)
{
    s.libraries.order = {};
    for (int position = 1; position <= 6; ++position) {
        s.libraries.order[size_t(position)] = 10 + position;
        s.libraries.name[size_t(10 + position)] = "L" + std::to_string(position);
    }
    s.libraries.current_position = 0;
    s.libraries.current_library = 0;
    auto* right = qobject_cast<LibraryArrowButton*>(w.toolbar_button("d"));
    auto* left = qobject_cast<LibraryArrowButton*>(w.toolbar_button("g"));
    ASSERT_TRUE(right && left);
    int steps = 0;
    QObject::connect(&right->repeat_timer(), &QTimer::timeout, [&] { ++steps; });
    auto wait_for = [](auto done) { return QTest::qWaitFor(done, 20000); };

    // A click is one step: the repeat has not started when the button comes up.
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(s.libraries.current_position, 1);
    EXPECT_FALSE(right->held());

    QTest::mousePress(right, Qt::LeftButton);
    EXPECT_EQ(s.libraries.current_position, 2); // the press steps at once
    EXPECT_TRUE(right->delay_timer().isActive());
    EXPECT_EQ(right->delay_timer().interval(), arrow_repeat_delay_ms);
    EXPECT_FALSE(right->repeat_timer().isActive());
    // After the wait, one more step and the repeat at the left button's pace.
    ASSERT_TRUE(wait_for([&] { return right->repeat_timer().isActive(); }));
    EXPECT_EQ(s.libraries.current_position, 3);
    EXPECT_EQ(right->repeat_timer().interval(), arrow_repeat_left_ms);
    ASSERT_TRUE(wait_for([&] { return steps >= 1; }));
    EXPECT_EQ(s.libraries.current_position, 4);
    QTest::mouseRelease(right, Qt::LeftButton);
    EXPECT_FALSE(right->held());
    const int stopped = s.libraries.current_position;
    QTest::qWait(2 * arrow_repeat_left_ms);
    EXPECT_EQ(s.libraries.current_position, stopped);

    QTest::mousePress(right, Qt::RightButton);
    ASSERT_TRUE(wait_for([&] { return right->repeat_timer().isActive(); }));
    EXPECT_EQ(right->repeat_timer().interval(), arrow_repeat_right_ms);
    // Held long enough, it stops at the last library of the index.
    ASSERT_TRUE(wait_for([&] { return s.libraries.current_position == 6; }));
    QTest::qWait(2 * arrow_repeat_right_ms);
    EXPECT_EQ(s.libraries.current_position, 6);
    EXPECT_EQ(s.libraries.current_library, 16);
    QTest::mouseRelease(right, Qt::RightButton);
    EXPECT_EQ(w.findChild<QLabel*>("stb_library")->text(), "L6");

    QTest::mousePress(left, Qt::LeftButton);
    EXPECT_EQ(s.libraries.current_position, 5);
    QTest::mouseRelease(left, Qt::LeftButton);

    // A middle button does not step.
    QTest::mousePress(left, Qt::MiddleButton);
    QTest::mouseRelease(left, Qt::MiddleButton);
    EXPECT_EQ(s.libraries.current_position, 5);
}

TEST_F(ToolbarTest, TheMenusTakeThePlansFocus)
{
    s.shell.plan_focus = true;
    QMenuBar* bar = w.menuBar();
    QTest::mouseMove(bar, bar->actionGeometry(bar->actions().at(0)).center());
    EXPECT_FALSE(s.shell.plan_focus);

    s.shell.plan_focus = true;
    QAction* save = editor.action(command::save);
    save->hover();
    EXPECT_FALSE(s.shell.plan_focus);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Save the design"); // the entry's hint
    editor.action(command::undo)->hover();
    EXPECT_EQ(w.statusBar()->currentMessage(), "Undo the last change to the design");

    // A key on the window gives the focus back.
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_TRUE(s.shell.plan_focus);
    // And a command takes it away again.
    editor.trigger(command::object_names);
    EXPECT_FALSE(s.shell.plan_focus);
}

TEST_F(ToolbarTest, TooltipsComeFromTheInterfaceTexts)
{
    EXPECT_EQ(w.toolbar_button("loupe+")->toolTip(), "Zoom in");
    // Buttons without a text of their own get one in the interface language.
    EXPECT_EQ(w.toolbar_button("g")->toolTip(), "Previous library");
    EXPECT_EQ(w.toolbar_button("d")->toolTip(), "Next library");
    EXPECT_EQ(w.toolbar_button("mesure")->toolTip(), "Measure a distance");
    EXPECT_EQ(w.toolbar_button("color")->toolTip(), "Colour palette");
    editor.trigger(command::french);
    EXPECT_EQ(w.toolbar_button("d")->toolTip(), "Librairie suivante");
    EXPECT_EQ(w.toolbar_button("stand")->toolTip(), "Active / Desactive les stands");
    EXPECT_EQ(w.toolbar_button("stand")->toolTip(), "Active / Desactive les stands");
    EXPECT_EQ(w.toolbar_button("elevation")->toolTip(), QString::fromUtf8("Active / Desactive les objets en \xC3\xA9l\xC3\xA9vation"));
    EXPECT_TRUE(w.toolbar_button("vek")->isChecked());
    EXPECT_FALSE(w.toolbar_button("loupe-")->isCheckable());
}

TEST_F(ToolbarTest, CommandsOfLaterWindowsAreGreyedAndDoNothing)
{
    for (int id : {command::zoom_user})
        EXPECT_FALSE(editor.action(id)->isEnabled()) << id;
    EXPECT_TRUE(w.toolbar_button("color")->isEnabled());
    const int before = s.plan.nb_objets;
    w.menu_event(command::zoom_user);
    w.menu_event(12345);
    EXPECT_EQ(s.plan.nb_objets, before);
}
