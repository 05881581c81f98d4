// The object editor as a user meets it: opened by Ctrl+click on a palette cell or a library cell,
// its named controls, a copy saved under its own file, and "Voir" before "Ok".

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QRegularExpression>
#include <QTimer>

#include <functional>

#include "app/library_window.h"
#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/ui_text_ids.h"
#include "app/menu_tables.h"
#include "dialogs/object_editor.h"
#include "library/definition_file.h"
#include "plan/palette.h"
#include "support/plan_builder.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class ObjectEditorTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    std::filesystem::path library_folder = folder.path() / "extlib" / "2";

    void SetUp() override
    {
        std::filesystem::create_directories(library_folder);
        s.libraries.order[1] = 2;
        s.libraries.name[2] = "Comptoirs";
        s.libraries.current_library = 2;
        s.libraries.current_position = 1;
        Component& c = define(s.components, 205, 120, 50, 2);
        c.name = "Comptoir";
        c.file_name = "comptoir.lib";
        c.draw_color = 0x0000FF; // red
        ASSERT_TRUE(write_definition_file(s.app_dir(), s.components, 205).ok());
        w.plan_widget()->resize(700, 700);
        w.plan_widget()->redraw();
    }

    // Runs `inside` on the editor once it is open, while `open` waits for it to close.
    bool in_editor(const std::function<void()>& open, const std::function<void(ObjectEditor&)>& inside)
    {
        bool seen = false;
        // Pointer events may run the event loop before the editor opens: wait for it to be there.
        QTimer poll;
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<ObjectEditor*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            poll.stop();
            seen = true;
            inside(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        poll.start();
        open();
        poll.stop();
        return seen;
    }

    // A pointer that arrives at `at` and clicks there with Ctrl held.
    void ctrl_click(QWidget* target, QPoint at)
    {
        QTest::mouseMove(target, at);
        QMouseEvent moved(QEvent::MouseMove, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::NoButton, {},
                          Qt::ControlModifier);
        QApplication::sendEvent(target, &moved);
        QTest::mouseClick(target, Qt::LeftButton, Qt::ControlModifier, at);
    }
};

QLineEdit* entry(QWidget& d, const QString& name) { return d.findChild<QLineEdit*>(name); }
void click(QWidget& d, const char* name) { QTest::mouseClick(d.findChild<QPushButton*>(name), Qt::LeftButton); }

} // namespace

