// The plan sheet: a true scale stated in the title block, the stand centred at it, a scale the page
// cannot hold refused, and the bill pages' lines.

#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/recording_canvas.h"
#include "outputs/plan_sheet.h"
#include "support/plan_builder.h"

using namespace halvern;

namespace {

// A4 less 10 mm margins, in paper dots.
constexpr int a4_width = int(190 / 25.4 * paper_dots_per_inch);
constexpr int a4_height = int(277 / 25.4 * paper_dots_per_inch);

StandSettings stand_of(double width, double depth)
{
    StandSettings stand;
    stand.stand_largeur = float(width);
    stand.stand_profondeur = float(depth);
    return stand;
}

bool drew_text(const RecordingCanvas& canvas, const std::string& text)
{
    return std::any_of(canvas.primitives().begin(), canvas.primitives().end(),
                       [&](const Primitive& p) { return p.kind == Primitive::Kind::text && p.text == text; });
}

} // namespace

TEST(PlanSheet, FixedScaleIsTrueAndTheStandCentred)
{
    const StandSettings stand = stand_of(8, 6);
    auto layout = layout_sheet(a4_width, a4_height, stand, ViewState{}, 100);
    ASSERT_TRUE(layout) << layout.error().text();
    EXPECT_FALSE(layout->fitted);
    // One metre of stand is one centimetre of paper.
    EXPECT_NEAR(layout->view.zoom * 100, paper_dots_per_cm, 1e-9);
    // The stand (100 .. 900 cm) sits in the middle of the plan's part of the page.
    const PixelPoint left = layout->view.to_pixel(100, 100, false), right = layout->view.to_pixel(900, 700, false);
    EXPECT_NEAR(left.x, layout->plan.width - right.x, 1);
    EXPECT_NEAR(left.y, layout->plan.height - right.y, 1);
    EXPECT_LE(layout->plan.y + layout->plan.height, layout->title_block.y);
    EXPECT_EQ(layout->title_block.y + layout->title_block.height, a4_height);
    EXPECT_EQ(scale_text(*layout, "fitted"), "1:100");
}

TEST(PlanSheet, FittedScaleIsTheLargestWholeScaleThatShowsTheMargins)
{
    const StandSettings stand = stand_of(8, 6);
    auto layout = layout_sheet(a4_width, a4_height, stand, ViewState{}, fitted_scale);
    ASSERT_TRUE(layout);
    EXPECT_TRUE(layout->fitted);
    const double fits = fitted_zoom(layout->plan.width, layout->plan.height, 8, 6);
    EXPECT_LE(layout->view.zoom, fits);
    EXPECT_GT(paper_dots_per_cm / (layout->scale - 1), fits); // one step larger would not fit
    EXPECT_EQ(scale_text(*layout, "fitted"), "1:" + std::to_string(layout->scale) + " (fitted)");
}

TEST(PlanSheet, AScaleThePageCannotHoldIsRefused)
{
    auto big = layout_sheet(a4_width, a4_height, stand_of(12, 8), ViewState{}, 50);
    ASSERT_FALSE(big);
    EXPECT_NE(big.error().message.find("1:50"), std::string::npos) << big.error().message;
    EXPECT_TRUE(layout_sheet(a4_height, a4_width, stand_of(12, 8), ViewState{}, 100)); // sideways at 1:100
    EXPECT_FALSE(layout_sheet(100, 100, stand_of(5, 3), ViewState{}, fitted_scale));
    EXPECT_TRUE(sheet_is_landscape(stand_of(12, 3), a4_width, a4_height));
    EXPECT_FALSE(sheet_is_landscape(stand_of(3, 12), a4_width, a4_height));
}

