#include "outputs/quote_workbook.h"

#include <cmath>

#include <xlsxwriter.h>

#include "base/file_replacement.h"
#include "outputs/bill_of_materials.h"

namespace halvern {

namespace {

constexpr int paper_a4 = 9;

// A quantity worked out in floating point (metres of printed visual) may come a hair above a
// whole number of bags; a spreadsheet rounds to 15 digits before ROUNDUP, and so do we.
double ceil_quantity(double value) { return std::ceil(value - 1e-9 * std::max(1.0, std::fabs(value))); }

std::string cell(char column, int row) { return column + std::to_string(row + 1); }

struct Formats {
    lxw_format* bold = nullptr;
    lxw_format* money = nullptr;
    lxw_format* money_bold = nullptr;
    lxw_format* kilograms = nullptr;
    lxw_format* kilograms_bold = nullptr;
    lxw_format* quantity = nullptr;
    lxw_format* header = nullptr;
};

Formats make_formats(lxw_workbook* book)
{
    Formats f;
    auto number = [&](const char* pattern, bool bold) {
        lxw_format* format = workbook_add_format(book);
        format_set_num_format(format, pattern);
        if (bold)
            format_set_bold(format);
        return format;
    };
    f.bold = workbook_add_format(book);
    format_set_bold(f.bold);
    f.header = workbook_add_format(book);
    format_set_bold(f.header);
    format_set_bottom(f.header, LXW_BORDER_THIN);
    f.money = number("#,##0.00\\ \"\xe2\x82\xac\"", false);
    f.money_bold = number("#,##0.00\\ \"\xe2\x82\xac\"", true);
    f.kilograms = number("#,##0.000\\ \"kg\"", false);
    f.kilograms_bold = number("#,##0.000\\ \"kg\"", true);
    f.quantity = number("0.###", false);
    return f;
}

const std::string& label(const QuoteWorkbookTexts& texts, CsvLabel which)
{
    static const std::vector<std::string> english = english_csv_labels();
    const size_t k = size_t(which);
    return k < texts.labels.size() && !texts.labels[k].empty() ? texts.labels[k] : english[k];
}

struct Line {
    int component;
    std::string name;
    double quantity, unit_price, total_price, weight_g;
};

std::vector<Line> wall_lines(const Quote& quote)
{
    std::vector<Line> lines;
    for (const BillRow& r : quote.bill.rows)
        lines.push_back({r.component, r.name, r.quantity, r.unit_price, r.total_price, r.quantity * r.unit_weight_g});
    return lines;
}

std::vector<Line> other_lines(const Quote& quote)
{
    std::vector<Line> lines;
    for (const OtherRow& r : quote.others)
        lines.push_back({r.component, r.name, double(r.count), r.unit_price, r.total_price, r.total_weight_g});
    return lines;
}

struct Subtotal {
    int row = 0;
    double price = 0, weight_kg = 0;
};

// One section: its heading, a row per line, its subtotal. `row` moves past it.
Subtotal write_section(lxw_worksheet* sheet, const Formats& f, const QuoteWorkbookTexts& texts, CsvLabel section,
                       const std::vector<Line>& lines, int& row)
{
    worksheet_write_string(sheet, lxw_row_t(row++), 0, label(texts, section).c_str(), f.bold);
    const int first = row;
    Subtotal sub;
    for (const Line& line : lines) {
        const lxw_row_t r = lxw_row_t(row);
        worksheet_write_number(sheet, r, 0, line.component, nullptr);
        worksheet_write_string(sheet, r, 1, line.name.c_str(), nullptr);
        worksheet_write_number(sheet, r, 2, line.quantity, f.quantity);
        worksheet_write_number(sheet, r, 3, line.unit_price, f.money);
        const std::string total = "=" + cell('C', row) + "*" + cell('D', row);
        worksheet_write_formula_num(sheet, r, 4, total.c_str(), f.money, line.quantity * line.unit_price);
        worksheet_write_number(sheet, r, 5, line.weight_g / 1000, f.kilograms);
        sub.price += line.quantity * line.unit_price;
        sub.weight_kg += line.weight_g / 1000;
        ++row;
    }
    sub.row = row;
    const lxw_row_t r = lxw_row_t(row);
    worksheet_write_string(sheet, r, 1, label(texts, CsvLabel::total).c_str(), f.bold);
    auto sum = [&](char column) {
        return lines.empty() ? std::string("=0") : "=SUM(" + cell(column, first) + ":" + cell(column, row - 1) + ")";
    };
    worksheet_write_formula_num(sheet, r, 4, sum('E').c_str(), f.money_bold, sub.price);
    worksheet_write_formula_num(sheet, r, 5, sum('F').c_str(), f.kilograms_bold, sub.weight_kg);
    row += 2;
    return sub;
}

void write_quote_sheet(lxw_worksheet* sheet, const Formats& f, const Quote& quote, const QuoteWorkbookTexts& texts)
{
    const std::pair<const std::string*, const std::string*> title[] = {
        {&texts.title.client_label, &texts.title.client},
        {&texts.title.project_label, &texts.title.project},
        {&texts.title.date_label, &texts.title.date},
    };
    int row = 0;
    for (const auto& [name, value] : title) {
        worksheet_write_string(sheet, lxw_row_t(row), 0, name->c_str(), f.bold);
        worksheet_write_string(sheet, lxw_row_t(row), 1, value->c_str(), nullptr);
        ++row;
    }
    ++row;
    const CsvLabel header[] = {CsvLabel::component, CsvLabel::name,        CsvLabel::quantity,
                               CsvLabel::unit_price, CsvLabel::total_price, CsvLabel::weight_kg};
    for (size_t k = 0; k < std::size(header); ++k)
        worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(k), label(texts, header[k]).c_str(), f.header);
    worksheet_freeze_panes(sheet, lxw_row_t(row + 1), 0);
    worksheet_repeat_rows(sheet, lxw_row_t(row), lxw_row_t(row));
    row += 1;

