#pragma once
// A sheet a customer can read: the plan at a true scale in the upper part of the page and a title
// block along the bottom (client, project, date, scale, the program's name), and, when asked, pages
// with the bill of materials. Drawn in paper dots (four to the screen's pixel) on any canvas, so
// the printer, the PDF file and the SVG file all draw the same sheet as vectors.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "outputs/plan_print.h"
#include "outputs/quote.h"

namespace halvern {

inline constexpr double paper_dots_per_cm = paper_dots_per_inch / 2.54;
inline constexpr int fitted_scale = 0; // the largest whole-number scale that shows the stand and its margins

// The scales offered besides the fitted one: 1:50 and 1:100.
bool is_offered_scale(int scale);

struct SheetTexts {
    std::string client_label, client;
    std::string project_label, project;
    std::string date_label, date;
    std::string scale_label, fitted_word; // "fitted", after the scale when it was fitted
    std::string program;
};

struct SheetLayout {
    int width = 0, height = 0; // the printable area, in paper dots
    PixelRect plan;            // where the plan is drawn
    PixelRect title_block;
    ViewState view;            // zoom and offsets that show the stand centred in `plan` at `scale`
    int scale = 0;             // 1:scale, always a whole number, also when fitted
    bool fitted = false;
};

// The bill pages: a heading, then each section's rows and its total, then the overall total.
struct BillPageTexts {
    std::string heading;                // "Bill of materials"
    std::string walls, others, total;   // section names and the total line's name
    std::string component, quantity, unit_price, total_price, weight;
    std::string subtitle;               // client and project, under the heading
};

enum class Paper { a4, a3 };
enum class PageTurn { automatic, portrait, landscape }; // automatic: whichever shows the plan larger

// Everything a plan document is made of, besides the plan itself.
struct SheetOptions {
    int scale = fitted_scale;
    Paper paper = Paper::a4;
    PageTurn turn = PageTurn::automatic;
    bool bill_page = false;
    SheetTexts texts;
    BillPageTexts bill_texts;
    Quote quote; // for the bill pages
};

// For an automatic turn: true when a page of the portrait printable area turned sideways shows the
// stand larger beside its title block.
bool sheet_is_landscape(const StandSettings& stand, int portrait_width, int portrait_height);

// Lays out a printable area of width x height paper dots. A fixed scale at which the stand does not
// fit the plan's part of the page is refused with a message that says so.
Result<SheetLayout> layout_sheet(int width, int height, const StandSettings& stand, const ViewState& view,
                                 int scale);

// "1:50", or "1:73 (fitted)".
std::string scale_text(const SheetLayout& layout, const std::string& fitted_word);

// The plan, then the title block over anything of the plan that runs past its part of the page.
void draw_sheet(Canvas& canvas, PlanScene& scene, const SheetLayout& layout, const SheetTexts& texts);

void draw_title_block(Canvas& canvas, const SheetLayout& layout, const SheetTexts& texts);

struct BillLine {
    enum class Kind { section, row, subtotal, total } kind = Kind::row;
    std::string name, quantity, unit_price, total_price, weight;
};

std::vector<BillLine> bill_lines(const Quote& quote, const BillPageTexts& texts);

// How many lines one page of that height holds under the heading.
int bill_lines_per_page(int height);

// One page of the bill: the lines first .. first + count - 1, under the heading line of their
// section repeated when the page goes on with a section begun on the page before, so that every
// page names its columns.
struct BillPage {
    size_t first = 0, count = 0;
    std::optional<size_t> repeated_heading; // the section line shown again at the top
};

// The pages of `lines` at `per_page` lines a page, the repeated heading counted; a section's
// heading is never left alone at the foot of a page.
std::vector<BillPage> bill_pages(const std::vector<BillLine>& lines, int per_page);

// Draws one page of the bill on a page of width x height paper dots.
void draw_bill_page(Canvas& canvas, int width, int height, const BillPageTexts& texts,
                    const std::vector<BillLine>& lines, const BillPage& page);

} // namespace halvern
