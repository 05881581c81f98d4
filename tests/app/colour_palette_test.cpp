#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "base/ui_text.h"
#include "base/ui_text_ids.h"
#include "dialogs/colour_palette.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

class ColourPaletteTest : public ::testing::Test {
protected:
    ColourPaletteTest()
    {
        texts.load(halvern::testing::stage_dir(), "en");
        dir.write("color/primaire.lib", "\"Blanc\",255,255,255,0,0.3,100,100,100\r\n"
                                        "\"Noir\",0,0,0,0.5,0.7,10,20,30\r\n"
                                        "\"Rouge\",200,10,10,0,0.1,1,2,3\r\n");
        dir.write("color/mes_bleus.lib", "\"Bleu\",0,0,255,0,0.3,0,0,0\r\n\"Bleu\",0,0,255,0,0.3,0,0,0\r\n");
    }

    std::unique_ptr<ColourPalette> open(int object = 3, int slot = 2)
    {
        ColourSlot current;
        current.couleur = {10, 20, 30};
        current.transparence = 0.25f;
        current.given = true;
        auto palette = std::make_unique<ColourPalette>(dir / "color", texts, object, slot, current);
        palette->show();
        return palette;
    }

    template <class T>
    static T* child(QWidget& w, const char* name)
    {
        T* found = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString field(QWidget& w, const char* name) { return child<QLineEdit>(w, name)->text(); }

    UiText texts;
    ScratchDir dir;
};

} // namespace

TEST_F(ColourPaletteTest, OpensOnThePrimaryLibraryWithTheSlotsValues)
{
    auto p = open();
    EXPECT_EQ(p->windowTitle(), "Palette de couleur");
    EXPECT_EQ(field(*p, "f_color_index"), "3");
    EXPECT_EQ(field(*p, "f_color_index_m"), "2");
    EXPECT_EQ(field(*p, "f_color_r"), "10");
    EXPECT_EQ(field(*p, "f_color_n"), "225");
    EXPECT_EQ(field(*p, "f_color_t"), "25%");
    EXPECT_EQ(child<QLabel>(*p, "f_color_sl")->text(), "b");

    auto* libs = child<QTreeWidget>(*p, "f_color_lib");
    ASSERT_EQ(libs->topLevelItemCount(), 2);
    EXPECT_EQ(libs->topLevelItem(0)->text(0), "mes bleus");
    EXPECT_EQ(libs->topLevelItem(0)->text(1), "1"); // the repeated colour is not kept
    EXPECT_EQ(child<QLabel>(*p, "f_color_lib_name")->text(), "primaire");

    auto* list = child<QTreeWidget>(*p, "f_color_list");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const QTreeWidgetItem* noir = list->topLevelItem(1);
    EXPECT_EQ(noir->text(1), "Brillant");
    EXPECT_EQ(noir->text(2), "2");
    EXPECT_EQ(noir->background(0).color(), QColor(0, 0, 0));
    EXPECT_EQ(noir->foreground(0).color(), QColor(Qt::white));
    EXPECT_EQ(list->topLevelItem(0)->foreground(0).color(), QColor(Qt::black));
    EXPECT_EQ(list->topLevelItem(2)->text(3), "0");
    EXPECT_EQ(list->topLevelItem(2)->text(4), "0.905");

    QTest::mouseClick(libs->viewport(), Qt::LeftButton, {}, libs->visualItemRect(libs->topLevelItem(0)).center());
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(child<QLabel>(*p, "f_color_lib_name")->text(), "mes bleus");
}

// A library with a damaged line: every whole record after it is listed, and the damaged line is
// shown in the dialog itself (not only in a tooltip); a sound library shows no such note.
TEST_F(ColourPaletteTest, ADamagedLineIsShownAndTheRecordsAfterItAreListed)
{
    dir.write("color/primaire.lib", "\"Blanc\",255,255,255,0,0.3,100,100,100\r\n"
                                    "Rouge, vif,200,10,10,0,0.1,1,2,3\r\n"
                                    "\"Noir\",0,0,0,0.5,0.7,10,20,30\r\n"
                                    "\"Vert\",0,200,0,0,0.1,1,2,3\r\n");
    auto p = open();
    EXPECT_EQ(child<QTreeWidget>(*p, "f_color_list")->topLevelItemCount(), 3);
    auto* notes = child<QLabel>(*p, "f_color_lib_notes");
    EXPECT_TRUE(notes->isVisible());
    EXPECT_TRUE(notes->text().contains(QStringLiteral("Rouge, vif,200"))) << notes->text().toStdString();
    EXPECT_TRUE(notes->text().startsWith(QString::fromStdString(texts.get(ui::colour_library_damaged))));

    auto* libs = child<QTreeWidget>(*p, "f_color_lib");
    QTest::mouseClick(libs->viewport(), Qt::LeftButton, {}, libs->visualItemRect(libs->topLevelItem(0)).center());
    EXPECT_FALSE(notes->isVisible());
}

TEST_F(ColourPaletteTest, ARowFillsTheFieldsAndColumnsSort)
{
    auto p = open();
    auto* list = child<QTreeWidget>(*p, "f_color_list");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(2)).center());
    EXPECT_EQ(field(*p, "f_color_r"), "200");
    EXPECT_EQ(field(*p, "f_color_v"), "10");
    EXPECT_EQ(field(*p, "f_color_c"), "0");
    EXPECT_EQ(field(*p, "f_color_m"), "242"); // 255 x 190 / 200 = 242.25
    EXPECT_EQ(field(*p, "f_color_t"), "0%");
    EXPECT_EQ(field(*p, "f_color_s"), "10%");

    p->f_color_list_ColumnClick(2);
    p->f_color_list_ColumnClick(2); // second click: descending
    EXPECT_EQ(list->topLevelItem(0)->text(2), "3");
    p->f_color_list_ColumnClick(5); // lightness, as a number
    EXPECT_EQ(list->topLevelItem(0)->text(0), "Noir");
    EXPECT_EQ(list->topLevelItem(2)->text(0), "Blanc");
}

