// Windows 2, 3 and 4 and the preferences dialog.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "app/design_notifier.h"
#include "app/library_window.h"
#include "app/main_window.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/numbers.h"
#include "dialogs/preferences_dialog.h"
#include "outputs/bill_of_materials.h"
#include "plan/plan_edit.h"
#include "support/plan_builder.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class WindowsTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
};

QStringList column(QTreeWidget* list, int c)
{
    QStringList out;
    for (int row = 0; row < list->topLevelItemCount(); ++row)
        out << list->topLevelItem(row)->text(c);
    return out;
}

} // namespace

TEST_F(WindowsTest, ComponentListFollowsTheDesignAndCopiesItself)
{
    ComponentListWindow* list = w.component_list_window();
    auto* lv1 = list->findChild<QTreeWidget*>("LV1");
    auto* lv2 = list->findChild<QTreeWidget*>("LV2");
    ASSERT_TRUE(lv1 && lv2);
    EXPECT_EQ(lv1->topLevelItemCount(), 0);
    EXPECT_EQ(column(lv2, 1), (QStringList{"0\u20AC", "0Kg"}));

    s.components[0].price = 10.4;
    s.components[0].weight = 1500;
    place_object(s, 0, 300, 200);
    w.design_changed("Place");
    // One wall two modules high: three frames of its own component, among the other pieces.
    ASSERT_GT(lv1->topLevelItemCount(), 1);
    EXPECT_EQ(lv1->topLevelItem(0)->text(0), QString::fromStdString(s.components[0].name));
    EXPECT_EQ(lv1->topLevelItem(0)->text(1), "3");
    EXPECT_EQ(lv1->topLevelItem(0)->text(2), "31.2");
    EXPECT_EQ(lv2->topLevelItem(0)->text(1), "31\u20AC");
    EXPECT_EQ(lv2->topLevelItem(1)->text(1), QString::fromStdString(format_number(round_half_away(list->bill().total_weight_g) / 1000)) + "Kg");
    EXPECT_EQ(lv1->topLevelItemCount(), int(list->bill().rows.size()));

    QTest::mouseClick(list->findChild<QPushButton*>("LV3"), Qt::LeftButton);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), bill_clipboard_text(list->bill()));
    EXPECT_EQ(QApplication::clipboard()->text().left(list->bill().rows[0].name.size() + 4),
              QString::fromStdString(list->bill().rows[0].name) + "\t 3\t");

    editor.trigger(command::undo);
    EXPECT_EQ(lv1->topLevelItemCount(), 0);
}

TEST_F(WindowsTest, TheComponentListCommandOpensAndClosesWindowTwo)
{
    ASSERT_TRUE(w.aux_window_open(AuxWindow::component_list));
    editor.trigger(command::component_list);
    EXPECT_FALSE(w.aux_window_open(AuxWindow::component_list));
    editor.trigger(command::component_list);
    EXPECT_TRUE(w.aux_window_open(AuxWindow::component_list));
    editor.trigger(command::library_window);
    EXPECT_FALSE(w.aux_window_open(AuxWindow::library));
    editor.trigger(command::library_window);
    EXPECT_TRUE(w.aux_window_open(AuxWindow::library));
}

TEST_F(WindowsTest, LibraryWindowListsLibrariesAndShowsTheirComponents)
{
    s.libraries.order[1] = 3;
    s.libraries.order[2] = 12;
    s.libraries.name[3] = "Panels";
    s.libraries.name[12] = "Lights";
    define(s.components, 300, 100, 20, 3);
    define(s.components, 305, 40, 40, 3).short_name = "P5";
    define(s.components, 307, 40, 40, 3).hidden = -1;
    w.library_window()->refresh();

    QComboBox* select = w.library_window()->select_lib();
    ASSERT_EQ(select->count(), 3);
    EXPECT_EQ(select->itemText(0), "VEK");
    EXPECT_EQ(select->itemText(1), "Panels");
    EXPECT_EQ(select->currentIndex(), 0);
    // Library 0 offers its wall frames, not the hidden pieces from 20 on.
    for (int n : w.library_window()->grid()->components())
        EXPECT_LT(n, 20);

    w.library_window()->choose_entry(1);
    EXPECT_EQ(s.libraries.current_library, 3);
    EXPECT_EQ(s.libraries.current_position, 1);
    EXPECT_EQ(w.library_window()->grid()->components(), (std::vector<int>{300, 305}));
    EXPECT_EQ(w.findChild<QLabel*>("stb_library")->text(), "Panels");

    EXPECT_TRUE(w.library_window()->choose_by_text("IGH"));
    EXPECT_EQ(s.libraries.current_library, 12);
    EXPECT_TRUE(w.library_window()->grid()->components().empty());
    EXPECT_FALSE(w.library_window()->choose_by_text("nothing like it"));
    EXPECT_EQ(s.libraries.current_library, 12);

    // The toolbar's arrows and the list agree.
    QTest::mouseClick(w.toolbar_button("g"), Qt::LeftButton);
    EXPECT_EQ(select->currentIndex(), 1);
}

