// The editor around the plan: docks remembered between runs, the standard editing keys (each one
// undo step), zoom at the pointer and typed, the searchable library with its drag and double-click,
// and imported objects that arrive selected.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>

#include "app/library_window.h"
#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "plan/plan_edit.h"
#include "project/object_clipboard.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class EditorAroundThePlan : public ::testing::Test {
protected:
    InstallFolder folder;
    ScratchDir documents;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    PlanWidget& plan = *w.plan_widget();

    void SetUp() override
    {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        plan.resize(700, 500);
        plan.redraw();
    }
    QPoint pixel(double x, double y) const
    {
        PixelPoint p = s.view.to_pixel(x, y);
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void hover(QPoint at)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), plan.mapToGlobal(QPointF(at)), Qt::NoButton, {}, {});
        QApplication::sendEvent(&plan, &event);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&plan, Qt::Key(k), modifiers); }
    int steps() const { return w.history().stack().index(); }
    int focused_wall(float x, float y)
    {
        const int i = place_object(s, 0, x, y);
        w.design_changed("Place");
        s.plan.index_focus = i;
        return i;
    }
};

} // namespace

TEST_F(EditorAroundThePlan, DocksAreOnTheRightAndComeBackAsTheUserLeftThem)
{
    QDockWidget* list = w.dock(AuxWindow::component_list);
    QDockWidget* library = w.dock(AuxWindow::library);
    ASSERT_TRUE(list && library);
    EXPECT_EQ(list->widget(), w.component_list_window());
    EXPECT_EQ(w.dockWidgetArea(list), Qt::RightDockWidgetArea);
    EXPECT_EQ(w.dockWidgetArea(library), Qt::RightDockWidgetArea);
    EXPECT_FALSE(list->isFloating());
    EXPECT_TRUE(editor.action(command::component_list)->isChecked());
    EXPECT_TRUE(editor.action(command::library_window)->isChecked());

    // Closed by its own button: the View menu's mark follows, and the menu opens it again.
    list->close();
    EXPECT_FALSE(editor.action(command::component_list)->isChecked());
    editor.trigger(command::component_list);
    EXPECT_TRUE(w.aux_window_open(AuxWindow::component_list));
    EXPECT_TRUE(editor.action(command::component_list)->isChecked());

    // Floated far past every screen, the list closed; then the program ends and starts again.
    library->setFloating(true);
    library->move(20000, 20000);
    list->close();
    w.close();
    auto& store = static_cast<MemorySettingsStore&>(*s.store);
    EXPECT_FALSE(store.values["Window/state"].empty());
    EXPECT_EQ(store.values.count("state"), 0u); // the seven keys of "Current" stay as they were

    Editor again(folder.path(), store.values);
    QDockWidget* library2 = again.window->dock(AuxWindow::library);
    EXPECT_TRUE(library2->isFloating());
    EXPECT_FALSE(again.window->aux_window_open(AuxWindow::component_list));
    EXPECT_FALSE(again.action(command::component_list)->isChecked());
    bool on_a_screen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        on_a_screen = on_a_screen || screen->availableGeometry().intersects(library2->frameGeometry());
    EXPECT_TRUE(on_a_screen) << library2->x() << "," << library2->y();
}

TEST_F(EditorAroundThePlan, CopyPasteCutAndDuplicateAreOneStepEachAndCtrlVStaysTheVersoToggle)
{
    const int wall = focused_wall(300, 200);
    const int faces = s.plan.obj_faces[size_t(wall)];
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.plan.obj_faces[size_t(wall)], faces ^ 2);

    const int before = steps();
    key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(steps(), before); // a copy changes nothing
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(QString::fromLatin1(copied_objects_mime.data())));
    EXPECT_TRUE(data->text().startsWith(QString::fromLatin1(copied_objects_header.data())));

    // Pasted at the pointer, alone: it is the focused object.
    hover(pixel(450, 300));
    key(Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(s.plan.nb_objets, 2);
    EXPECT_NEAR(s.plan.obj_x[2], 450, 1.5 / s.view.zoom);
    EXPECT_NEAR(s.plan.obj_y[2], 300, 1.5 / s.view.zoom);
    EXPECT_EQ(s.plan.obj_faces[2], faces ^ 2);
    EXPECT_EQ(s.plan.index_focus, 2);
    EXPECT_EQ(steps(), before + 1);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 1);

    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(s.plan.nb_objets, 2);

    // Cut: gone in one step, back with one paste.
    s.plan.index_focus = 1;
    const int cut_from = steps();
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(steps(), cut_from + 1);

    // Duplicate: right beside the original, where its end joins.
    s.plan.index_focus = 1;
    const float x = s.plan.obj_x[1], width = float(s.components[s.plan.comp(1)].width);
    key(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(s.plan.nb_objets, 2);
    EXPECT_NEAR(s.plan.obj_x[2], x + width, 10);
    EXPECT_EQ(s.plan.obj_y[2], s.plan.obj_y[1]);
    EXPECT_EQ(steps(), cut_from + 2);
}

