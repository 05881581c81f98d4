// The plan as a document from the File menu (PDF and SVG with the stand form's client and title),
// and the other components of the quote in the list window with its CSV export.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/component_list_window.h"
#include "app/main_window.h"
#include "app/session.h"
#include "app_test_support.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

class PlanDocumentsTest : public ::testing::Test {
protected:
    InstallFolder folder;
    Editor editor{folder.path()};
    Session& s = *editor.session;
    MainWindow& w = *editor.window;
    ScratchDir out;
};

} // namespace

TEST_F(PlanDocumentsTest, FileMenuExportsThePlanAsPdfAndSvg)
{
    s.stand.client = "Brasserie Lumière";
    s.stand.title = "Salon du goût";
    place_object(s, 3, 300, 200);
    editor.prompts.files.push_back(out.path() / "plan"); // the extension is added
    editor.trigger(151);
    ASSERT_TRUE(std::filesystem::exists(out.path() / "plan.pdf")) << ::testing::PrintToString(editor.prompts.messages);
    EXPECT_EQ(read_bytes(out.path() / "plan.pdf").rfind("%PDF", 0), 0u);
    EXPECT_EQ(editor.prompts.requests.back().default_extension, "pdf");

    editor.prompts.files.push_back(out.path() / "plan.svg");
    editor.trigger(152);
    const std::string svg = read_bytes(out.path() / "plan.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("Brasserie Lumière"), std::string::npos);
    EXPECT_NE(svg.find("Salon du goût"), std::string::npos);
    EXPECT_TRUE(editor.prompts.messages.empty()) << ::testing::PrintToString(editor.prompts.messages);

    // No file chosen: nothing written, nothing said.
    editor.trigger(152);
    EXPECT_TRUE(editor.prompts.messages.empty());
}

TEST_F(PlanDocumentsTest, ListWindowShowsTheOtherComponentsAndExportsTheQuote)
{
    ComponentListWindow* list = w.component_list_window();
    auto* lv4 = list->findChild<QTreeWidget*>("LV4");
    auto* totals = list->findChild<QLabel*>("quote_totals");
    ASSERT_TRUE(lv4 && totals);
    s.components[2302].price = 12.5;
    place_object(s, 3, 300, 200);
    place_object(s, 2302, 500, 200);
    place_object(s, 2302, 600, 200);
    w.design_changed("Place");
    ASSERT_EQ(lv4->topLevelItemCount(), 1);
    EXPECT_EQ(lv4->topLevelItem(0)->text(0), QString::fromStdString(s.components[2302].name));
    EXPECT_EQ(lv4->topLevelItem(0)->text(1), "2");
    EXPECT_EQ(lv4->topLevelItem(0)->text(2), "25");
    EXPECT_TRUE(totals->text().contains("25")) << totals->text().toStdString();

    editor.prompts.files.push_back(out.path() / "quote");
    QTest::mouseClick(list->findChild<QPushButton*>("list_export_csv"), Qt::LeftButton);
    const std::string csv = read_bytes(out.path() / "quote.csv");
    EXPECT_EQ(csv.rfind("Section,", 0), 0u) << csv;
    EXPECT_NE(csv.find(",2302,"), std::string::npos) << csv;
}