TEST_F(WindowsTest, LibraryGridDrawsEachComponentInItsCell)
{
    LibraryGrid* grid = w.library_window()->grid();
    grid->resize(3 * library_cell, 400);
    grid->refresh();
    ASSERT_FALSE(grid->components().empty());
    EXPECT_EQ(grid->columns(), 3);
    EXPECT_EQ(grid->component_at({10, 10}), grid->components()[0]);
    EXPECT_EQ(grid->component_at({library_cell + 10, 10}), grid->components()[1]);
    EXPECT_EQ(grid->component_at({10, library_cell + library_cell_text + 10}), grid->components()[3]);
    EXPECT_EQ(grid->component_at({3 * library_cell + 5, 10}), -1);

    const QImage picture = grid->grab().toImage();
    auto dark_pixels = [&](QRect r) {
        int dark = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                dark += qGray(picture.pixel(x, y)) < 128;
        return dark;
    };
    EXPECT_GT(dark_pixels({0, 0, library_cell, library_cell}), 20);                 // the outline
    EXPECT_GT(dark_pixels({0, library_cell, library_cell, library_cell_text}), 5);   // its name
}

TEST_F(WindowsTest, TheObjectTableOfWindowThree)
{
    place_object(s, 0, 100, 100);
    place_object(s, 1, 200, 100);
    s.plan.obj_comp[2] = -1;
    w.open_aux_window(AuxWindow::diagnostic);
    DiagnosticWindow* table_window = w.diagnostic_window();
    ASSERT_NE(table_window, nullptr);
    EXPECT_EQ(table_window->windowTitle(), "Library");
    QTableWidget* table = table_window->table();
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "NOM");
    EXPECT_EQ(table->item(0, 0)->text(), "1");
    EXPECT_EQ(table->item(0, 1)->text(), QString::fromStdString(s.components[0].name));
    EXPECT_EQ(table->item(1, 1)->text(), "DEL");
    EXPECT_EQ(table->item(0, 5)->text(), "228");
    EXPECT_TRUE(table_window->findChild<QLabel*>("memory")->text().startsWith("Memory:"));

    // Follows the objects while shown; a hidden window does no work and catches up when shown again.
    place_object(s, 2, 300, 100);
    w.history().commit("place");
    EXPECT_EQ(table->rowCount(), 3);
    table_window->hide();
    place_object(s, 0, 400, 100);
    w.history().commit("place");
    EXPECT_EQ(table->rowCount(), 3);
    table_window->show();
    EXPECT_EQ(table->rowCount(), 4);
}

