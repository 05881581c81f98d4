// The tiling dialog: its named rows, what it refuses before asking for a picture, and a cut from
// the menu that carries the selection in the strips' names.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/main_window.h"
#include "app/session.h"
#include "app_test_support.h"
#include "base/ui_text_ids.h"
#include "dialogs/tiling_dialog.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

QLineEdit* box(QWidget& dialog, const QString& name) { return dialog.findChild<QLineEdit*>(name); }
QLineEdit* value(QWidget& dialog, int row) { return box(dialog, QStringLiteral("l_tools_tiling_value_%1").arg(row)); }
void click(QWidget& dialog, const char* name) { QTest::mouseClick(dialog.findChild<QPushButton*>(name), Qt::LeftButton); }

int rows_visible(QWidget& dialog)
{
    int shown = 0;
    for (int row = 1; row <= 16; ++row) {
        const bool caption = dialog.findChild<QLabel*>(QStringLiteral("l_tools_tiling_%1").arg(row))->isVisibleTo(&dialog);
        EXPECT_EQ(caption, value(dialog, row)->isVisibleTo(&dialog)) << row;
        shown += caption ? 1 : 0;
    }
    return shown;
}

std::filesystem::path wide_picture(const ScratchDir& dir)
{
    QImage picture(2508, 12, QImage::Format_RGB32);
    for (int x = 0; x < picture.width(); ++x)
        for (int y = 0; y < picture.height(); ++y)
            picture.setPixel(x, y, qRgb(x & 0xFF, y * 20, 128));
    const auto file = dir / "wall.jpg";
    EXPECT_TRUE(picture.save(QString::fromStdString(file.string()), "JPEG", 100));
    return file;
}

class TilingDialogTest : public ::testing::Test {
protected:
    TilingDialogTest() { texts.load(folder.path(), "en"); }
    InstallFolder folder;
    UiText texts;
    ScriptedPrompts prompts;
    ScratchDir dir;
};

TEST_F(TilingDialogTest, RowsFollowTheCountTwentyPixelsApartAndACountOutsideOneToSixteenIsRefused)
{
    TilingDialog dialog(texts, dir.path().string(), 0, prompts);
    EXPECT_EQ(dialog.objectName(), "form_tools_tiling");
    EXPECT_EQ(dialog.size(), QSize(490, 355));
    EXPECT_EQ(box(dialog, "l_tools_tiling_nb")->text(), "3");
    EXPECT_EQ(rows_visible(dialog), 3);
    for (int row = 1; row <= 16; ++row)
        EXPECT_EQ(value(dialog, row)->text(), "836") << row;
    EXPECT_EQ(value(dialog, 16)->y() - value(dialog, 15)->y(), 20);
    EXPECT_EQ(dialog.findChild<QLabel*>("l_tools_tiling_2")->text(), "Picture 2");

    QLineEdit* count = box(dialog, "l_tools_tiling_nb");
    for (const char* typed : {"16", "1", "5"}) {
        count->setText(typed);
        click(dialog, "tools_tiling_change");
        EXPECT_EQ(rows_visible(dialog), QString(typed).toInt());
    }
    for (const char* bad : {"17", "0", "abc"}) {
        count->setText(bad);
        click(dialog, "tools_tiling_change");
        EXPECT_EQ(rows_visible(dialog), 5) << bad;
    }
    EXPECT_EQ(prompts.messages, std::vector<std::string>(3, texts.get(ui::message_tiling_count)));
}

TEST_F(TilingDialogTest, ABadCountOrWidthIsRefusedBeforeThePictureIsAskedFor)
{
    TilingDialog dialog(texts, dir.path().string(), 0, prompts);
    box(dialog, "l_tools_tiling_nb")->setText("17");
    click(dialog, "tools_tiling_ok");
    box(dialog, "l_tools_tiling_nb")->setText("4");
    for (const char* bad : {"0", "abc", "-2"}) {
        value(dialog, 4)->setText(bad); // a row shown only by the count typed
        click(dialog, "tools_tiling_ok");
    }
    EXPECT_TRUE(prompts.requests.empty());
    EXPECT_EQ(prompts.messages.size(), 4u);
    EXPECT_EQ(prompts.messages.back(), texts.get(ui::message_tiling_width));
    EXPECT_EQ(rows_visible(dialog), 4);

    // No picture chosen: nothing is cut, nothing claimed, and the rows stay for another try.
    value(dialog, 4)->setText("836");
    click(dialog, "tools_tiling_ok");
    ASSERT_EQ(prompts.requests.size(), 1u);
    EXPECT_EQ(prompts.requests[0].folder, dir.path().string());
    EXPECT_EQ(prompts.messages.size(), 4u);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(TilingDialogTest, TheMenuCutsThePictureChosenAndSaysHowManyStripsWereMade)
{
    Editor editor(folder.path(), {{"Import_path", dir.path().string()}});
    const auto picture = wide_picture(dir);
    editor.prompts.files.push_back(picture);
    editor.session->plan.selection[1] = place_object(*editor.session, 3, 200, 200);
    editor.session->plan.selection[2] = place_object(*editor.session, 3, 400, 200);
    editor.session->plan.nb_selection = 2;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TilingDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened = true;
        click(*dialog, "tools_tiling_ok");
    });
    editor.trigger(22);
    EXPECT_TRUE(opened);
    ASSERT_EQ(editor.prompts.requests.size(), 1u);
    EXPECT_EQ(editor.prompts.requests[0].folder, dir.path().string());
    EXPECT_EQ(editor.prompts.messages, std::vector<std::string>{"3 " + texts.get(ui::tiling_done)});
    for (int i = 1; i <= 3; ++i) {
        QImage strip(QString::fromStdString((dir / ("wall_2_836mm_" + std::to_string(i) + "_.jpg")).string()));
        EXPECT_EQ(strip.size(), QSize(836, 12)) << i;
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TilingDialogTest, AFailedStripIsReportedAndTheCountSaysOnlyWhatWasMade)
{
    const auto picture = wide_picture(dir);
    std::filesystem::create_directory(dir / "wall_0_836mm_2_.jpg");
    prompts.files.push_back(picture);
    TilingDialog dialog(texts, dir.path().string(), 0, prompts);
    click(dialog, "tools_tiling_ok");
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_NE(prompts.messages[0].find("wall_0_836mm_2_.jpg"), std::string::npos) << prompts.messages[0];
    EXPECT_EQ(prompts.messages[1], "2 " + texts.get(ui::tiling_done));
    EXPECT_EQ(dialog.strips_made(), 2);
}

TEST_F(TilingDialogTest, EscapeAndTheCloseBoxWaitForTheCutToEnd)
{
    prompts.files.push_back(wide_picture(dir));
    TilingDialog dialog(texts, dir.path().string(), 0, prompts);
    dialog.show();
    int rejected = 0, accepted = 0;
    QObject::connect(&dialog, &QDialog::rejected, [&] { ++rejected; });
    QObject::connect(&dialog, &QDialog::accepted, [&] { ++accepted; });
    // Delivered only when the cut lets the window be drawn between strips.
    QCoreApplication::postEvent(&dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    QCoreApplication::postEvent(&dialog, new QCloseEvent);
    dialog.tools_tiling_ok_Click();
    EXPECT_EQ(dialog.strips_made(), 3);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"3 " + texts.get(ui::tiling_done)});
    EXPECT_EQ(rejected, 0);
    EXPECT_EQ(accepted, 1);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
