// The complete quote: the objects the wall system's list leaves out, counted and priced beside it,
// and the quote as CSV.

#include <gtest/gtest.h>

#include "outputs/quote.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::define;
using halvern::testing::place;

namespace {

ComponentTable stand_pieces()
{
    ComponentTable c;
    define(c, 3, 114, 5).name = "Gold";
    c[3].price = 100;
    c[3].weight = 2000;
    for (int n : {23, 50, 51})
        define(c, n, 1, 1);
    c[50].price = 2.5;
    define(c, 1500, 100, 50, 15).name = "Counter, \"curved\"";
    c[1500].price = 420.5;
    c[1500].weight = 35000;
    define(c, 1100, 40, 40, 11).name = "=Screen";
    c[1100].price = 899.99;
    c[1100].weight = 7250;
    define(c, 2302, 76, 4, 23).name = "Track"; // built in, yet not a piece of the wall system
    c[2302].price = 12;
    return c;
}

} // namespace

TEST(Quote, OtherComponentsCountAndPriceWhatTheWallSystemLeavesOut)
{
    const ComponentTable c = stand_pieces();
    PlanTable plan;
    place(plan, 3, 300, 300);
    place(plan, 1500, 100, 100);
    place(plan, 1100, 200, 100);
    place(plan, 1500, 400, 100);
    place(plan, 2302, 500, 100);
    const Quote before_walls_only{design_bill(plan, c), {}, 0, 0};

    const Quote quote = design_quote(plan, c);
    // The wall system's list is the one it always was.
    EXPECT_EQ(bill_clipboard_text(quote.bill), bill_clipboard_text(before_walls_only.bill));
    ASSERT_EQ(quote.others.size(), 3u);
    EXPECT_EQ(quote.others[0].component, 1100);
    EXPECT_EQ(quote.others[0].count, 1);
    EXPECT_EQ(quote.others[1].component, 1500);
    EXPECT_EQ(quote.others[1].count, 2);
    EXPECT_DOUBLE_EQ(quote.others[1].total_price, 841);
    EXPECT_DOUBLE_EQ(quote.others[1].total_weight_g, 70000);
    EXPECT_EQ(quote.others[2].component, 2302);
    EXPECT_NEAR(quote.others_price, 899.99 + 841 + 12, 1e-9);
    EXPECT_NEAR(quote.total_price(), quote.bill.total_price + quote.others_price, 1e-9);
    EXPECT_NEAR(quote.total_weight_g(), quote.bill.total_weight_g + 77250, 1e-9);
}

TEST(Quote, GroupsDeletionsAndGroupObjectsAreNotSold)
{
    const ComponentTable c = stand_pieces();
    PlanTable plan;
    const int counter = place(plan, 1500, 100, 100);
    place(plan, 1100, 200, 100);
    const int group = place(plan, 99, 0, 0);
    plan.obj_groupe[size_t(counter)] = group;
    place(plan, 1500, 300, 100);
    plan.obj_comp[size_t(plan.nb_objets)] = -1; // marked for deletion

    EXPECT_EQ(other_components(plan, c).size(), 2u);
    const auto members = other_components(plan, c, group);
    ASSERT_EQ(members.size(), 1u);
    EXPECT_EQ(members[0].component, 1500);
    EXPECT_EQ(members[0].count, 1);
    EXPECT_TRUE(other_components(PlanTable{}, c).empty());
}

TEST(Quote, CsvHasAHeaderQuotedNamesAndTotalsInDotDecimals)
{
    const ComponentTable c = stand_pieces();
    PlanTable plan;
    place(plan, 3, 300, 300);
    place(plan, 1500, 100, 100);
    place(plan, 1100, 200, 100);
    const Quote quote = design_quote(plan, c);
    const std::string csv = quote_csv(quote, english_csv_labels());
    EXPECT_EQ(csv.rfind("Section,No.,Component,Quantity,Unit price,Total price,Weight (kg)\r\n", 0), 0u);
    EXPECT_NE(csv.find("Other components,1500,\"Counter, \"\"curved\"\"\",1,420.5,420.5,35\r\n"), std::string::npos)
        << csv;
    // A name that a spreadsheet would take for a formula stays text; the numbers stay numbers.
    EXPECT_NE(csv.find("Other components,1100,'=Screen,1,899.99,899.99,7.25\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("Other components,,Total,,,1320.49,42.25\r\n"), std::string::npos) << csv;
    // A label in another language with a comma is quoted; an empty one falls back to English.
    std::vector<std::string> labels = english_csv_labels();
    labels[size_t(CsvLabel::unit_price)] = "Prix, unitaire";
    labels[size_t(CsvLabel::section)] = "";
    EXPECT_EQ(quote_csv(quote, labels).rfind("Section,No.,Component,Quantity,\"Prix, unitaire\",", 0), 0u);
}
