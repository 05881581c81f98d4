#include <cmath>

#include "base/numbers.h"
#include "cli/commands.h"
#include "cli/project_input.h"
#include "outputs/bill_of_materials.h"

namespace halvern {

namespace {

std::string json_string(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += c; // UTF-8 passes as it is
            }
        }
    }
    return out + "\"";
}

double rounded_to(double value, double step) { return round_half_away(value / step) * step; }

void print_json(std::ostream& out, const Bill& bill)
{
    out << "{\"rows\":[";
    for (size_t r = 0; r < bill.rows.size(); ++r) {
        const BillRow& row = bill.rows[r];
        out << (r ? "," : "") << "{\"component\":" << row.component << ",\"name\":" << json_string(row.name)
            << ",\"quantity\":" << format_number(row.quantity) << ",\"unit_price\":" << format_number(row.unit_price)
            << ",\"total_price\":" << format_number(row.total_price)
            << ",\"unit_weight_g\":" << format_number(row.unit_weight_g) << "}";
    }
    out << "],\"total_price\":" << format_number(rounded_to(bill.total_price, 0.01))
        << ",\"total_weight_kg\":" << format_number(rounded_to(bill.total_weight_g / 1000.0, 0.001)) << "}\n";
}

} // namespace

int cmd_bom(CliContext& context)
{
    const std::string format = context.option("--format").value_or("tsv");
    if (format != "tsv" && format != "json")
        return context.usage_error("bom: --format must be tsv or json, not '" + format + "'");
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

    const Bill bill = design_bill(plan, design->components, group);

    if (format == "tsv")
        context.out << bill_clipboard_text(bill);
    else
        print_json(context.out, bill);
    return exit_ok;
}

} // namespace halvern
