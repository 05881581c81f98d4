#pragma once
// One text cell of the comma-separated files we hand to spreadsheets (the bill, the print pack's
// manifest). Numbers are written by the callers as they are; only text goes through here.

#include <string>

namespace halvern {

// Quotes the cell where a comma, quote or line break would split it, and neutralises a text that a
// spreadsheet would take for a formula (a component name from an imported price table starting with
// "=", "+", "-" or "@", or a tab or carriage return that some programs skip before one): a leading
// apostrophe makes the program show it as the text it is.
std::string csv_text_cell(const std::string& text);

} // namespace halvern
