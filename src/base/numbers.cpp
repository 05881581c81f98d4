#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

namespace halvern {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int hex_value(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A leading "+" goes; a leading "-" stays for from_chars to read.
std::string_view without_plus(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    return text;
}

// Whether what follows one optional sign begins with a digit (or a point, for reals), so that
// "+-5" is refused rather than read as -5.
bool starts_unsigned_number(std::string_view text, bool point_allowed)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return !text.empty() && (is_digit(text.front()) || (point_allowed && text.front() == '.'));
}

double clamp_finite(double v)
{
    if (std::isnan(v))
        return 0;
    const double max = std::numeric_limits<double>::max();
    return v > max ? max : v < -max ? -max : v;
}

} // namespace

double parse_number(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;

    if (i + 1 < text.size() && text[i] == '&' && (text[i + 1] == 'h' || text[i + 1] == 'H')) {
        double value = 0;
        for (i += 2; i < text.size() && hex_value(text[i]) >= 0; ++i)
            value = value * 16 + hex_value(text[i]);
        return clamp_finite(value);
    }

    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && is_digit(text[i]))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1, frac = 0;
        while (j < text.size() && is_digit(text[j]))
            ++j, ++frac;
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        size_t exp_digits = 0;
        while (j < text.size() && is_digit(text[j]))
            ++j, ++exp_digits;
        if (exp_digits > 0)
            i = j;
    }

    // from_chars does not take a leading "+".
    size_t from = start;
    bool negative = false;
    if (text[from] == '+' || text[from] == '-') {
        negative = text[from] == '-';
        ++from;
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data() + from, text.data() + i, value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on overflow or underflow: tell the two apart by the
        // exponent's sign.
        bool tiny = text.substr(from, i - from).find("e-") != std::string_view::npos
                    || text.substr(from, i - from).find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::max();
    } else if (ec != std::errc()) {
        return 0;
    }
    return clamp_finite(negative ? -value : value);
}

double parse_number_comma(std::string_view text)
{
    std::string copy(text);
    for (char& c : copy)
        if (c == ',')
            c = '.';
    return parse_number(copy);
}

std::optional<double> parse_strict_real(std::string_view text)
{
    // from_chars alone would also take "inf", "nan" and a second sign, and no "+" at all.
    if (!starts_unsigned_number(text, true))
        return std::nullopt;
    const std::string_view number = without_plus(text);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parse_strict_int(std::string_view text, int low, int high)
{
    if (!starts_unsigned_number(text, false))
        return std::nullopt;
    const std::string_view number = without_plus(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec != std::errc() || end != number.data() + number.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

double round_half_away(double value)
{
    return std::round(value); // std::round is half away from zero
}

int round_to_int(double value)
{
    if (std::isnan(value))
        return 0;
    double r = std::round(value);
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

int normalize_degrees(int degrees)
{
    int r = degrees % 360;
    return r < 0 ? r + 360 : r;
}

double normalize_degrees(double degrees)
{
    if (!std::isfinite(degrees))
        return 0;
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    if (r >= 360.0) // -1e-20 + 360 rounds to 360
        r = 0;
    return r;
}

namespace {

template <class F>
std::string shortest_fixed(F value)
{
    if (!std::isfinite(value))
        return "0";
    if (value == 0)
        return "0"; // also -0
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return "0";
    return std::string(buf, end);
}

} // namespace

std::string format_number(double value)
{
    // Sums and products of stored values carry binary noise in the last digits (0.1 * 3 is
    // 0.30000000000000004); nobody wants to read it. Fifteen significant digits is what a double
    // always holds exactly, so round to that first and then write the shortest form.
    if (!std::isfinite(value) || value == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return shortest_fixed(std::strtod(buf, nullptr));
}
std::string format_number(float value) { return shortest_fixed(value); }

std::string format_text_number(double value)
{
    std::string text = format_number(value);
    return text[0] == '-' ? text : " " + text;
}

std::string format_definition_number(double value)
{
    // Round the digits the shortest form shows, so that 1.005 (typed by a user, stored as
    // 1.00499999...) becomes 1.01 as the user expects.
    std::string text = format_number(value);
    bool negative = text[0] == '-';
    std::string digits = negative ? text.substr(1) : text;
    size_t dot = digits.find('.');
    if (dot == std::string::npos || digits.size() - dot - 1 <= 2)
        return text;

    bool round_up = digits[dot + 3] >= '5';
    std::string kept = digits.substr(0, dot) + digits.substr(dot + 1, 2); // integer part + 2 decimals
    if (round_up) {
        int k = int(kept.size()) - 1;
        while (k >= 0 && kept[k] == '9')
            kept[k--] = '0';
        if (k < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[k];
    }
    std::string int_part = kept.substr(0, kept.size() - 2);
    std::string frac = kept.substr(kept.size() - 2);
    while (!frac.empty() && frac.back() == '0')
        frac.pop_back();
    std::string out = int_part + (frac.empty() ? "" : "." + frac);
    if (out == "0")
        return "0";
    return negative ? "-" + out : out;
}

} // namespace halvern
