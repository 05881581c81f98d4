// The quick parse of plain decimals must give the very double the full numeric parse gives.

#include <gtest/gtest.h>

#include <bit>
#include <random>

#include "base/numbers.h"
#include "project/plain_decimal.h"

using namespace halvern;

namespace {

void expect_same_as_full_parse(const std::string& text)
{
    auto quick = parse_plain_decimal(text);
    ASSERT_TRUE(quick) << text;
    EXPECT_EQ(std::bit_cast<std::uint64_t>(*quick), std::bit_cast<std::uint64_t>(parse_number(text))) << text;
}

} // namespace

TEST(PlainDecimal, GivesTheSameBitsAsTheFullParse)
{
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<float> singles(-100000, 100000);
    std::uniform_int_distribution<int> length(1, 15), sign(0, 1), digit(0, 9);
    for (int k = 0; k < 200000; ++k) {
        expect_same_as_full_parse(format_number(singles(rng)));
        // Any digits with the point anywhere: where a double rounding would show.
        int n = length(rng);
        std::string text = sign(rng) ? "-" : "";
        int point = std::uniform_int_distribution<int>(0, n - 1)(rng);
        for (int d = 0; d < n; ++d) {
            text += char('0' + digit(rng));
            if (d == point && d + 1 < n)
                text += '.';
        }
        expect_same_as_full_parse(text);
    }
    for (const char* text : {"0", "-0", "007", "999999999999999", "0.00000000000001", "-99999999.9999999",
                             "111.9", "0.1", "359.6"})
        expect_same_as_full_parse(text);
}

TEST(PlainDecimal, LeavesEveryOtherFormToTheFullParse)
{
    for (const char* text : {"", "-", " 1", "1 ", "+1", "1e5", "1.", ".5", "-.5", "1.2.3", "&h10", "1,5", "--1",
                             "\"5\"", "1234567890123456", "0.1234567890123456", "12a"})
        EXPECT_FALSE(parse_plain_decimal(text)) << text;
}
