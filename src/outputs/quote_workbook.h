#pragma once
// The quote as a spreadsheet the customer's buyer edits: a sheet "Quote" with the title block,
// the wall system's list and the other components as two sections (quantity, unit price, the line
// total as a formula, weight), the sections' subtotals and the grand total as SUM formulas; and a
// sheet "Packing" with the pieces per bag and the bags to take. Every formula carries the value
// it computes, so a viewer that does not recalculate shows the right numbers, and the numbers are
// the CSV quote's to the cent.

#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "outputs/plan_sheet.h"
#include "outputs/quote.h"

namespace halvern {

inline constexpr const char* quote_sheet_name = "Quote";
inline constexpr const char* packing_sheet_name = "Packing";

struct QuoteWorkbookTexts {
    SheetTexts title;                // client, project and date with their labels
    std::vector<std::string> labels; // the CSV quote's, in the order of CsvLabel
    std::string unit, per_bag, to_take, pieces, metres;
};

// The bags to take of a component: a `pack_by` above 0 is the pieces (or metres) in one bag, the
// count rounded up to whole bags; 0 sells it by the piece (or by the metre, whole metres).
double bags_to_take(double quantity, double pack_by);

// Writes the workbook through the safe writer: a failure leaves an earlier file as it was.
Result<void> write_quote_workbook(const std::filesystem::path& file, const Quote& quote,
                                  const ComponentTable& components, const QuoteWorkbookTexts& texts);

} // namespace halvern
