#pragma once
// The number rules of every file and field: one parse, one rounding, and the number writers.

#include <optional>
#include <string>
#include <string_view>

namespace halvern {

// The leading number of a text: blanks and tabs skipped, an optional sign, digits, an optional
// "." with digits, an optional exponent; or "&h" with hexadecimal digits. It stops at the first
// character that cannot continue the number; a text without a number gives 0. Values beyond the
// range of a double are clamped, never infinite.
double parse_number(std::string_view text);

// The same, after turning every "," into "." (dialogs and stored settings accept a comma).
double parse_number_comma(std::string_view text);

// Values typed where a slip must be refused rather than read as 0 (command-line arguments, the
// strip widths of a cut): the whole text is one finite number, nothing around it, blanks
// included. A real has an optional sign, digits with an optional "." and exponent; "inf" and
// "nan" are no numbers. A whole number has an optional sign and lies within [low, high].
std::optional<double> parse_strict_real(std::string_view text);
std::optional<int> parse_strict_int(std::string_view text, int low, int high);

// Half away from zero: 2.5 -> 3, -2.5 -> -3.
double round_half_away(double value);

// Rounds half away from zero and saturates to the int range (so a huge or broken value can never
// become undefined behaviour in an index).
int round_to_int(double value);

// Degrees into 0..359 (whole) or [0, 360) (real), also for values far below -3600.
int normalize_degrees(int degrees);
double normalize_degrees(double degrees);

// The shortest plain decimal text that reads back to the same value: no exponent, no leading
// blank, "-0" written as "0". The float overload is the form of project files (single precision);
// the double overload first rounds to 15 significant digits, so arithmetic noise never shows.
std::string format_number(double value);
std::string format_number(float value);

// Text outputs put one blank before a non-negative number.
std::string format_text_number(double value);

// Definition files: rounded to 2 decimals (half away from zero, on the decimal digits the user
// sees), then the shortest form: 1.5, 2, -1, 0.13.
std::string format_definition_number(double value);

} // namespace halvern
