// The "Checks" dock: it follows the design, a click brings the object into view, and a finding
// can be hidden (one undo step).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>

#include "app/checks_dock.h"
#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "plan/groups.h"
#include "plan/plan_edit.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

constexpr int frame = 3; // a built-in frame

class ChecksDockTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    ChecksDock& dock = *w.checks_dock();
    QTreeWidget* list = dock.findChild<QTreeWidget*>("checks_list");
    QPushButton* hide = dock.findChild<QPushButton*>("checks_hide");
    QCheckBox* show_hidden = dock.findChild<QCheckBox*>("checks_show_hidden");

    void SetUp() override
    {
        ASSERT_TRUE(list && hide && show_hidden);
        w.resize(1000, 700);
    }
    // The dock runs the checks once a change is complete: when the events queued with it are done.
    void settle() { QApplication::processEvents(); }
    QTreeWidgetItem* row(int heading, int child) const { return list->topLevelItem(heading)->child(child); }
};

} // namespace

TEST_F(ChecksDockTest, FollowsTheDesignAndCountsInItsTitle)
{
    EXPECT_EQ(dock.windowTitle(), "Checks (0)");
    EXPECT_EQ(dock.toggleViewAction()->objectName(), "menu_checks");
    EXPECT_EQ(list->topLevelItemCount(), 0);

    const int inside = place_object(s, frame, 300, 200);
    const int outside = place_object(s, frame, 2000, 200);
    w.design_changed("Place");
    settle();
    EXPECT_EQ(dock.windowTitle(), "Checks (1)");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Outside the floor (1)");
    ASSERT_EQ(list->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(row(0, 0)->text(0), QString::number(outside));

    // Moved back onto the floor, the finding goes; the list changes with the design.
    s.plan.obj_x[size_t(outside)] = 450;
    w.design_changed("Move");
    settle();
    EXPECT_EQ(dock.windowTitle(), "Checks (0)");
    (void)inside;
}

TEST_F(ChecksDockTest, AClickSelectsTheObjectAndBringsItIntoView)
{
    place_object(s, frame, 300, 200);
    const int far = place_object(s, frame, 2000, 900);
    w.design_changed("Place");
    settle();
    ASSERT_EQ(list->topLevelItemCount(), 1);
    emit list->itemClicked(row(0, 0), 1);
    // Picked as a click on it picks it: focused alone.
    EXPECT_EQ(s.plan.nb_selection, 0);
    EXPECT_EQ(s.plan.index_focus, far);
    EXPECT_FALSE(s.view.zoom_auto);
    const PlanWidget* plan = w.plan_widget();
    const PixelPoint at = s.view.to_pixel(2000, 900);
    EXPECT_NEAR(at.x, 75 + (plan->width() - 75) / 2.0, 1.0);
    EXPECT_NEAR(at.y, plan->height() / 2.0, 1.0);
    // A heading selects nothing.
    s.plan.index_focus = 0;
    emit list->itemClicked(list->topLevelItem(0), 0);
    EXPECT_EQ(s.plan.index_focus, 0);
    EXPECT_EQ(s.plan.nb_selection, 0);

    // A member of a group brings its whole group, as a click on the plan does.
    const int first = 1;
    ASSERT_TRUE(select_object(s.plan, first).ok());
    ASSERT_TRUE(select_object(s.plan, far).ok());
    ASSERT_TRUE(group_selection(s.plan).ok());
    clear_selection(s.plan);
    emit list->itemClicked(row(0, 0), 1);
    EXPECT_EQ(s.plan.index_focus, 0);
    ASSERT_EQ(s.plan.nb_selection, 2);
    EXPECT_EQ(s.plan.selection[1], first);
    EXPECT_EQ(s.plan.selection[2], far);
}

TEST_F(ChecksDockTest, HidingIsOneUndoStepAndCanBeShownAgain)
{
    const int outside = place_object(s, frame, 2000, 200);
    w.design_changed("Place");
    settle();
    EXPECT_FALSE(hide->isEnabled()); // nothing chosen yet
    list->setCurrentItem(row(0, 0));
    ASSERT_TRUE(hide->isEnabled());
    hide->click();
    EXPECT_EQ(dock.windowTitle(), "Checks (0)");
    EXPECT_NE(s.plan.obj_checks_hidden[size_t(outside)], 0u);
    EXPECT_EQ(list->topLevelItemCount(), 0); // hidden findings are left out of the list

    show_hidden->setChecked(true);
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Outside the floor (0)");
    list->setCurrentItem(row(0, 0));
    EXPECT_TRUE(hide->isChecked());

    editor.trigger(command::undo);
    settle();
    EXPECT_EQ(s.plan.obj_checks_hidden[size_t(outside)], 0u);
    EXPECT_EQ(dock.windowTitle(), "Checks (1)");
    ASSERT_NE(list->currentItem(), nullptr); // the row stays chosen through the rebuild
    EXPECT_FALSE(hide->isChecked());
    hide->click();
    EXPECT_EQ(dock.windowTitle(), "Checks (0)");
    hide->click(); // shown again
    EXPECT_EQ(dock.windowTitle(), "Checks (1)");
}
