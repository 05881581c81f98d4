#include "base/csv_text.h"

#include <string_view>

namespace halvern {

std::string csv_text_cell(const std::string& text)
{
    std::string cell = text;
    if (!cell.empty() && std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos)
        cell.insert(cell.begin(), '\'');
    // A spreadsheet reads a cell as text only when it has to: quotes only around cells that need them.
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string out = "\"";
    for (char c : cell)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + '"';
}

} // namespace halvern
