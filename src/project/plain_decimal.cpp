#include "project/plain_decimal.h"

#include <cstdint>

namespace halvern {

namespace {

// Every power up to 10^15 is exact in a double, and so is any integer below 10^15 < 2^53:
// their quotient is then rounded once, correctly, by the division itself.
constexpr double powers_of_ten[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int max_digits = 15;

} // namespace

std::optional<double> parse_plain_decimal(std::string_view text)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        ++i;
    std::uint64_t mantissa = 0;
    int digits = 0, fraction = 0;
    auto take_digits = [&](int& counted) {
        const size_t start = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (++digits > max_digits)
                return false;
            mantissa = mantissa * 10 + std::uint64_t(text[i] - '0');
            ++counted;
        }
        return i > start;
    };
    int whole = 0;
    if (!take_digits(whole))
        return std::nullopt;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (!take_digits(fraction))
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    const double value = double(mantissa) / powers_of_ten[fraction];
    return negative ? -value : value;
}

} // namespace halvern
