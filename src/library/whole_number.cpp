#include "library/whole_number.h"

#include <cmath>

#include "base/numbers.h"

namespace halvern {

namespace {
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
} // namespace

bool starts_with_number(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i + 2 < text.size() && text[i] == '&' && (text[i + 1] == 'h' || text[i + 1] == 'H'))
        return is_hex_digit(text[i + 2]);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i < text.size() && is_digit(text[i]))
        return true;
    return i + 1 < text.size() && text[i] == '.' && is_digit(text[i + 1]);
}

std::optional<int> whole_number_in(std::string_view text, int low, int high)
{
    if (!starts_with_number(text))
        return std::nullopt;
    double value = parse_number(text);
    if (value != std::floor(value) || value < low || value > high)
        return std::nullopt;
    return int(value);
}

} // namespace halvern
