// What the user is told and what the keyboard reaches: shortcuts in every window of the program,
// the question about unsaved changes, the status bar after saves, print, copy and the download
// pages.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "app/main_window.h"
#include "app/qt_prompts.h"
#include "app/qt_translations.h"
#include "app/session.h"
#include "base/ui_text.h"
#include "base/ui_text_ids.h"
#include "app_test_support.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class FeedbackTest : public ::testing::Test {
protected:
    InstallFolder folder;
    ScratchDir documents;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;

    void place_one()
    {
        place_object(s, 0, 300, 150);
        w.design_changed("Place");
    }
    std::string status() const { return w.statusBar()->currentMessage().toStdString(); }
};

} // namespace

TEST_F(FeedbackTest, ShortcutsWorkInTheComponentListAndTheLibraryWindow)
{
    for (QWidget* other : {static_cast<QWidget*>(w.component_list_window()), static_cast<QWidget*>(w.library_window())}) {
        SCOPED_TRACE(other->objectName().toStdString());
        place_one();
        const int objects = s.plan.nb_objets;
        other->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(other));
        QTest::keyClick(other, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(s.plan.nb_objets, objects - 1);
        QTest::keyClick(other, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(s.plan.nb_objets, objects);
    }
    editor.prompts.files.push_back(documents / "stand");
    QTest::keyClick(w.library_window(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(documents / "stand.qlm"));
    QTest::keyClick(w.library_window(), Qt::Key_O, Qt::ControlModifier); // Load asks for a file
    EXPECT_EQ(editor.prompts.requests.back().title, s.text(ui::load_dialog_title));
}

TEST_F(FeedbackTest, TheUnsavedQuestionNamesTheFileOrUntitled)
{
    place_one();
    editor.prompts.unsaved_answer = UnsavedChoice::cancel;
    editor.trigger(command::new_project);
    EXPECT_EQ(editor.prompts.unsaved_name, "Untitled");

    editor.prompts.files.push_back(documents / "stand");
    editor.trigger(command::save);
    place_one();
    editor.trigger(command::new_project);
    EXPECT_EQ(editor.prompts.unsaved_name, "stand.qlm");
    // Save as offers the design's own name.
    editor.prompts.files.push_back({});
    editor.trigger(command::save_as);
    EXPECT_EQ(editor.prompts.requests.back().suggested_name, "stand.qlm");

    editor.trigger(command::french);
    s.project.forget();
    editor.trigger(command::new_project);
    EXPECT_EQ(editor.prompts.unsaved_name, "Sans titre");
}

// The buttons of the question are the toolkit's own: they speak French once its translation is in.
TEST_F(FeedbackTest, TheQuestionsButtonsSpeakTheInterfaceLanguage)
{
    ASSERT_TRUE(use_qt_translations("fr"));
    QtPrompts prompts(&w, [] { return std::string("fr"); });
    UiText french;
    ASSERT_TRUE(french.load(stage_dir(), "fr"));
    prompts.set_texts([&french](int n) { return french.get(n); });
    QString text, question, cancel, save;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        question = box->informativeText();
        save = box->button(QMessageBox::Save)->text();
        cancel = box->button(QMessageBox::Cancel)->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(prompts.ask_unsaved("stand.qlm"), UnsavedChoice::cancel);
    use_qt_translations("en");
    EXPECT_EQ(text, QString::fromUtf8("Le projet stand.qlm a été modifié."));
    EXPECT_EQ(question, QString::fromUtf8("Enregistrer les modifications ?"));
    EXPECT_EQ(cancel, "Annuler");
    EXPECT_EQ(save, "Enregistrer");
}

TEST_F(FeedbackTest, TheStatusBarSaysWhatWasWrittenAndWhere)
{
    place_one();
    editor.prompts.files.push_back(documents / "stand");
    editor.trigger(command::save);
    EXPECT_EQ(status(), "Saved: " + (documents / "stand.qlm").string());

    editor.prompts.files.push_back(documents / "screen");
    editor.trigger(command::save_screen);
    EXPECT_EQ(status(), "Picture saved: " + (documents / "screen.jpg").string());

    editor.prompts.print_to = documents / "plan.pdf";
    editor.trigger(command::print);
    EXPECT_EQ(status(), "Printed on " + (documents / "plan.pdf").string());

    QTest::mouseClick(w.component_list_window()->findChild<QPushButton*>("LV3"), Qt::LeftButton);
    EXPECT_EQ(status(), "Component list copied to the clipboard");

    editor.prompts.browser = false;
    editor.trigger(command::octaga_download);
    EXPECT_EQ(editor.prompts.pages.back(), MainWindow::octaga_page);
    EXPECT_EQ(status(), std::string("No web browser could be started to show ") + MainWindow::octaga_page);
    editor.prompts.browser = true;
    w.statusBar()->clearMessage();
    editor.trigger(command::capture_download);
    EXPECT_EQ(editor.prompts.pages.back(), MainWindow::capture_page);
    EXPECT_EQ(status(), "");
}
