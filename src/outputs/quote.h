#pragma once
// The complete quote: the modular wall system's bill as it stands, and beside it every other placed
// object (counters, screens, plants, the components of file libraries) counted one per object and
// priced from the price table. The two are kept apart so that the wall system's list, its clipboard
// text and its tab-separated output stay exactly what they were.

#include <string>
#include <vector>

#include "outputs/bill_of_materials.h"

namespace halvern {

struct OtherRow {
    int component = 0;
    std::string name;
    int count = 0;
    double unit_price = 0;
    double unit_weight_g = 0;
    double total_price = 0;
    double total_weight_g = 0;
};

struct Quote {
    Bill bill;                   // the wall system, as the list window has always shown it
    std::vector<OtherRow> others; // one row per component, in number order
    double others_price = 0;
    double others_weight_g = 0;
    double total_price() const { return bill.total_price + others_price; }
    double total_weight_g() const { return bill.total_weight_g + others_weight_g; }
};

// The objects the wall system's pass leaves out: every object with a component of another library
// than 0 (group objects and objects marked for deletion are not things one sells). `group` as for
// the bill: all_groups, or the group object whose members alone are counted.
std::vector<OtherRow> other_components(const PlanTable& plan, const ComponentTable& components,
                                       int group = all_groups);

Quote design_quote(const PlanTable& plan, const ComponentTable& components, int group = all_groups);

// The quote as CSV for a spreadsheet: UTF-8, a header row, one row per component of each section
// (the section named in the first column), the totals of each section and overall; "." decimals,
// money to the cent, weights in kilograms, CR LF line ends. `labels` are the header's and the
// sections' texts in the user's language, in the order of `csv_label`.
enum class CsvLabel { section, component, name, quantity, unit_price, total_price, weight_kg, walls, others, total };
std::string quote_csv(const Quote& quote, const std::vector<std::string>& labels);

// The same rows as plain texts, header first: what a table of the quote shows.
std::vector<std::vector<std::string>> quote_rows(const Quote& quote, const std::vector<std::string>& labels);

// The English labels, for the command line.
std::vector<std::string> english_csv_labels();

} // namespace halvern