TEST_F(ObjectEditorTest, CtrlClickOnAPaletteCellOpensTheEditorThatSavesACopy)
{
    const std::string original = read_bytes(library_folder / "comptoir.lib");
    const QPoint cell5(37, palette_head + palette_cell_height * 5 + 37);
    const PaletteLayout shown = palette_layout(s.components, s.libraries, {}, w.plan_widget()->height());
    ASSERT_GT(shown.cells.size(), 5u) << w.plan_widget()->height();
    EXPECT_EQ(shown.cells[5].component, 205);
    EXPECT_TRUE(shown.cells[5].pickable);
    const bool opened = in_editor([&] { ctrl_click(w.plan_widget(), cell5); }, [&](ObjectEditor& d) {
        EXPECT_EQ(d.component(), 205);
        EXPECT_EQ(d.windowTitle(), "Editeur d'objet");
        EXPECT_EQ(d.findChild<QTabWidget*>("tbs")->count(), 5);
        EXPECT_EQ(d.findChild<QPushButton*>("edit_annule")->text().toStdString(), s.text(ui::cancel));
        EXPECT_EQ(d.findChild<QPushButton*>("edit_save")->text(), "Sauver fichier");
        EXPECT_EQ(entry(d, "edit_pr3_5b")->toolTip(), "Couleur en hexa type FF00AA");
        EXPECT_EQ(entry(d, "edit_pr3_5b")->text(), "0000FF");
        EXPECT_EQ(entry(d, "edit_pr1_7bx")->text(), "Auto");
        EXPECT_EQ(d.findChild<QComboBox*>("edit_pr3_1b")->itemText(12), "Chemin personnalisé");
        EXPECT_EQ(d.findChildren<QLineEdit*>(QRegularExpression("^edit_pr4_1b_\\d+$")).size(), 11);
        EXPECT_EQ(d.findChildren<QLineEdit*>(QRegularExpression("^edit_pr5_1g_\\d+$")).size(), 5);
        ASSERT_NE(entry(d, "edit_pr4_7b_10"), nullptr);

        entry(d, "edit_pr1_2b")->setText("206");
        entry(d, "edit_pr1_1b")->setText("Comptoir haut");
        entry(d, "edit_pr1_7by")->setText("AUTO ");
        d.findChild<QComboBox*>("edit_pr3_1b")->setCurrentIndex(11);
        click(d, "edit_save");
        EXPECT_EQ(entry(d, "edit_pr1_3b")->text(), "206.lib");
        EXPECT_TRUE(d.isVisible()); // saving does not close
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(read_bytes(library_folder / "comptoir.lib"), original);
    ASSERT_TRUE(std::filesystem::exists(library_folder / "206.lib"));
    EXPECT_EQ(s.components[205].name, "Comptoir");
    EXPECT_EQ(s.components[206].name, "Comptoir haut");
    EXPECT_EQ(s.components[206].shape, 99);
    EXPECT_EQ(s.components[206].pivot_y, -1);

    // The palette offers the copy at once.
    const PaletteLayout layout = palette_layout(s.components, s.libraries, {}, 700);
    EXPECT_TRUE(layout.cells.at(6).pickable);
    EXPECT_EQ(layout.cells.at(6).component, 206);
}

TEST_F(ObjectEditorTest, VoirShowsTheStoredTypeInTheLibraryWindowAndOkAppliesIt)
{
    editor.trigger(command::library_window);
    LibraryWindow* library = w.library_window();
    ASSERT_NE(library, nullptr);
    library->refresh();
    LibraryGrid* grid = library->grid();
    ASSERT_EQ(grid->components(), std::vector<int>{205});
    const double zoom = s.view.zoom;

    const auto count = [](const QImage& image, auto test) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += test(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    };
    const auto reddish = [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
    const auto greenish = [](QColor c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; };

    const bool opened = in_editor([&] { ctrl_click(grid, {20, 20}); }, [&](ObjectEditor& d) {
        EXPECT_EQ(d.component(), 205);
        entry(d, "edit_pr3_5b")->setText("00ff00");
        click(d, "edit_voir");
        EXPECT_EQ(grid->previewed(), 205);
        const QImage shown = grid->grab().toImage();
        EXPECT_GT(count(shown, reddish), 0);
        EXPECT_EQ(count(shown, greenish), 0);
        EXPECT_EQ(s.view.zoom, zoom);
        click(d, "edit_ok");
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(s.components[205].draw_color, 0x00FF00);
    EXPECT_GT(count(grid->grab().toImage(), greenish), 0);
}

TEST_F(ObjectEditorTest, AReadOnlyInstallationSavesIntoTheUsersFolderAndSaysWhere)
{
    ScratchDir user;
    s.user_dir = user.path();
    s.folder_writable = [](const std::filesystem::path&) { return false; };
    const QPoint cell5(37, palette_head + palette_cell_height * 5 + 37);
    const bool opened = in_editor([&] { ctrl_click(w.plan_widget(), cell5); }, [&](ObjectEditor& d) {
        EXPECT_EQ(d.component(), 205);
        entry(d, "edit_pr1_2b")->setText("206");
        entry(d, "edit_pr1_1b")->setText("Comptoir bas");
        click(d, "edit_save");
    });
    ASSERT_TRUE(opened);
    const auto saved = user / "extlib" / "2" / "206.lib";
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_FALSE(std::filesystem::exists(library_folder / "206.lib"));
    ASSERT_FALSE(editor.prompts.messages.empty());
    EXPECT_EQ(editor.prompts.messages.back(), s.text(ui::editor_saved_in_user_folder) + "\n" + saved.string());

    // The next start finds it in its library.
    s.components[206] = Component{};
    folder.write("extlib/lib.index", "2,1,Comptoirs\r\n");
    for (const Error& note : s.load_library(nullptr))
        ADD_FAILURE() << note.text();
    EXPECT_EQ(s.components[206].name, "Comptoir bas");
    EXPECT_EQ(s.components[206].library, 2);
}

// "Index" to a number that has its own file: "Sauver fichier" asks first; No changes nothing and
// keeps the editor open, Yes replaces that number's own file and never adds "206.lib" beside it.
TEST_F(ObjectEditorTest, SavingOverANumberWithItsOwnFileAsksThenReplacesThatFile)
{
    Component& taken = define(s.components, 206, 80, 80, 2);
    taken.name = "Table";
    taken.file_name = "table.lib";
    ASSERT_TRUE(write_definition_file(s.app_dir(), s.components, 206).ok());
    const std::string table_file = read_bytes(library_folder / "table.lib");

    for (const bool yes : {false, true}) {
        ObjectEditor d(s.components, 205, s.library_folders(), s.shell.ui_text, editor.prompts);
        entry(d, "edit_pr1_2b")->setText("206");
        entry(d, "edit_pr1_1b")->setText("Comptoir sur table");
        editor.prompts.confirm_questions.clear();
        editor.prompts.confirm_answer = yes;
        EXPECT_EQ(d.edit_save_Click(), yes);
        ASSERT_EQ(editor.prompts.confirm_questions.size(), 1u);
        EXPECT_NE(editor.prompts.confirm_questions[0].find("table.lib"), std::string::npos);
        EXPECT_EQ(s.components[206].name, yes ? "Comptoir sur table" : "Table");
        EXPECT_EQ(read_bytes(library_folder / "table.lib") == table_file, !yes);
    }
    EXPECT_FALSE(std::filesystem::exists(library_folder / "206.lib"));
    EXPECT_EQ(s.components[206].library, 2);
}
