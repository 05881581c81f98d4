// The print pack from the File menu: its dialog refuses numbers out of range and remembers the
// last good ones; OK writes the pack into the chosen folder and says so in the status bar.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>

#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/session.h"
#include "app_test_support.h"
#include "dialogs/print_pack_dialog.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

void type(QWidget& dialog, const char* name, const QString& text)
{
    auto* box = dialog.findChild<QLineEdit*>(name);
    ASSERT_NE(box, nullptr) << name;
    box->setText(text);
}

} // namespace

TEST(PrintPackDialog, RefusesNumbersOutOfRangeRemembersGoodOnesAndTheMenuWritesThePack)
{
    InstallFolder app;
    Editor editor(app.path());
    ScratchDir out;
    {
        PrintPackDialog dialog(editor.session->shell.ui_text, out / "pack", editor.prompts);
        type(dialog, "pack_dpi", "5000");
        dialog.pack_ok_Click();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(editor.prompts.messages.size(), 1u);
        EXPECT_NE(editor.prompts.messages[0].find("10 to 1200"), std::string::npos);
        type(dialog, "pack_dpi", "40");
        type(dialog, "pack_bleed", "2,5");
        dialog.pack_ok_Click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.settings().dpi, 40);
        EXPECT_DOUBLE_EQ(dialog.settings().bleed_mm, 2.5);
    }
    PrintPackDialog again(editor.session->shell.ui_text, out / "pack", editor.prompts);
    EXPECT_EQ(again.findChild<QLineEdit*>("pack_dpi")->text(), "40");
    EXPECT_EQ(again.findChild<QLineEdit*>("pack_bleed")->text(), "2.5");

    // From the menu, on a design with one panel whose picture cannot be read and one that has
    // none: the pack has its manifests, the warning names the face that was to print and only it,
    // the status bar names the folder.
    const int panel = place_object(*editor.session, 0, 200, 200);
    editor.session->plan.obj_faces[size_t(panel)] = 1;
    editor.session->plan.obj_visuel_recto[size_t(panel)] = (out / "lost.jpg").string();
    const int bare = place_object(*editor.session, 0, 400, 200);
    editor.session->plan.obj_faces[size_t(bare)] = 1;
    const std::filesystem::path folder = out / "from menu";
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        type(*dialog, "pack_folder", QString::fromStdString(folder.string()));
        static_cast<PrintPackDialog*>(dialog)->pack_ok_Click();
    });
    editor.prompts.messages.clear();
    editor.trigger(command::print_pack);
    EXPECT_TRUE(std::filesystem::exists(folder / "manifest.csv"));
    EXPECT_TRUE(std::filesystem::exists(folder / "manifest.pdf"));
    ASSERT_EQ(editor.prompts.messages.size(), 1u);
    EXPECT_NE(editor.prompts.messages[0].find(std::to_string(panel) + " recto"), std::string::npos)
        << editor.prompts.messages[0];
    EXPECT_EQ(editor.prompts.messages[0].find(std::to_string(bare) + " recto"), std::string::npos)
        << editor.prompts.messages[0];
    EXPECT_NE(editor.window->statusBar()->currentMessage().toStdString().find(folder.string()), std::string::npos);
}