TEST(Preferences, NamedControlsShowTheSettingsAndOkWritesThem)
{
    Settings settings = Settings::defaults("/inst");
    settings.doc_path = "/docs";
    UiText texts;
    texts.set(83, "Preferences");
    texts.set(2, "Cancel");
    PreferencesDialog dialog(settings, texts);
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    auto* player = dialog.findChild<QComboBox*>("pref_pr1_b");
    auto* smooth = dialog.findChild<QCheckBox*>("pref_pr3_b");
    auto* smooth_moving = dialog.findChild<QCheckBox*>("pref_pr3_c");
    auto* doc = dialog.findChild<QLineEdit*>("pref_pr2_b");
    ASSERT_TRUE(player && smooth && smooth_moving && doc);
    EXPECT_EQ(player->itemText(1), "Cortona Player/Bs contact");
    EXPECT_EQ(player->currentIndex(), 0);
    EXPECT_TRUE(smooth->isChecked());
    EXPECT_FALSE(smooth_moving->isChecked());
    EXPECT_EQ(doc->text(), "/docs");
    EXPECT_TRUE(doc->isReadOnly());
    EXPECT_EQ(dialog.findChild<QLineEdit*>("pref_pr2_d")->text(), "/inst");
    EXPECT_EQ(dialog.findChild<QPushButton*>("pref_annule")->text(), "Cancel");
    for (const char* name : {"pref_pr1_a", "pref_pr2_a", "pref_pr2_c", "pref_pr2_e", "pref_pr3_a"})
        EXPECT_NE(dialog.findChild<QLabel*>(name), nullptr) << name;

    player->setCurrentIndex(1);
    smooth->setChecked(false);
    smooth_moving->setChecked(true);
    QTest::mouseClick(dialog.findChild<QPushButton*>("pref_ok"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(settings.config_player, 1);
    EXPECT_EQ(settings.view_qualite, 0);
    EXPECT_EQ(settings.view_qualite_tr, 1);
}

TEST(Preferences, TheCloseBoxKeepsThePreviousChoices)
{
    Settings settings = Settings::defaults("/inst");
    settings.config_player = 1;
    UiText texts;
    PreferencesDialog dialog(settings, texts);
    dialog.show();
    dialog.findChild<QComboBox*>("pref_pr1_b")->setCurrentIndex(0);
    dialog.findChild<QCheckBox*>("pref_pr3_b")->setChecked(false);
    dialog.close();
    EXPECT_EQ(settings.config_player, 1);
    EXPECT_EQ(settings.view_qualite, 1);
}

TEST_F(WindowsTest, PreferencesFromTheMenuAreStored)
{
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PreferencesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QCheckBox*>("pref_pr3_c")->setChecked(true);
        auto* in_program = dialog->findChild<QCheckBox*>("pref_view3d_in_program");
        ASSERT_NE(in_program, nullptr);
        EXPECT_TRUE(in_program->isChecked()); // the default: the program's own 3D window
        in_program->setChecked(false);
        QTest::mouseClick(dialog->findChild<QPushButton*>("pref_ok"), Qt::LeftButton);
    });
    editor.trigger(command::preferences);
    EXPECT_EQ(s.settings().view_qualite_tr, 1);
    EXPECT_EQ(s.store->read("view_qualite_tr"), "1");
    EXPECT_FALSE(views_open_in_program(*s.store));
    EXPECT_EQ(s.store->read("viewer"), ""); // not among the seven keys
}

TEST_F(WindowsTest, TheDebugDisplayBringsTheObjectTable)
{
    editor.trigger(command::debug_display);
    EXPECT_TRUE(s.view.aff_debug);
    EXPECT_TRUE(w.aux_window_open(AuxWindow::diagnostic));
    editor.trigger(command::debug_display);
    EXPECT_FALSE(w.aux_window_open(AuxWindow::diagnostic));
}

TEST_F(WindowsTest, TheAboutWindowShowsTheVersionUntilOk)
{
    editor.trigger(command::about);
    QWidget* about = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "splash_info" && top->isVisible())
            about = top;
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->findChild<QLabel*>("splash_version")->text(), "AlphaV 1.11 Build 9100");
    QTest::mouseClick(about->findChild<QPushButton*>("Splash_close"), Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
}

// Closing the program while the library name box holds the focus: the box loses its focus while
// the window is already being taken apart, and the window must no longer answer it.
TEST_F(WindowsTest, TheLibraryWindowGoesQuietlyWithItsNameBoxFocused)
{
    DesignNotifier notifier;
    auto* window = new LibraryWindow(s, notifier);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    window->activateWindow();
    QComboBox* select = window->select_lib();
    select->lineEdit()->setFocus();
    QApplication::processEvents();
    select->lineEdit()->setText("typed, not finished");
    int answered = 0;
    QObject watcher;
    QObject::connect(select, &QComboBox::editTextChanged, &watcher, [&answered] { ++answered; });
    delete window;
    EXPECT_EQ(answered, 0);
}
