#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/numbers.h"

using namespace halvern;

TEST(ParseNumber, LeadingNumberOfText)
{
    EXPECT_EQ(parse_number("12.5abc"), 12.5);
    EXPECT_EQ(parse_number("abc"), 0);
    EXPECT_EQ(parse_number(""), 0);
    EXPECT_EQ(parse_number("-3e2"), -300);
    EXPECT_EQ(parse_number("  \t 42"), 42);
    EXPECT_EQ(parse_number("+7"), 7);
    EXPECT_EQ(parse_number(".5"), 0.5);
    EXPECT_EQ(parse_number("-.25"), -0.25);
    EXPECT_EQ(parse_number("5."), 5);
    EXPECT_EQ(parse_number("1.5.3"), 1.5);
    EXPECT_EQ(parse_number("1 2"), 1);
}

TEST(ParseNumber, SignOrPointAloneIsNoNumber)
{
    EXPECT_EQ(parse_number("-"), 0);
    EXPECT_EQ(parse_number("."), 0);
    EXPECT_EQ(parse_number("-.e5"), 0);
}

TEST(ParseNumber, ExponentNeedsDigits)
{
    EXPECT_EQ(parse_number("2e"), 2);
    EXPECT_EQ(parse_number("2e+"), 2);
    EXPECT_EQ(parse_number("2E-1x"), 0.2);
}

TEST(ParseNumber, Hexadecimal)
{
    EXPECT_EQ(parse_number("&hFF"), 255);
    EXPECT_EQ(parse_number("&Hff"), 255);
    EXPECT_EQ(parse_number(" &h1A2B3C rest"), 0x1A2B3C);
    EXPECT_EQ(parse_number("&hFFFFFF"), 16777215);
    EXPECT_EQ(parse_number("&h"), 0);
    EXPECT_EQ(parse_number("&hG1"), 0);
    EXPECT_EQ(parse_number("FF"), 0); // hexadecimal only with its prefix
}

TEST(ParseNumber, HugeValuesStayFinite)
{
    double big = parse_number("1e999");
    EXPECT_TRUE(std::isfinite(big));
    EXPECT_GT(big, 1e300);
    EXPECT_TRUE(std::isfinite(parse_number("-1e999")));
    EXPECT_LT(parse_number("-1e999"), -1e300);
    EXPECT_EQ(parse_number("1e-999"), 0);
    EXPECT_TRUE(std::isfinite(parse_number("&h" + std::string(400, 'F'))));
}

TEST(ParseNumber, CommaAsDecimalPoint)
{
    EXPECT_EQ(parse_number("1,5"), 1);
    EXPECT_EQ(parse_number_comma("1,5"), 1.5);
    EXPECT_EQ(parse_number_comma("1,0"), 1);
}

TEST(ParseNumber, StrictFormsTakeTheWholeTextOrNothing)
{
    EXPECT_EQ(parse_strict_real("+12.5"), 12.5);
    EXPECT_EQ(parse_strict_real("-.5"), -0.5);
    EXPECT_EQ(parse_strict_real("1e2"), 100);
    EXPECT_EQ(parse_strict_int("+7", 0, 9), 7);
    EXPECT_EQ(parse_strict_int("-3", -5, 0), -3);
    for (const char* bad : {"", "+", "-", "+-5", "-+5", " 1", "1 ", "1x", "inf", "-nan", "1e999", ",5"})
        EXPECT_FALSE(parse_strict_real(bad)) << bad;
    for (const char* bad : {"", "+-5", "1.0", "10", "-6", "99999999999"})
        EXPECT_FALSE(parse_strict_int(bad, -5, 9)) << bad;
}

TEST(Rounding, HalfAwayFromZero)
{
    EXPECT_EQ(round_half_away(2.5), 3);
    EXPECT_EQ(round_half_away(-2.5), -3);
    EXPECT_EQ(round_half_away(0.49), 0);
    EXPECT_EQ(round_to_int(3.5), 4);
    EXPECT_EQ(round_to_int(-0.5), -1);
    EXPECT_EQ(round_to_int(1e300), std::numeric_limits<int>::max());
    EXPECT_EQ(round_to_int(-1e300), std::numeric_limits<int>::min());
    EXPECT_EQ(round_to_int(std::nan("")), 0);
}

TEST(Degrees, NormalisedIntoOneTurn)
{
    EXPECT_EQ(normalize_degrees(-90), 270);
    EXPECT_EQ(normalize_degrees(370), 10);
    EXPECT_EQ(normalize_degrees(360), 0);
    EXPECT_EQ(normalize_degrees(-3690), 270); // below -3600 too
    EXPECT_EQ(normalize_degrees(-90.5), 269.5);
    EXPECT_EQ(normalize_degrees(-1e-20), 0.0);
    EXPECT_EQ(normalize_degrees(720.25), 0.25);
}

TEST(FormatNumber, ShortestPlainDecimal)
{
    EXPECT_EQ(format_number(1.5), "1.5");
    EXPECT_EQ(format_number(2.0), "2");
    EXPECT_EQ(format_number(-1.0), "-1");
    EXPECT_EQ(format_number(-0.0), "0");
    EXPECT_EQ(format_number(0.1), "0.1");
    EXPECT_EQ(format_number(1e21), "1000000000000000000000"); // never an exponent
    EXPECT_EQ(format_number(0.000001), "0.000001");
    EXPECT_EQ(format_number(0.1 * 3), "0.3");       // no binary noise in totals
    EXPECT_EQ(format_number(2.28 * 12.5), "28.5");
    EXPECT_EQ(format_number(123456789.123), "123456789.123");
}

TEST(FormatNumber, SinglePrecisionReadsBack)
{
    EXPECT_EQ(format_number(111.9f), "111.9");
    EXPECT_EQ(format_number(0.5f), "0.5");
    EXPECT_EQ(format_number(-1.0f), "-1");
    for (float v : {0.1f, 123.456f, 1e-3f, 33333.33f, -0.7f}) {
        float back = float(parse_number(format_number(v)));
        EXPECT_EQ(back, v) << format_number(v);
    }
}

TEST(FormatNumber, TextOutputsPutABlankBeforeNonNegative)
{
    EXPECT_EQ(format_text_number(3), " 3");
    EXPECT_EQ(format_text_number(0), " 0");
    EXPECT_EQ(format_text_number(-0.0), " 0");
    EXPECT_EQ(format_text_number(-2.5), "-2.5");
}

TEST(FormatNumber, DefinitionFilesRoundToTwoDecimals)
{
    EXPECT_EQ(format_definition_number(1.5), "1.5");
    EXPECT_EQ(format_definition_number(2), "2");
    EXPECT_EQ(format_definition_number(-1), "-1");
    EXPECT_EQ(format_definition_number(1.234), "1.23");
    EXPECT_EQ(format_definition_number(1.235), "1.24");
    EXPECT_EQ(format_definition_number(1.005), "1.01"); // as typed, not as stored in binary
    EXPECT_EQ(format_definition_number(-1.235), "-1.24");
    EXPECT_EQ(format_definition_number(0.996), "1");
    EXPECT_EQ(format_definition_number(9.999), "10");
    EXPECT_EQ(format_definition_number(0.001), "0");
    EXPECT_EQ(format_definition_number(-0.001), "0");
    EXPECT_EQ(format_definition_number(double(111.9f)), "111.9");
}