// Ctrl+Shift+V held down, Shift let go before V: one paste, and the repeats of V under Ctrl alone
// never turn the verso of the copies, which Ctrl+D then copies again with the original's faces.
TEST_F(EditorAroundThePlan, AHeldPasteKeyPastesOnceAndCopiesKeepTheirFaces)
{
    const int wall = focused_wall(300, 200);
    s.plan.obj_faces[size_t(wall)] = 1;
    key(Qt::Key_C, Qt::ControlModifier);
    hover(pixel(450, 300));
    const Qt::KeyboardModifiers ctrl_shift = Qt::ControlModifier | Qt::ShiftModifier;
    const struct {
        Qt::KeyboardModifiers modifiers;
        bool repeat;
    } presses[] = {{ctrl_shift, false}, {ctrl_shift, true}, {ctrl_shift, true}, {Qt::ControlModifier, true},
                   {Qt::ControlModifier, true}};
    for (const auto& p : presses)
        QTest::simulateEvent(&plan, true, Qt::Key_V, p.modifiers, QStringLiteral("V"), p.repeat);
    QTest::simulateEvent(&plan, false, Qt::Key_V, Qt::ControlModifier, QStringLiteral("V"), false);
    key(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(s.plan.nb_objets, 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(s.plan.obj_faces[size_t(i)], 1) << i;
}

TEST_F(EditorAroundThePlan, SelectAllStopsAtTheSelectionsCapacityAndArrowsNudge)
{
    for (int k = 0; k < 3; ++k)
        place_object(s, 0, 150 + 60 * k, 200);
    w.design_changed("Place");
    const size_t messages = editor.prompts.messages.size();
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(s.plan.nb_selection, 3);
    EXPECT_EQ(editor.prompts.messages.size(), messages);

    const int before = steps();
    key(Qt::Key_Right);
    key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(s.plan.obj_x[1], 151);
    EXPECT_EQ(s.plan.obj_y[3], 210);
    EXPECT_EQ(steps(), before + 2); // one step per nudge
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.obj_y[3], 200);

    while (s.plan.nb_objets < max_selection + 3)
        place_object(s, 0, 300, 300);
    w.design_changed("Place");
    key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(s.plan.nb_selection, max_selection);
    ASSERT_EQ(editor.prompts.messages.size(), messages + 1);
    EXPECT_EQ(editor.prompts.messages.back(), s.text(330));
}

TEST_F(EditorAroundThePlan, EscapeDropsAnArmedToolOrALassoWithoutAChange)
{
    arm_measuring_tool(plan.state());
    key(Qt::Key_Escape);
    EXPECT_FALSE(plan.state().mode_mesure);

    focused_wall(300, 200);
    s.plan.index_focus = 0;
    const QPoint a = pixel(250, 150), b = pixel(350, 250);
    hover(a);
    QTest::mousePress(&plan, Qt::LeftButton, {}, a);
    QTest::mouseMove(&plan, b);
    EXPECT_TRUE(plan.state().flag_lasso);
    key(Qt::Key_Escape);
    QTest::mouseRelease(&plan, Qt::LeftButton, {}, b);
    EXPECT_EQ(s.plan.index_focus, 0); // the lasso round the wall was dropped
    EXPECT_EQ(s.plan.nb_selection, 0);
}

TEST_F(EditorAroundThePlan, ZoomAtThePointerTypedAndAboutTheMiddle)
{
    const QPoint at(420, 260);
    const PixelPoint under = s.view.to_plan(at.x(), at.y());
    const double zoom = s.view.zoom;
    QWheelEvent wheel(QPointF(at), plan.mapToGlobal(QPointF(at)), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plan, &wheel);
    EXPECT_NEAR(s.view.zoom, zoom * 1.25, 1e-9);
    const PixelPoint still = s.view.to_pixel(under.x, under.y);
    EXPECT_NEAR(still.x, at.x(), 1);
    EXPECT_NEAR(still.y, at.y(), 1);
    EXPECT_EQ(w.zoom_box()->text().toStdString(), zoom_text(s.view));

    QLineEdit* box = w.zoom_box();
    box->setText(QStringLiteral("150 %"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(s.view.zoom, 1.5);
    EXPECT_EQ(box->text(), "150%");
    box->setText(QStringLiteral("big"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(s.view.zoom, 1.5);
    EXPECT_EQ(box->text(), "150%");
    box->setText(QStringLiteral("37,5"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(s.view.zoom, 0.375);

    key(Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(s.view.zoom, 0.375 * 1.25);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(s.view.zoom, 0.375);
    key(Qt::Key_0, Qt::ControlModifier); // the plan's own fit
    EXPECT_TRUE(s.view.zoom_auto);
}

TEST_F(EditorAroundThePlan, TheLibraryFindsAcrossLibrariesAndPlacesWhatIsDroppedOrArmed)
{
    s.libraries.order[1] = 3;
    s.libraries.name[3] = "Furniture";
    Component& table = s.components[304];
    table = s.components[0];
    table.name = "Round table XL";
    table.short_name = "RTQ-9";
    table.library = 3;
    LibraryWindow* library = w.library_window();
    library->refresh();

    library->filter_box()->setText(QStringLiteral("table x"));
    EXPECT_EQ(library->grid()->components(), (std::vector<int>{304}));
    library->filter_box()->setText(QStringLiteral("rtq"));
    EXPECT_EQ(library->grid()->components(), (std::vector<int>{304}));
    library->filter_box()->clear();
    EXPECT_EQ(library->grid()->components(), library_components(s, s.libraries.current_library));

    // Dropped on the plan: placed where it fell, one step.
    const int before = steps();
    auto* data = new QMimeData;
    data->setData(component_mime_type(), "304");
    const QPoint at = pixel(500, 320);
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(&plan, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(&plan, &drop);
    delete data;
    ASSERT_EQ(s.plan.nb_objets, 1);
    EXPECT_EQ(s.plan.comp(1), 304);
    EXPECT_NEAR(s.plan.obj_x[1], 500, 1 / s.view.zoom);
    EXPECT_NEAR(s.plan.obj_y[1], 320, 1 / s.view.zoom);
    EXPECT_EQ(steps(), before + 1);

    // A double-click arms it as a palette pick does.
    library->filter_box()->setText(QStringLiteral("table xl"));
    QTest::mouseDClick(library->grid(), Qt::LeftButton, {}, QPoint(library_cell / 2, library_cell / 2));
    EXPECT_TRUE(plan.state().depot_palette);
    EXPECT_EQ(plan.state().selected_component, 304);
}

TEST_F(EditorAroundThePlan, ImportedObjectsArriveSelected)
{
    place_object(s, 0, 200, 200);
    place_object(s, 0, 300, 200);
    w.design_changed("Place");
    editor.prompts.files.push_back(documents.path() / "two");
    w.files().save(true);
    editor.prompts.unsaved_answer = UnsavedChoice::discard;
    w.files().new_design();
    place_object(s, 0, 100, 100);
    w.design_changed("Place");
    editor.prompts.files.push_back(documents.path() / "two.qlm");
    w.files().import();
    ASSERT_EQ(s.plan.nb_objets, 3);
    EXPECT_EQ(selected_objects(s.plan), (std::vector<int>{2, 3}));
    EXPECT_EQ(s.plan.obj_x[3], 300); // in its own place
}

TEST_F(EditorAroundThePlan, ALayoutChangeIsStoredWithoutWaitingForQuit)
{
    auto& store = static_cast<MemorySettingsStore&>(*s.store);
    store.values.erase("Window/geometry");
    w.resize(w.width() - 40, w.height() - 30);
    ASSERT_TRUE(w.layout_save_due());
    // A moment later, the program still running: a run ended by the system keeps this layout.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.layout_save_due(); }, 30000));
    ASSERT_FALSE(store.values["Window/geometry"].empty());
    Editor again(folder.path(), store.values);
    EXPECT_EQ(again.window->size(), w.size());
}
