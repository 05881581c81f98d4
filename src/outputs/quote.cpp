#include "outputs/quote.h"

#include <map>

#include "base/csv_text.h"
#include "base/numbers.h"
#include "plan/plan_ends.h"

namespace halvern {

std::vector<OtherRow> other_components(const PlanTable& plan, const ComponentTable& components, int group)
{
    std::map<int, int> counts;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!has_geometry(plan, i) || components[plan.comp(i)].library == 0)
            continue;
        if (group != all_groups && plan.obj_groupe[size_t(i)] != group)
            continue;
        ++counts[plan.comp(i)];
    }
    std::vector<OtherRow> rows;
    for (const auto& [n, count] : counts) {
        const Component& c = components[n];
        rows.push_back({n, c.name, count, c.price, c.weight, count * c.price, count * c.weight});
    }
    return rows;
}

Quote design_quote(const PlanTable& plan, const ComponentTable& components, int group)
{
    Quote quote;
    quote.bill = design_bill(plan, components, group);
    quote.others = other_components(plan, components, group);
    for (const OtherRow& row : quote.others) {
        quote.others_price += row.total_price;
        quote.others_weight_g += row.total_weight_g;
    }
    return quote;
}

namespace {


std::string money(double value) { return format_number(round_half_away(value * 100) / 100); }
std::string kilograms(double grams) { return format_number(round_half_away(grams) / 1000); }

const std::string& label(const std::vector<std::string>& labels, CsvLabel which)
{
    static const std::vector<std::string> english = english_csv_labels();
    const size_t k = size_t(which);
    return k < labels.size() && !labels[k].empty() ? labels[k] : english[k];
}

} // namespace

std::vector<std::string> english_csv_labels()
{
    return {"Section", "No.", "Component", "Quantity", "Unit price", "Total price", "Weight (kg)",
            "Wall system", "Other components", "Total"};
}

std::vector<std::vector<std::string>> quote_rows(const Quote& quote, const std::vector<std::string>& labels)
{
    auto L = [&](CsvLabel which) { return label(labels, which); };
    std::vector<std::vector<std::string>> rows;
    rows.push_back({L(CsvLabel::section), L(CsvLabel::component), L(CsvLabel::name), L(CsvLabel::quantity),
                    L(CsvLabel::unit_price), L(CsvLabel::total_price), L(CsvLabel::weight_kg)});
    auto row = [&](CsvLabel section, const std::string& component, const std::string& name, const std::string& quantity,
                   const std::string& unit_price, double total_price, double weight_g) {
        rows.push_back({L(section), component, name, quantity, unit_price, money(total_price), kilograms(weight_g)});
    };
    for (const BillRow& r : quote.bill.rows)
        row(CsvLabel::walls, std::to_string(r.component), r.name, format_number(r.quantity), money(r.unit_price),
            r.total_price, r.quantity * r.unit_weight_g);
    for (const OtherRow& r : quote.others)
        row(CsvLabel::others, std::to_string(r.component), r.name, std::to_string(r.count), money(r.unit_price),
            r.total_price, r.total_weight_g);
    row(CsvLabel::walls, "", L(CsvLabel::total), "", "", quote.bill.total_price, quote.bill.total_weight_g);
    row(CsvLabel::others, "", L(CsvLabel::total), "", "", quote.others_price, quote.others_weight_g);
    row(CsvLabel::total, "", L(CsvLabel::total), "", "", quote.total_price(), quote.total_weight_g());
    return rows;
}

std::string quote_csv(const Quote& quote, const std::vector<std::string>& labels)
{
    std::string out;
    bool header = true;
    for (const std::vector<std::string>& row : quote_rows(quote, labels)) {
        // Texts (the header, the section and the name) are made safe for a spreadsheet; numbers
        // are written as they are.
        for (size_t c = 0; c < row.size(); ++c) {
            const bool text = header || c == 0 || c == 2;
            out += (c ? "," : "") + (text ? csv_text_cell(row[c]) : row[c]);
        }
        out += "\r\n";
        header = false;
    }
    return out;
}

} // namespace halvern
