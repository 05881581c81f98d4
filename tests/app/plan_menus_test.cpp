// The plan's gestures found without a manual: the menu at a right click, the Object menu's turns and
// appends with their keys, the double-click that opens the dialog, and the names of the undo steps
// in the interface language.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QUndoStack>

#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "dialogs/pickers.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class TypedAnswers : public Pickers {
public:
    int pop_up_list(const std::vector<std::string>&) override { return -1; }
    std::optional<std::string> input_box(const std::string&, const std::string&) override
    {
        if (answers.empty())
            return std::nullopt;
        std::string a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
    std::vector<std::string> answers;
};

class PlanMenus : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    PlanWidget& plan = *w.plan_widget();
    TypedAnswers typed;
    std::vector<int> dialogs;

    void SetUp() override
    {
        w.set_pickers(&typed);
        PlanDialogs d;
        d.object_properties = [this](int object) { dialogs.push_back(object); };
        w.set_plan_dialogs(d);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        plan.resize(700, 500);
        editor.trigger(zoom_command(1));
        s.plan.index_focus = 0;
    }
    QPoint pixel(double x, double y) const
    {
        const PixelPoint p = s.view.to_pixel(x, y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), plan.mapToGlobal(QPointF(at)), button, held, {});
        QApplication::sendEvent(&plan, &event);
    }
    void right_click(QPoint at)
    {
        mouse(QEvent::MouseMove, at, Qt::NoButton, {});
        mouse(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, at, Qt::RightButton, {});
    }
    QMenu* open_menu() const { return w.findChild<QMenu*>(QStringLiteral("plan_context_menu")); }
    std::vector<QString> entries(QMenu* menu) const
    {
        std::vector<QString> names;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                names.push_back(a->objectName());
        return names;
    }
    void close_menu(QMenu* menu)
    {
        menu->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int wall(float x, float y, float rot = 0)
    {
        const int i = place_object(s, 0, x, y, rot);
        w.design_changed("Place");
        return i;
    }
};

} // namespace

TEST_F(PlanMenus, ARightClickOnAnObjectOpensItsMenuAndTurnsItInOneStep)
{
    const int i = wall(300, 300);
    const double half = s.components[0].width / 2;
    // Near the end of the wall, far from its middle: its footprint picks it.
    right_click(pixel(300 + half - 3, 300));
    QMenu* menu = open_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(s.plan.index_focus, i);
    const std::vector<QString> expected = {"menu_130", "menu_131", "menu_132", "menu_133", "menu_134", "menu_135",
                                           "menu_123", "menu_120", "menu_138", "menu_136", "context_39"};
    EXPECT_EQ(entries(menu), expected);
    const int before = w.history().stack().index();
    w.command_action(command::rotate_right)->trigger();
    close_menu(menu);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 90);
    EXPECT_FLOAT_EQ(s.plan.obj_x[size_t(i)], 300);
    EXPECT_EQ(w.history().stack().index(), before + 1);
    EXPECT_EQ(w.history().stack().undoText(), "Turn");
    EXPECT_TRUE(w.command_action(command::group)->isEnabled()); // whole again once the menu is gone
}

TEST_F(PlanMenus, ARightClickOnTheEmptyPlanOffersThePlansCommands)
{
    wall(300, 300);
    right_click(pixel(600, 450));
    QMenu* menu = open_menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(entries(menu), (std::vector<QString>{"menu_122", "menu_124", "context_47", "context_10"}));
    close_menu(menu);
}

TEST_F(PlanMenus, ObjectMenuKeysTurnAndAppend)
{
    EXPECT_EQ(w.command_action(command::rotate_left)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Left));
    EXPECT_EQ(w.command_action(command::rotate_right)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Right));
    EXPECT_EQ(w.command_action(command::append_joined)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    const int i = wall(300, 300, 10);
    s.plan.index_focus = i;
    QTest::keyClick(&plan, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 280);
    QTest::keyClick(&plan, Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(&plan, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 100);
    EXPECT_FLOAT_EQ(s.plan.obj_x[size_t(i)], 300); // Ctrl leaves the arrow's nudge out

    // No palette component chosen: the focused wall's own component is appended at its end.
    plan.state().selected_component = 0;
    s.plan.obj_rot[size_t(i)] = 0;
    QTest::keyClick(&plan, Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(s.plan.nb_objets, 2);
    EXPECT_EQ(s.plan.comp(2), s.plan.comp(i));
    EXPECT_EQ(s.plan.index_focus, 2);
    EXPECT_EQ(w.history().stack().undoText(), "Append");
}

TEST_F(PlanMenus, RotateByTakesATypedAngleAndRefusesAnythingElse)
{
    const int i = wall(300, 300);
    s.plan.index_focus = i;
    typed.answers = {"45 deg", "-45"};
    editor.trigger(command::rotate_by);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 0);
    ASSERT_EQ(editor.prompts.messages.size(), 1u);
    EXPECT_NE(editor.prompts.messages[0].find("45 deg"), std::string::npos);
    editor.trigger(command::rotate_by);
    EXPECT_FLOAT_EQ(s.plan.obj_rot[size_t(i)], 315);
}

TEST_F(PlanMenus, ADoubleClickOpensTheObjectDialog)
{
    const int i = wall(300, 300);
    const QPoint at = pixel(300 + s.components[0].width / 2 - 3, 300);
    mouse(QEvent::MouseMove, at, Qt::NoButton, {});
    mouse(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, {});
    EXPECT_TRUE(dialogs.empty());
    mouse(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, at, Qt::LeftButton, {});
    EXPECT_EQ(dialogs, std::vector<int>{i});
}

TEST_F(PlanMenus, StepNamesFollowTheInterfaceLanguage)
{
    const int i = wall(300, 300);
    s.plan.index_focus = i;
    editor.trigger(command::french);
    editor.trigger(command::rotate_right);
    EXPECT_EQ(w.history().stack().undoText(), "Tourner");
    editor.trigger(command::delete_chosen);
    EXPECT_EQ(w.history().stack().undoText(), "Supprimer");
    EXPECT_EQ(s.plan.nb_objets, 0);
}

TEST_F(PlanMenus, TheMeasuringAndZoomButtonsStayDownWhileTheirToolIsArmed)
{
    QAbstractButton* measure = w.toolbar_button("mesure");
    QAbstractButton* zoom = w.toolbar_button("loupe");
    ASSERT_TRUE(measure && zoom);
    EXPECT_FALSE(measure->isChecked());
    measure->click();
    EXPECT_TRUE(measure->isChecked());
    EXPECT_TRUE(plan.state().mode_mesure);
    QTest::keyClick(&plan, Qt::Key_Escape); // Escape puts it away
    EXPECT_FALSE(measure->isChecked());
    EXPECT_FALSE(plan.state().mode_mesure);

    // One measurement, and the button comes up with the tool.
    measure->click();
    const QPoint from = pixel(200, 200), to = pixel(300, 200);
    mouse(QEvent::MouseMove, from, Qt::NoButton, {});
    mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(measure->isChecked());
    mouse(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, {});
    EXPECT_FALSE(measure->isChecked());
    EXPECT_FALSE(plan.state().mode_mesure);

    // A second click puts an armed tool away.
    zoom->click();
    EXPECT_TRUE(zoom->isChecked());
    EXPECT_TRUE(plan.state().mode_loupe);
    zoom->click();
    EXPECT_FALSE(zoom->isChecked());
    EXPECT_FALSE(plan.state().mode_loupe);
}
