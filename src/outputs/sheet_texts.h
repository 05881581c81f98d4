#pragma once
// The words of the plan sheet, the bill pages and the quote's CSV header in the user's language.

#include <string>
#include <vector>

#include "base/ui_text.h"
#include "outputs/plan_sheet.h"
#include "outputs/quote_workbook.h"
#include "plan/stand_settings.h"

namespace halvern {

inline constexpr const char* program_name = "Halvern Visual Design";

// `date` as the user's calendar writes it (the front end knows the clock and the locale).
SheetTexts sheet_texts(const UiText& texts, const StandSettings& stand, const std::string& date);
BillPageTexts bill_page_texts(const UiText& texts, const StandSettings& stand);
std::vector<std::string> csv_labels(const UiText& texts);
QuoteWorkbookTexts quote_workbook_texts(const UiText& texts, const StandSettings& stand, const std::string& date);

} // namespace halvern