TEST_F(ColourPaletteTest, DraggingTheBarsClampsAndConverts)
{
    auto p = open();
    // C bar (490..510): press at value 100, drag past both ends.
    QTest::mousePress(p.get(), Qt::LeftButton, {}, QPoint(136, 500));
    EXPECT_EQ(field(*p, "f_color_c"), "100");
    QTest::mouseMove(p.get(), QPoint(-40, 520)); // the drag keeps its bar when the pointer leaves it
    EXPECT_EQ(field(*p, "f_color_c"), "0");
    QTest::mouseMove(p.get(), QPoint(600, 300));
    QTest::mouseRelease(p.get(), Qt::LeftButton, {}, QPoint(600, 300));
    EXPECT_EQ(field(*p, "f_color_c"), "255");
    // The slot's (10, 20, 30) has inks C 170, J 0, M 85, N 225; C is now 255.
    EXPECT_EQ(field(*p, "f_color_m"), "85");
    const Rgb expected = cmyk_to_rgb(255, 0, 85, 225);
    EXPECT_EQ(field(*p, "f_color_r"), QString::number(expected.r));
    EXPECT_EQ(field(*p, "f_color_b"), QString::number(expected.b));

    QTest::mouseMove(p.get(), QPoint(100, 500)); // released: no drag
    EXPECT_EQ(field(*p, "f_color_c"), "255");

    QTest::mousePress(p.get(), Qt::LeftButton, {}, QPoint(164, 415)); // R bar, 128
    QTest::mouseRelease(p.get(), Qt::LeftButton, {}, QPoint(164, 415));
    EXPECT_EQ(field(*p, "f_color_r"), "128");
    EXPECT_EQ(field(*p, "f_color_n"), QString::number(rgb_to_cmyk(128, expected.g, expected.b).n));
    QTest::mousePress(p.get(), Qt::LeftButton, {}, QPoint(164, 600)); // T bar: 128 is 50%
    QTest::mouseRelease(p.get(), Qt::LeftButton, {}, QPoint(164, 600));
    EXPECT_EQ(field(*p, "f_color_t"), "50%");

    // Typed inks give the screen colour too.
    auto* n = child<QLineEdit>(*p, "f_color_n");
    for (const char* name : {"f_color_c", "f_color_j", "f_color_m"})
        child<QLineEdit>(*p, name)->setText("0");
    n->clear();
    QTest::keyClicks(n, "51");
    EXPECT_EQ(field(*p, "f_color_r"), "204");
}

TEST_F(ColourPaletteTest, SearchSelectsTheNearestWithinATolerance)
{
    auto p = open();
    auto* list = child<QTreeWidget>(*p, "f_color_list");
    auto type = [&](int r, int g, int b) {
        child<QLineEdit>(*p, "f_color_r")->setText(QString::number(r));
        child<QLineEdit>(*p, "f_color_v")->setText(QString::number(g));
        child<QLineEdit>(*p, "f_color_b")->setText(QString::number(b));
        QTest::mouseClick(child<QPushButton>(*p, "f_color_cherche"), Qt::LeftButton);
    };
    type(200, 10, 10);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(list->selectedItems()[0]->text(0), "Rouge");
    EXPECT_EQ(child<QLabel>(*p, "f_color_precision")->text(), QString::fromUtf8("Pr\u00e9cision 0"));
    type(163, 47, 20);
    ASSERT_EQ(list->selectedItems().size(), 1);
    EXPECT_EQ(child<QLabel>(*p, "f_color_precision")->text(), QString::fromUtf8("Pr\u00e9cision 37"));
    type(128, 128, 128); // 127 from white and 128 from black and red
    EXPECT_TRUE(list->selectedItems().isEmpty());
}

TEST_F(ColourPaletteTest, OkGivesTheSelectedRecordOrNothing)
{
    auto p = open();
    QTest::mouseClick(child<QPushButton>(*p, "f_color_ok"), Qt::LeftButton);
    EXPECT_TRUE(p->confirmed());
    EXPECT_FALSE(p->chosen());
    EXPECT_EQ(p->result(), QDialog::Accepted);

    p = open();
    auto* list = child<QTreeWidget>(*p, "f_color_list");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
    QTest::mouseClick(child<QPushButton>(*p, "f_color_ok"), Qt::LeftButton);
    ASSERT_TRUE(p->chosen());
    EXPECT_EQ(p->chosen()->couleur, (Rgb{0, 0, 0}));
    EXPECT_EQ(p->chosen()->speculaire, (Rgb{10, 20, 30}));
    EXPECT_FLOAT_EQ(p->chosen()->transparence, 0.5f);
    EXPECT_FLOAT_EQ(p->chosen()->brillance, 0.7f);

    p = open();
    QTest::mouseClick(child<QPushButton>(*p, "f_color_annule"), Qt::LeftButton);
    EXPECT_FALSE(p->confirmed());
    EXPECT_EQ(p->result(), QDialog::Rejected);
}

TEST_F(ColourPaletteTest, TheSwatchChartOpensOverTheLoadedLibrary)
{
    auto p = open();
    QTest::mouseClick(child<QPushButton>(*p, "f_color_nuancier"), Qt::LeftButton);
    auto* chart = p->findChild<QDialog*>(QStringLiteral("f_nuancier"));
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->windowTitle(), "Palette de couleur");
    chart->grab(); // paints without a fault
}
