#include <cmath>

#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/plan_sheets.h"
#include "cli/project_input.h"
#include "outputs/quote.h"
#include "outputs/quote_workbook.h"
#include "outputs/sheet_texts.h"

namespace halvern {

namespace {

double rounded_to(double value, double step) { return round_half_away(value / step) * step; }

void print_json(std::ostream& out, const Quote& quote)
{
    const Bill& bill = quote.bill;
    out << "{\"rows\":[";
    for (size_t r = 0; r < bill.rows.size(); ++r) {
        const BillRow& row = bill.rows[r];
        out << (r ? "," : "") << "{\"component\":" << row.component << ",\"name\":" << json_string(row.name)
            << ",\"quantity\":" << format_number(row.quantity) << ",\"unit_price\":" << format_number(row.unit_price)
            << ",\"total_price\":" << format_number(row.total_price)
            << ",\"unit_weight_g\":" << format_number(row.unit_weight_g) << "}";
    }
    out << "],\"total_price\":" << format_number(rounded_to(bill.total_price, 0.01))
        << ",\"total_weight_kg\":" << format_number(rounded_to(bill.total_weight_g / 1000.0, 0.001));
    // The objects the wall system's list leaves out, and the whole quote.
    out << ",\"others\":[";
    for (size_t r = 0; r < quote.others.size(); ++r) {
        const OtherRow& row = quote.others[r];
        out << (r ? "," : "") << "{\"component\":" << row.component << ",\"name\":" << json_string(row.name)
            << ",\"quantity\":" << row.count << ",\"unit_price\":" << format_number(row.unit_price)
            << ",\"total_price\":" << format_number(row.total_price)
            << ",\"unit_weight_g\":" << format_number(row.unit_weight_g) << "}";
    }
    out << "],\"others_total_price\":" << format_number(rounded_to(quote.others_price, 0.01))
        << ",\"others_total_weight_kg\":" << format_number(rounded_to(quote.others_weight_g / 1000.0, 0.001))
        << ",\"quote_total_price\":" << format_number(rounded_to(quote.total_price(), 0.01))
        << ",\"quote_total_weight_kg\":" << format_number(rounded_to(quote.total_weight_g() / 1000.0, 0.001))
        << "}\n";
}

} // namespace

int cmd_bom(CliContext& context)
{
    const std::string format = context.option("--format").value_or("tsv");
    if (format != "tsv" && format != "json" && format != "csv" && format != "xlsx")
        return context.usage_error("bom: --format must be tsv, json, csv or xlsx, not '" + format + "'");
    const auto out = context.option("-o");
    if (format == "xlsx" && (!out || out->empty()))
        return context.usage_error("bom: a spreadsheet is a file: give it with -o OUT.xlsx");
    int group = all_groups;
    if (auto g = context.option("--group")) {
        auto n = parse_strict_int(*g, 1, max_objects);
        if (!n)
            return context.usage_error("bom: --group must be an object number from 1 to 2550, not '" + *g + "'");
        group = *n;
    }

    auto design = read_design(context, context.args[0]);
    if (!design)
        return exit_bad_input;
    if (design->read.failure)
        return exit_bad_input; // a bill of half a design would be a wrong bill; the reason is printed
    PlanTable& plan = design->plan;
    if (group != all_groups && !(plan.valid(group) && plan.is_group(group)))
        return context.fail(make_error("object " + std::to_string(group) + " is not a group", context.args[0]));

    const Quote quote = design_quote(plan, design->components, group);

    if (format == "tsv") {
        context.out << bill_clipboard_text(quote.bill);
    } else if (format == "csv") {
        UiText texts;
        texts.load(context.app_dir, context.lang);
        context.out << quote_csv(quote, csv_labels(texts));
    } else if (format == "xlsx") {
        UiText texts;
        texts.load(context.app_dir, context.lang);
        const auto date = context.option("--date").value_or(today());
        if (auto written = write_quote_workbook(*out, quote, design->components,
                                                quote_workbook_texts(texts, design->stand, date));
            !written)
            return context.fail(written.error());
    } else {
        print_json(context.out, quote);
    }
    return exit_ok;
}

} // namespace halvern
