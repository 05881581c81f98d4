// Text cells of the CSV files that customers open in a spreadsheet: split only where the text is,
// never read back as a formula.

#include <gtest/gtest.h>

#include "base/csv_text.h"

using namespace halvern;

TEST(CsvText, TextCellsAreQuotedWhereNeededAndNeverAFormula)
{
    struct Case {
        const char* text;
        const char* cell;
    };
    const Case cases[] = {
        {"", ""},
        {"Screen", "Screen"},
        {"Counter, \"curved\"", "\"Counter, \"\"curved\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"+1", "'+1"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1:A9)", "'@SUM(A1:A9)"},
        {"\t=1", "'\t=1"},
        {"\r=1", "\"'\r=1\""},
        {"a=b", "a=b"},             // only the first character makes a formula
        {"'quoted", "'quoted"},    // an apostrophe the text had stays as it was
    };
    for (const Case& c : cases)
        EXPECT_EQ(csv_text_cell(c.text), c.cell) << c.text;
}
