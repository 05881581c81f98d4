#include "outputs/plan_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/numbers.h"
#include "base/utf8.h"

namespace halvern {

namespace {

// Sizes on paper, in paper dots and in the canvas's points (which are drawn at 96 to the inch of
// the canvas: on paper that is four points to one).
constexpr int cm(double centimetres) { return int(centimetres * paper_dots_per_cm); }
constexpr double paper_points(double points) { return points * paper_dots_per_pixel; }

constexpr int title_block_height = cm(1.4);
constexpr int title_block_gap = cm(0.3);
constexpr int cell_padding = cm(0.15);
constexpr double label_size = 7, value_size = 11, program_size = 9, value_size_min = 6;

// The texts have no measure here: an average width per character that the digits and most
// letters of the common sans-serif faces stay under keeps a text inside its cell.
constexpr double em_share = 0.62;

size_t code_points(const std::string& text)
{
    size_t count = 0, i = 0;
    while (i < text.size()) {
        next_code_point(text, i);
        ++count;
    }
    return count;
}

double text_room(const std::string& text, double points)
{
    return double(code_points(text)) * text_pixels(paper_points(points)) * em_share;
}

std::string fitted_to(const std::string& text, int width, double points)
{
    const double average = text_pixels(paper_points(points)) * em_share;
    const size_t room = size_t(std::max(1.0, width / average));
    size_t characters = 0, i = 0, cut = 0;
    while (i < text.size()) {
        next_code_point(text, i);
        if (++characters == room - 1)
            cut = i;
    }
    if (characters <= room)
        return text;
    return text.substr(0, cut) + "\xE2\x80\xA6";
}

// Money on a customer's page always shows its cents.
std::string money(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", round_half_away(value * 100) / 100);
    return text;
}
std::string kilograms(double grams) { return format_number(round_half_away(grams) / 1000); }

} // namespace

bool is_offered_scale(int scale) { return scale == 50 || scale == 100; }

bool sheet_is_landscape(const StandSettings& stand, int portrait_width, int portrait_height)
{
    const int below = title_block_height + title_block_gap;
    return fitted_zoom(portrait_height, portrait_width - below, stand.stand_largeur, stand.stand_profondeur)
        > fitted_zoom(portrait_width, portrait_height - below, stand.stand_largeur, stand.stand_profondeur);
}

Result<SheetLayout> layout_sheet(int width, int height, const StandSettings& stand, const ViewState& view,
                                 int scale)
{
    SheetLayout layout;
    layout.width = width;
    layout.height = height;
    const int plan_height = height - title_block_height - title_block_gap;
    if (width < cm(5) || plan_height < cm(3))
        return make_error("the page has no room for the plan and its title block");
    layout.plan = {0, 0, width, plan_height};
    layout.title_block = {0, height - title_block_height, width, title_block_height};

    const double W = stand.stand_largeur * 100, D = stand.stand_profondeur * 100;
    if (scale == fitted_scale) {
        // The largest whole-number scale at which the stand and its margins fit: the stated scale
        // is then the true one.
        const double zoom = fitted_zoom(width, plan_height, stand.stand_largeur, stand.stand_profondeur);
        layout.scale = std::max(1, int(std::ceil(paper_dots_per_cm / zoom - 1e-9)));
        layout.fitted = true;
    } else {
        layout.scale = scale;
        const double zoom = paper_dots_per_cm / scale;
        if (W * zoom > width || D * zoom > plan_height)
            return make_error("the stand (" + format_number(stand.stand_largeur) + " x "
                              + format_number(stand.stand_profondeur) + " m) does not fit on this page at 1:"
                              + std::to_string(scale) + "; choose a larger paper or the fitted scale");
    }
    layout.view = print_view(view, stand, width, plan_height);
    const double zoom = paper_dots_per_cm / layout.scale;
    layout.view.zoom = zoom;
    // The stand and its one-metre margins centred in the plan's part of the page.
    layout.view.decal_x = float((width / zoom - (W + 200)) / 2);
    layout.view.decal_y = float((plan_height / zoom - (D + 200)) / 2);
    return layout;
}

std::string scale_text(const SheetLayout& layout, const std::string& fitted_word)
{
    std::string text = "1:" + std::to_string(layout.scale);
    if (layout.fitted && !fitted_word.empty())
        text += " (" + fitted_word + ")";
    return text;
}

void draw_sheet(Canvas& canvas, PlanScene& scene, const SheetLayout& layout, const SheetTexts& texts)
{
    ViewState view = layout.view;
    render_plan(canvas, scene, view, print_options(layout.plan.width, layout.plan.height));
    draw_title_block(canvas, layout, texts);
}

void draw_title_block(Canvas& canvas, const SheetLayout& layout, const SheetTexts& texts)
{
    const PixelRect& block = layout.title_block;
    canvas.set_smooth(false);
    canvas.set_line(line_solid, int(paper_dots_per_pixel));
    // Whatever of the plan ran past its part of the page stops at the title block.
    canvas.set_colour_value(colour_white);
    canvas.box({block.x, block.y - title_block_gap, block.width, block.height + title_block_gap}, true);
    canvas.set_colour_value(colour_black);
    canvas.box(block, false);

    struct Cell {
        const std::string& label;
        std::string value;
        bool sized_to_text; // short texts of known shape: the cell takes their width
        double share;       // of what the sized cells leave
        int width = 0;
    };
    Cell cells[] = {
        {texts.client_label, texts.client, false, 0.27 / 0.56},
        {texts.project_label, texts.project, false, 0.29 / 0.56},
        {texts.date_label, texts.date, true, 0},
        {texts.scale_label, scale_text(layout, texts.fitted_word), true, 0},
        {texts.program, "", true, 0},
    };
    // The date, the scale and the program's name are never cut: their cells are as wide as they
    // need, and the client and the project share what is left.
    int sized = 0;
    for (Cell& cell : cells)
        if (cell.sized_to_text) {
            const double needed = cell.value.empty()
                ? text_room(cell.label, program_size)
                : std::max(text_room(cell.label, label_size), text_room(cell.value, value_size));
            cell.width = int(std::ceil(needed)) + 2 * cell_padding;
            sized += cell.width;
        }
    if (sized > block.width) // a page too narrow for them: each sized cell gives up its share
        for (Cell& cell : cells)
            if (cell.sized_to_text)
                cell.width = int(double(cell.width) * block.width / sized);
    const int left_over = std::max(0, block.width - sized);
    for (Cell& cell : cells)
        if (!cell.sized_to_text)
            cell.width = int(cell.share * left_over);

    int x = block.x;
    for (const Cell& cell : cells) {
        const int left = x;
        if (left > block.x)
            canvas.line({left, block.y}, {left, block.y + block.height});
        const int room = cell.width - 2 * cell_padding;
        const int top = block.y + cell_padding;
        if (cell.value.empty()) {
            // The program's name alone, between the label's size and the value's.
            canvas.text({left + cell_padding, top + int(text_pixels(paper_points(label_size)))},
                        fitted_to(cell.label, room, program_size), paper_points(program_size));
        } else {
            canvas.text({left + cell_padding, top}, fitted_to(cell.label, room, label_size), paper_points(label_size));
            // A long name is set smaller before it is cut.
            double size = value_size;
            while (size > value_size_min && text_room(cell.value, size) > room)
                size -= 0.5;
            canvas.text({left + cell_padding, top + int(text_pixels(paper_points(label_size))) + cell_padding},
                        fitted_to(cell.value, room, size), paper_points(size));
        }
        x += cell.width;
    }
}

std::vector<BillLine> bill_lines(const Quote& quote, const BillPageTexts& texts)
{
    using K = BillLine::Kind;
    std::vector<BillLine> lines;
    lines.push_back({K::section, texts.walls, texts.quantity, texts.unit_price, texts.total_price, texts.weight});
    for (const BillRow& r : quote.bill.rows)
        lines.push_back({K::row, r.name, format_number(r.quantity), money(r.unit_price), money(r.total_price),
                         kilograms(r.quantity * r.unit_weight_g)});
    lines.push_back({K::subtotal, texts.total, "", "", money(quote.bill.total_price),
                     kilograms(quote.bill.total_weight_g)});
    lines.push_back({K::section, texts.others, texts.quantity, texts.unit_price, texts.total_price, texts.weight});
    for (const OtherRow& r : quote.others)
        lines.push_back({K::row, r.name, std::to_string(r.count), money(r.unit_price), money(r.total_price),
                         kilograms(r.total_weight_g)});
    lines.push_back({K::subtotal, texts.total, "", "", money(quote.others_price), kilograms(quote.others_weight_g)});
    lines.push_back({K::total, texts.total, "", "", money(quote.total_price()), kilograms(quote.total_weight_g())});
    return lines;
}

namespace {
constexpr int line_height = cm(0.6);
constexpr int heading_height = cm(2.2);
constexpr double row_size = 9, heading_size = 16;
} // namespace

int bill_lines_per_page(int height) { return std::max(1, (height - heading_height) / line_height); }

std::vector<BillPage> bill_pages(const std::vector<BillLine>& lines, int per_page)
{
    using K = BillLine::Kind;
    const size_t room = size_t(std::max(1, per_page));
    std::vector<BillPage> pages;
    std::optional<size_t> section;
    for (size_t first = 0; first < lines.size();) {
        BillPage page;
        page.first = first;
        // The grand total belongs to neither section.
        const bool in_section = lines[first].kind == K::row || lines[first].kind == K::subtotal;
        if (in_section && section && room > 1)
            page.repeated_heading = section;
        page.count = std::min(room - (page.repeated_heading ? 1 : 0), lines.size() - first);
        // A heading at the foot of a page, its rows on the next, goes over with them.
        const size_t last = first + page.count - 1;
        if (page.count > 1 && last + 1 < lines.size() && lines[last].kind == K::section)
            --page.count;
        for (size_t k = first; k < first + page.count; ++k)
            if (lines[k].kind == K::section)
                section = k;
        first += page.count;
        pages.push_back(page);
    }
    return pages;
}

void draw_bill_page(Canvas& canvas, int width, int height, const BillPageTexts& texts,
                    const std::vector<BillLine>& lines, const BillPage& page)
{
    (void)height;
    canvas.set_smooth(false);
    canvas.set_colour_value(colour_black);
    canvas.set_line(line_solid, int(paper_dots_per_pixel));
    canvas.text({0, 0}, fitted_to(texts.heading, width, heading_size), paper_points(heading_size));
    canvas.text({0, int(text_pixels(paper_points(heading_size))) + cm(0.2)}, fitted_to(texts.subtitle, width, row_size),
                paper_points(row_size));

    const double shares[] = {0.44, 0.12, 0.14, 0.15, 0.15};
    int y = heading_height;
    std::vector<size_t> shown;
    if (page.repeated_heading && *page.repeated_heading < lines.size())
        shown.push_back(*page.repeated_heading);
    for (size_t k = page.first; k < lines.size() && k < page.first + page.count; ++k)
        shown.push_back(k);
    for (size_t k : shown) {
        const BillLine& line = lines[k];
        const std::string* columns[] = {&line.name, &line.quantity, &line.unit_price, &line.total_price, &line.weight};
        const bool strong = line.kind != BillLine::Kind::row;
        const double size = line.kind == BillLine::Kind::total ? row_size + 2 : row_size;
        if (strong)
            canvas.line({0, y}, {width, y});
        double x = 0;
        for (int c = 0; c < 5; ++c) {
            const int room = int(shares[c] * width) - cm(0.2);
            canvas.text({int(x), y + cm(0.1)}, fitted_to(*columns[c], room, size), paper_points(size));
            x += shares[c] * width;
        }
        y += line_height;
    }
}

} // namespace halvern
