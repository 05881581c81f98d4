// The commands that change or replace the design, with undo, redo and the modified flag.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QMenuBar>
#include <QTest>
#include <QTreeWidget>

#include "app/main_window.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/text_file.h"
#include "library/price_table.h"
#include "plan/groups.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"
#include "project/project_reader.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class DesignCommandsTest : public ::testing::Test {
protected:
    InstallFolder folder;
    ScratchDir documents;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;

    // Three wall frames of the built-in library, each placed as one step.
    void place_three()
    {
        for (int k = 0; k < 3; ++k) {
            place_object(s, 0, float(200 + 100 * k), 150);
            w.design_changed("Place");
        }
    }
    std::vector<float> xs() const
    {
        std::vector<float> out;
        for (int i = 1; i <= s.plan.nb_objets; ++i)
            out.push_back(s.plan.obj_x[size_t(i)]);
        return out;
    }
    // Shortcuts reach the active window only.
    void ctrl(Qt::Key key, Qt::KeyboardModifiers more = {})
    {
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::ControlModifier | more);
    }
};

} // namespace

TEST_F(DesignCommandsTest, UndoAndRedoOfADragAreOneStepEach)
{
    place_three();
    EXPECT_TRUE(w.isWindowModified());
    // A drag changes the table at the drop only and ends in one recorded step.
    s.plan.obj_x[2] = 420;
    s.plan.obj_y[2] = 180;
    s.plan.obj_rot[2] = 90;
    w.design_changed("Move");
    EXPECT_EQ(w.history().stack().count(), 4);

    ctrl(Qt::Key_Z);
    EXPECT_EQ(xs(), (std::vector<float>{200, 300, 400}));
    EXPECT_EQ(s.plan.obj_rot[2], 0);
    ctrl(Qt::Key_Y);
    EXPECT_EQ(xs(), (std::vector<float>{200, 420, 400}));
    EXPECT_EQ(s.plan.obj_rot[2], 90);
    ctrl(Qt::Key_Z);
    ctrl(Qt::Key_Z, Qt::ShiftModifier);
    EXPECT_EQ(s.plan.obj_y[2], 180);

    // Undo everything, then the menu entries say there is nothing left.
    for (int k = 0; k < 4; ++k)
        editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 0);
    EXPECT_FALSE(editor.action(command::undo)->isEnabled());
    EXPECT_TRUE(editor.action(command::redo)->isEnabled());
    EXPECT_FALSE(w.isWindowModified()); // back to the design as the base project left it
    editor.trigger(command::redo);
    EXPECT_EQ(s.plan.nb_objets, 1);
}

// An edit that reached the table without its own step must neither be swapped over by undo nor
// slip past the question about unsaved changes.
TEST_F(DesignCommandsTest, AnEditWithoutAStepIsKeptByUndoAndOfferedBeforeNew)
{
    place_three();
    s.plan.obj_x[3] = 450;
    w.design_changed("Move");
    w.history().mark_saved();
    delete_object(s.plan, 1); // renumbers objects 2 and 3, with no step of its own
    ctrl(Qt::Key_Z);
    EXPECT_EQ(xs(), (std::vector<float>{200, 300, 450}));
    ctrl(Qt::Key_Y);
    EXPECT_EQ(xs(), (std::vector<float>{300, 450}));

    w.history().mark_saved();
    s.plan.obj_y[1] = 170; // again without a step
    editor.prompts.unsaved_answer = UnsavedChoice::cancel;
    editor.trigger(command::new_project);
    EXPECT_EQ(editor.prompts.unsaved_questions, 1);
    EXPECT_EQ(s.plan.nb_objets, 2);
}

TEST_F(DesignCommandsTest, NothingChangedRecordsNoStep)
{
    place_three();
    const int steps = w.history().stack().count();
    w.design_changed("Nothing");
    s.plan.obj_estompe[1] = 0; // fading is not an edit
    w.design_changed("Fade");
    EXPECT_EQ(w.history().stack().count(), steps);
}