    const Subtotal walls = write_section(sheet, f, texts, CsvLabel::walls, wall_lines(quote), row);
    const Subtotal others = write_section(sheet, f, texts, CsvLabel::others, other_lines(quote), row);
    const lxw_row_t r = lxw_row_t(row);
    worksheet_write_string(sheet, r, 1, label(texts, CsvLabel::total).c_str(), f.bold);
    const std::string price = "=SUM(" + cell('E', walls.row) + "," + cell('E', others.row) + ")";
    const std::string weight = "=SUM(" + cell('F', walls.row) + "," + cell('F', others.row) + ")";
    worksheet_write_formula_num(sheet, r, 4, price.c_str(), f.money_bold, walls.price + others.price);
    worksheet_write_formula_num(sheet, r, 5, weight.c_str(), f.kilograms_bold, walls.weight_kg + others.weight_kg);

    worksheet_set_column(sheet, 0, 0, 8, nullptr);
    worksheet_set_column(sheet, 1, 1, 40, nullptr);
    worksheet_set_column(sheet, 2, 2, 10, nullptr);
    worksheet_set_column(sheet, 3, 5, 15, nullptr);
    worksheet_set_paper(sheet, paper_a4);
    worksheet_fit_to_pages(sheet, 1, 0); // one page wide, as many high as it takes
}

void write_packing_sheet(lxw_worksheet* sheet, const Formats& f, const Quote& quote, const ComponentTable& components,
                         const QuoteWorkbookTexts& texts)
{
    const std::string header[] = {label(texts, CsvLabel::component), label(texts, CsvLabel::name),
                                  label(texts, CsvLabel::quantity),  texts.unit,
                                  texts.per_bag,                     texts.to_take};
    for (size_t k = 0; k < std::size(header); ++k)
        worksheet_write_string(sheet, 0, lxw_col_t(k), header[k].c_str(), f.header);
    worksheet_freeze_panes(sheet, 1, 0);
    int row = 1;
    std::vector<Line> lines = wall_lines(quote);
    for (Line& line : other_lines(quote))
        lines.push_back(std::move(line));
    for (const Line& line : lines) {
        const lxw_row_t r = lxw_row_t(row);
        const double pack_by = ComponentTable::valid(line.component) ? components[line.component].pack_by : 0;
        const bool by_metre = line.component == component_printed_visual;
        worksheet_write_number(sheet, r, 0, line.component, nullptr);
        worksheet_write_string(sheet, r, 1, line.name.c_str(), nullptr);
        worksheet_write_number(sheet, r, 2, line.quantity, f.quantity);
        worksheet_write_string(sheet, r, 3, (by_metre ? texts.metres : texts.pieces).c_str(), nullptr);
        std::string formula;
        if (pack_by > 0) {
            worksheet_write_number(sheet, r, 4, pack_by, f.quantity);
            formula = "=ROUNDUP(" + cell('C', row) + "/" + cell('E', row) + ",0)";
        } else {
            formula = "=ROUNDUP(" + cell('C', row) + ",0)";
        }
        worksheet_write_formula_num(sheet, r, 5, formula.c_str(), f.bold, bags_to_take(line.quantity, pack_by));
        ++row;
    }
    worksheet_set_column(sheet, 0, 0, 8, nullptr);
    worksheet_set_column(sheet, 1, 1, 40, nullptr);
    worksheet_set_column(sheet, 2, 5, 12, nullptr);
    worksheet_set_paper(sheet, paper_a4);
    worksheet_fit_to_pages(sheet, 1, 0);
}

} // namespace

double bags_to_take(double quantity, double pack_by)
{
    if (!(quantity > 0))
        return 0;
    return pack_by > 0 ? ceil_quantity(quantity / pack_by) : ceil_quantity(quantity);
}

Result<void> write_quote_workbook(const std::filesystem::path& file, const Quote& quote,
                                  const ComponentTable& components, const QuoteWorkbookTexts& texts)
{
    auto replacement = FileReplacement::begin(file);
    if (!replacement)
        return replacement.error();
    // The library writes the file by name: our descriptor is closed first, the file stays ours.
    replacement->close_descriptor();
    lxw_workbook* book = workbook_new(replacement->temporary().c_str());
    if (!book)
        return make_error("the spreadsheet cannot be started", file);
    const Formats formats = make_formats(book);
    lxw_worksheet* quote_sheet = workbook_add_worksheet(book, quote_sheet_name);
    lxw_worksheet* packing_sheet = workbook_add_worksheet(book, packing_sheet_name);
    if (!quote_sheet || !packing_sheet) {
        workbook_close(book);
        return make_error("the spreadsheet's sheets cannot be made", file);
    }
    write_quote_sheet(quote_sheet, formats, quote, texts);
    write_packing_sheet(packing_sheet, formats, quote, components, texts);
    if (lxw_error closed = workbook_close(book); closed != LXW_NO_ERROR)
        return make_error(std::string("the spreadsheet could not be written: ") + lxw_strerror(closed), file);
    return replacement->commit();
}

} // namespace halvern