TEST(PlanSheet, TitleBlockSaysWhoWhatWhenAndTheScaleUncut)
{
    const StandSettings stand = stand_of(5, 3);
    SheetTexts texts{"Client", "Brasserie Lumière", "Project", "Salon 2027", "Date", "2026-12-07", "Scale", "fitted",
                     "Halvern Visual Design"};
    RecordingCanvas canvas;
    const struct {
        const char* page;
        int width, height, scale;
    } pages[] = {
        {"A4 landscape at 1:50", a4_height, a4_width, 50},
        {"A4 portrait, fitted", a4_width, a4_height, fitted_scale},
        {"A4 landscape, fitted", a4_height, a4_width, fitted_scale},
    };
    for (const auto& page : pages) {
        auto layout = layout_sheet(page.width, page.height, stand, ViewState{}, page.scale);
        ASSERT_TRUE(layout) << page.page;
        canvas.clear();
        draw_title_block(canvas, *layout, texts);
        const std::string scale = scale_text(*layout, texts.fitted_word);
        for (const std::string& t : {texts.client, texts.project, texts.date, scale, texts.program, texts.client_label})
            EXPECT_TRUE(drew_text(canvas, t)) << page.page << ": " << t;
        // Every mark stays inside the printable area.
        for (const Pixel& p : canvas.all_points()) {
            EXPECT_GE(p.x, 0) << page.page;
            EXPECT_LE(p.x, layout->width) << page.page;
            EXPECT_LE(p.y, layout->height) << page.page;
        }
    }
    auto layout = layout_sheet(a4_height, a4_width, stand, ViewState{}, 50);
    ASSERT_TRUE(layout);
    // A client name too long for its cell is cut with an ellipsis, never spilled over the next.
    texts.client = std::string(300, 'W');
    canvas.clear();
    draw_title_block(canvas, *layout, texts);
    EXPECT_FALSE(drew_text(canvas, texts.client));
}

// Every line on exactly one page, in order; every page that goes on with a section shows its
// column headings again; no heading alone at a page's foot; no page over its room.
TEST(PlanSheet, EveryBillPageNamesItsColumns)
{
    Quote quote;
    for (int k = 0; k < 23; ++k)
        quote.bill.rows.push_back({k, "Wall " + std::to_string(k), 1, 10, 10, 100});
    for (int k = 0; k < 9; ++k)
        quote.others.push_back({1500 + k, "Counter " + std::to_string(k), 1, 5, 5, 5, 50});
    BillPageTexts texts;
    texts.quantity = "Qty";
    const auto lines = bill_lines(quote, texts);
    for (int per_page : {1, 2, 5, 7, 26, 27, 60}) {
        SCOPED_TRACE(per_page);
        const auto pages = bill_pages(lines, per_page);
        size_t next = 0;
        for (size_t p = 0; p < pages.size(); ++p) {
            const BillPage& page = pages[p];
            EXPECT_EQ(page.first, next);
            EXPECT_GE(page.count, 1u);
            EXPECT_LE(page.count + (page.repeated_heading ? 1 : 0), size_t(per_page));
            next += page.count;
            const BillLine::Kind opening = lines[page.first].kind;
            const bool continues = opening == BillLine::Kind::row || opening == BillLine::Kind::subtotal;
            if (p > 0 && per_page > 1 && continues) {
                size_t section = page.first;
                while (lines[section].kind != BillLine::Kind::section)
                    --section;
                EXPECT_EQ(page.repeated_heading, std::optional<size_t>(section));
            } else {
                EXPECT_FALSE(page.repeated_heading); // a section's own start, or the grand total
            }
            const size_t last = page.first + page.count - 1;
            if (page.count > 1 && last + 1 < lines.size()) {
                EXPECT_NE(lines[last].kind, BillLine::Kind::section);
            }
        }
        EXPECT_EQ(next, lines.size());
    }
    // The second page of a bill at 7 lines a page begins mid-section: its first text row after the
    // page heading is the walls' heading with the column names.
    const auto pages = bill_pages(lines, 7);
    RecordingCanvas page;
    draw_bill_page(page, 2000, 3000, texts, lines, pages.at(1));
    int quantity_headings = 0;
    for (const Primitive& p : page.primitives())
        quantity_headings += p.kind == Primitive::Kind::text && p.text == "Qty";
    EXPECT_EQ(quantity_headings, 1);
}

TEST(PlanSheet, BillLinesHoldBothSectionsAndTheTotal)
{
    Quote quote;
    quote.bill.rows.push_back({3, "Gold", 7, 100, 700, 2000});
    quote.bill.total_price = 700;
    quote.bill.total_weight_g = 14000;
    quote.others.push_back({1500, "Counter", 2, 420.5, 35000, 841, 70000});
    quote.others_price = 841;
    quote.others_weight_g = 70000;
    BillPageTexts texts;
    texts.walls = "Walls";
    texts.others = "Others";
    texts.total = "Total";
    const auto lines = bill_lines(quote, texts);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].name, "Gold");
    EXPECT_EQ(lines[1].weight, "14");
    EXPECT_EQ(lines[2].total_price, "700.00");
    EXPECT_EQ(lines[4].quantity, "2");
    EXPECT_EQ(lines[6].kind, BillLine::Kind::total);
    EXPECT_EQ(lines[6].total_price, "1541.00");
    EXPECT_EQ(lines[6].weight, "84");
    EXPECT_GT(bill_lines_per_page(a4_height), 20);
}