TEST_F(DesignCommandsTest, UndoAndRedoOfAGroupAndOfUngroupAll)
{
    place_three();
    for (int i = 1; i <= 3; ++i)
        ASSERT_TRUE(select_object(s.plan, i).ok());
    Result<int> group = group_selection(s.plan);
    ASSERT_TRUE(group.ok());
    w.design_changed("Group");
    ASSERT_EQ(s.plan.nb_objets, 4);
    EXPECT_TRUE(s.plan.is_group(4));

    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(s.plan.obj_groupe[size_t(i)], 0);
    EXPECT_EQ(s.plan.nb_selection, 0); // numbers held from before an undo are dropped
    editor.trigger(command::redo);
    ASSERT_EQ(s.plan.nb_objets, 4);
    EXPECT_EQ(s.plan.obj_groupe[1], 4);

    editor.trigger(command::ungroup_all);
    EXPECT_EQ(s.plan.nb_objets, 3);
    EXPECT_EQ(s.plan.obj_groupe[2], 0);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 4);
    EXPECT_EQ(s.plan.obj_groupe[3], 4);
}

// Every change reaches the windows through the one signal, saying what it touched; no command
// calls a window by hand.
TEST_F(DesignCommandsTest, EveryChangeIsAnnouncedOnceWithWhatItTouched)
{
    std::vector<Changes> heard;
    QObject listener;
    QObject::connect(&w.history().notifier(), &DesignNotifier::changed, &listener,
                     [&heard](Changes what) { heard.push_back(what); });
    place_three();
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_EQ(heard.back(), Changes(Change::objects));

    heard.clear();
    editor.trigger(command::undo); // held numbers are void, and a step of New brings a file back
    editor.trigger(zoom_command(1));
    editor.trigger(command::ungroup_all); // with nothing grouped: no step, yet the windows follow
    ASSERT_EQ(heard.size(), 3u);
    EXPECT_TRUE(heard[0].has(Change::renumbered) && heard[0].has(Change::file));
    EXPECT_EQ(heard[1], Changes(Change::view));
    EXPECT_TRUE(heard[2].has(Change::objects) && heard[2].has(Change::renumbered));

    heard.clear();
    editor.prompts.files.push_back(documents / "two.qlm");
    editor.trigger(command::save_as); // only the file
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], Changes(Change::file));
    editor.prompts.files.push_back(documents / "two.qlm");
    editor.trigger(command::load); // everything
    EXPECT_EQ(heard.back(), Changes::all());
}

TEST_F(DesignCommandsTest, DeleteTakesTheFocusedAndTheSelectedObjects)
{
    for (int k = 1; k <= 5; ++k)
        place_object(s, 0, float(100 * k), 100);
    w.design_changed("Place");
    s.plan.index_focus = 2;
    ASSERT_TRUE(select_object(s.plan, 4).ok());
    ASSERT_TRUE(select_object(s.plan, 5).ok());
    QTest::keyClick(&w, Qt::Key_Delete);
    EXPECT_EQ(xs(), (std::vector<float>{100, 300}));
    EXPECT_EQ(s.plan.index_focus, 0);
    EXPECT_EQ(s.plan.nb_selection, 0);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(xs(), (std::vector<float>{100, 200, 300, 400, 500}));
    // Delete with nothing chosen does nothing and records nothing.
    const int steps = w.history().stack().index();
    QTest::keyClick(&w, Qt::Key_Delete);
    EXPECT_EQ(s.plan.nb_objets, 5);
    EXPECT_EQ(w.history().stack().index(), steps);
}

TEST_F(DesignCommandsTest, MoveToTheCornerAndBack)
{
    place_object(s, 0, 400, 300, 0);
    place_object(s, 0, 600, 250, 90);
    w.design_changed("Place");
    editor.trigger(command::move_to_corner);
    double min_x = 1e9, min_y = 1e9;
    for (int i = 1; i <= 2; ++i)
        for (int e = 1; e <= 2; ++e) {
            PlanPoint p = end_point(s.plan, s.components, i, e);
            min_x = std::min(min_x, p.x);
            min_y = std::min(min_y, p.y);
        }
    EXPECT_NEAR(min_x, 105, 1e-3);
    EXPECT_NEAR(min_y, 105, 1e-3);
    editor.trigger(command::undo);
    EXPECT_EQ(xs(), (std::vector<float>{400, 600}));
}

TEST_F(DesignCommandsTest, SaveAsksForANameOnceThenWritesWithoutAsking)
{
    place_three();
    editor.prompts.files.push_back(documents / "stand");
    editor.trigger(command::save);
    const auto file = documents / "stand.qlm";
    ASSERT_TRUE(std::filesystem::exists(file));
    ASSERT_EQ(editor.prompts.requests.size(), 1u);
    EXPECT_EQ(editor.prompts.requests[0].title, "Save the design");
    EXPECT_EQ(editor.prompts.requests[0].filter, "Quilma File|*.qlm");
    EXPECT_EQ(editor.prompts.requests[0].folder, folder.path().string());
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_EQ(w.windowTitle(), QString::fromStdString("Halvern Visual Design - " + file.string() + "[*]"));
    EXPECT_EQ(s.settings().doc_path, documents.path().string());
    EXPECT_EQ(s.store->read("doc_path"), documents.path().string());

    s.plan.obj_x[1] = 250;
    w.design_changed("Move");
    EXPECT_TRUE(w.isWindowModified());
    ctrl(Qt::Key_S);
    EXPECT_EQ(editor.prompts.requests.size(), 1u);
    EXPECT_FALSE(w.isWindowModified());

    PlanTable read;
    StandSettings stand;
    auto bytes = read_project_bytes(file);
    ASSERT_TRUE(bytes.ok());
    read_project_text(bytes->bytes, file, bytes->format, ReadMode::load, s.components, read, stand);
    ASSERT_EQ(read.nb_objets, 3);
    EXPECT_EQ(read.obj_x[1], 250);

    // Undoing past the save makes the design differ from its file again.
    editor.trigger(command::undo);
    EXPECT_TRUE(w.isWindowModified());
}

TEST_F(DesignCommandsTest, AnsweringNoNameChangesNothing)
{
    place_three();
    editor.trigger(command::save_as);
    EXPECT_EQ(editor.prompts.requests.size(), 1u);
    EXPECT_TRUE(w.isWindowModified());
    EXPECT_EQ(s.project.file_name, "");
}

TEST_F(DesignCommandsTest, LoadReplacesTheDesignAndStartsAFreshHistory)
{
    place_three();
    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::save_as);
    when_window_opens("projet", [](QWidget& form) { static_cast<QDialog&>(form).reject(); });
    editor.trigger(command::new_project); // New: nothing unsaved, nothing asked
    EXPECT_EQ(editor.prompts.unsaved_questions, 0);
    EXPECT_EQ(s.plan.nb_objets, 0);
    EXPECT_EQ(s.project.file_name, "");

    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::load);
    EXPECT_EQ(s.plan.nb_objets, 3);
    EXPECT_EQ(s.project.file_name, (documents / "three.qlm").string());
    EXPECT_FALSE(w.history().stack().canUndo());
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_EQ(editor.prompts.requests.back().filter, "HVD File|*.qlm|Vek File|*.vek;");
    EXPECT_EQ(editor.prompts.requests.back().title, "Open a design");

    // A file that cannot be read leaves the design and its history as they were.
    s.plan.obj_x[1] = 1;
    w.design_changed("Move");
    editor.prompts.unsaved_answer = UnsavedChoice::discard;
    editor.prompts.files.push_back(documents / "missing.qlm");
    editor.trigger(command::load);
    EXPECT_EQ(s.plan.nb_objets, 3);
    EXPECT_EQ(s.plan.obj_x[1], 1);
    EXPECT_TRUE(w.history().stack().canUndo());
    EXPECT_EQ(editor.prompts.load_errors.back(), LoadError::unreadable_file);
}

TEST_F(DesignCommandsTest, ImportAddsObjectsAsOneStep)
{
    place_three();
    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::save_as);
    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::import_project);
    EXPECT_EQ(s.plan.nb_objets, 6);
    EXPECT_EQ(s.project.file_name, (documents / "three.qlm").string()); // an import never changes the file
    EXPECT_TRUE(w.isWindowModified());
    EXPECT_EQ(editor.prompts.requests.back().title, "Import a design");
    EXPECT_EQ(editor.prompts.requests.back().folder, s.settings().import_path);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(s.plan.nb_objets, 3);
    EXPECT_FALSE(w.isWindowModified());
}

TEST_F(DesignCommandsTest, UnsavedChangesAreOfferedBeforeNewLoadAndClose)
{
    place_three();
    editor.prompts.unsaved_answer = UnsavedChoice::cancel;
    editor.trigger(command::new_project);
    EXPECT_EQ(editor.prompts.unsaved_questions, 1);
    EXPECT_EQ(s.plan.nb_objets, 3);
    editor.trigger(command::load);
    EXPECT_EQ(editor.prompts.unsaved_questions, 2);
    EXPECT_TRUE(editor.prompts.requests.empty()); // cancelled before the file dialog
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(s.shell.quit_requested);

    // Save, but no name given: the design stays, and so does the window.
    editor.prompts.unsaved_answer = UnsavedChoice::save;
    editor.trigger(command::new_project);
    EXPECT_EQ(s.plan.nb_objets, 3);

    editor.prompts.unsaved_answer = UnsavedChoice::discard;
    when_window_opens("projet", [](QWidget& form) { static_cast<QDialog&>(form).reject(); });
    editor.trigger(command::new_project);
    EXPECT_EQ(s.plan.nb_objets, 0);
    EXPECT_FALSE(w.isWindowModified());
    // New is a step like any other.
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 3);

    editor.prompts.unsaved_answer = UnsavedChoice::save;
    editor.prompts.files.push_back(documents / "kept.qlm");
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(std::filesystem::exists(documents / "kept.qlm"));
    EXPECT_TRUE(s.shell.quit_requested);
}

TEST_F(DesignCommandsTest, NewOpensTheStandFormOnTheEmptiedDesign)
{
    place_three();
    s.stand.client = "Earlier client";
    w.design_changed("Client");
    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::save_as);
    const StandSettings stand = s.stand;
    const int count = w.history().stack().count();

    // Cancel keeps the emptied design and the stand it had.
    int seen_objects = -1;
    when_window_opens("projet", [&](QWidget& form) {
        seen_objects = s.plan.nb_objets;
        EXPECT_EQ(form.findChild<QLineEdit*>("projet_client")->text(), "Earlier client");
        form.findChild<QLineEdit*>("projet_largeur")->setText("8");
        form.findChild<QPushButton*>("projetannule")->click();
    });
    editor.trigger(command::new_project);
    EXPECT_EQ(seen_objects, 0);
    EXPECT_EQ(s.plan.nb_objets, 0);
    EXPECT_EQ(s.project.file_name, "");
    EXPECT_EQ(s.stand, stand);
    EXPECT_EQ(w.history().stack().count(), count + 1); // New alone

    // OK is a step of its own after New's: undo takes the stand back first, then the objects.
    place_three();
    editor.prompts.unsaved_answer = UnsavedChoice::discard;
    when_window_opens("projet", [](QWidget& form) {
        form.findChild<QLineEdit*>("projet_largeur")->setText("8");
        form.findChild<QLineEdit*>("projet_client")->setText("Next client");
        form.findChild<QPushButton*>("projetok")->click();
    });
    editor.trigger(command::new_project);
    EXPECT_FLOAT_EQ(s.stand.stand_largeur, 8.0f);
    EXPECT_EQ(s.stand.client, "Next client");
    EXPECT_EQ(s.plan.nb_objets, 0);
    editor.trigger(command::undo);
    EXPECT_EQ(s.stand, stand);
    EXPECT_EQ(s.plan.nb_objets, 0);
    editor.trigger(command::undo);
    EXPECT_EQ(s.plan.nb_objets, 3);
}

TEST_F(DesignCommandsTest, QuitWithoutChangesAsksNothing)
{
    editor.trigger(command::quit);
    EXPECT_EQ(editor.prompts.unsaved_questions, 0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(s.shell.quit_requested);
}

TEST_F(DesignCommandsTest, OpeningAFileNamedOnTheCommandLine)
{
    place_three();
    editor.prompts.files.push_back(documents / "three.qlm");
    editor.trigger(command::save_as);
    when_window_opens("projet", [](QWidget& form) { static_cast<QDialog&>(form).reject(); });
    editor.trigger(command::new_project);
    w.files().open(documents / "three.qlm");
    EXPECT_EQ(s.plan.nb_objets, 3);
    EXPECT_EQ(w.windowTitle(), QString::fromStdString("Halvern Visual Design - " + (documents / "three.qlm").string() + "[*]"));
    EXPECT_FALSE(w.history().stack().canUndo());
}

TEST_F(DesignCommandsTest, PriceTableExportAndImport)
{
    s.components[0].price = 12.5;
    editor.prompts.files.push_back(documents / "prices");
    editor.trigger(command::export_price_table);
    const auto exported = documents / "prices.txt";
    ASSERT_TRUE(std::filesystem::exists(exported));
    EXPECT_EQ(editor.prompts.requests.back().filter, "Text file|*.txt");
    EXPECT_EQ(editor.prompts.requests.back().title, "Export the price table");

    auto lines = read_lines(exported);
    ASSERT_TRUE(lines.ok());
    ASSERT_EQ((*lines)[0], "0");
    (*lines)[4] = "20";
    ASSERT_TRUE(write_lines(exported, *lines).ok());
    editor.prompts.files.push_back(exported);
    editor.trigger(command::import_price_table);
    EXPECT_EQ(s.components[0].price, 20);
    EXPECT_TRUE(std::filesystem::exists(installed_price_table(folder.path())));

    // A file that is no price table is refused and changes nothing.
    folder.write("junk.txt", "hello\r\nworld\r\n");
    editor.prompts.files.push_back(folder.path() / "junk.txt");
    editor.trigger(command::import_price_table);
    EXPECT_EQ(s.components[0].price, 20);
    EXPECT_NE(editor.prompts.messages.back().find("junk.txt"), std::string::npos);

    // An installation the user cannot write: the import goes into the user's folder, and says so.
    ScratchDir user;
    s.user_dir = user.path();
    s.folder_writable = [](const std::filesystem::path&) { return false; };
    (*lines)[4] = "30";
    ASSERT_TRUE(write_lines(exported, *lines).ok());
    editor.prompts.files.push_back(exported);
    editor.trigger(command::import_price_table);
    EXPECT_EQ(s.components[0].price, 30);
    EXPECT_TRUE(std::filesystem::exists(user / "extlib/table.lib"));
    EXPECT_NE(editor.prompts.messages.back().find((user / "extlib/table.lib").string()), std::string::npos);
}

TEST_F(DesignCommandsTest, LanguageCommandsSwitchEverythingAndAreStored)
{
    editor.trigger(command::french);
    EXPECT_EQ(s.lang(), "fr");
    EXPECT_EQ(s.store->read("lang"), "fr");
    EXPECT_EQ(w.menuBar()->actions().at(0)->text(), "Fichier");
    EXPECT_EQ(editor.action(command::new_project)->text(), "Nouveau");
    EXPECT_EQ(w.component_list_window()->windowTitle(), "Liste des composants");
    EXPECT_EQ(w.component_list_window()->findChild<QTreeWidget*>("LV1")->headerItem()->text(0), "Composant");
    EXPECT_EQ(w.toolbar_button("loupe+")->toolTip(), "Zoom avant");
    EXPECT_EQ(s.components[0].name, "Violet"); // the catalogue speaks French too
    EXPECT_TRUE(editor.action(command::angle_errors)->isChecked()); // the view switches keep their ticks
    editor.trigger(command::english);
    EXPECT_EQ(s.lang(), "en");
    EXPECT_EQ(s.store->read("lang"), "en");
    EXPECT_EQ(w.menuBar()->actions().at(0)->text(), "File");
    EXPECT_EQ(s.components[0].name, "Purple");
}
