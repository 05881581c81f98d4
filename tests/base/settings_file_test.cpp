// Our settings file: the layout it has always had, read one line at a time so that a damaged
// value stays one damaged value.

#include <gtest/gtest.h>

#include "base/settings_file.h"

using namespace halvern;

namespace {
using Parts = std::vector<std::string>;
}

TEST(SettingsFile, EachLineIsOneValueWhateverItsNeighbourDid)
{
    const SettingsFileRead read = parse_settings_file("[Current]\r\n"
                                                      "doc_path=\"/home/ann/stands\r\n" // a quote left open
                                                      "lang=fr\r\n"
                                                      "Import_path=/home/ann/pictures\r\n"
                                                      "garbage line\r\n"
                                                      "export_path = \" spaced \" \r\n"
                                                      "[View3D\r\n"
                                                      "view_qualite=1\r\n"
                                                      "[View3D]\n"
                                                      "viewer=desktop");
    const SettingsText expected{{"Current/doc_path", Parts{"/home/ann/stands"}},
                                {"Current/lang", Parts{"fr"}},
                                {"Current/Import_path", Parts{"/home/ann/pictures"}},
                                {"Current/export_path", Parts{" spaced "}},
                                {"Current/view_qualite", Parts{"1"}},
                                {"View3D/viewer", Parts{"desktop"}}};
    EXPECT_EQ(read.values, expected);
    EXPECT_EQ(read.damaged_lines, (std::vector<int>{5, 7}));
}

TEST(SettingsFile, FilesWrittenBeforeReadAsTheyWereMeant)
{
    struct Case {
        const char* line;
        Parts parts;
    };
    const Case cases[] = {
        {"k=plain text", {"plain text"}},
        {"k=\"My stands, 2026\"", {"My stands, 2026"}},
        {"k=1,0", {"1", "0"}}, // a hand-written list; the store joins it back
        {"k=/a.qlm, \"/b, c.qlm\", /d.qlm", {"/a.qlm", "/b, c.qlm", "/d.qlm"}},
        {"k=@Invalid()", {}},
        {"k=", {""}},
        {"k=C:\\\\stands\\\\\\\"x\\\"", {"C:\\stands\\\"x\""}},
        {"k=tab\\there\\nand\\x1b", {"tab\there\nand\x1b"}},
        {"k=caf\\xe9", {"caf\xC3\xA9"}},
        {"k=@@at", {"@at"}},
        {"k=bad \xFF byte", {"bad \xEF\xBF\xBD byte"}},
    };
    for (const Case& c : cases) {
        const SettingsFileRead read = parse_settings_file(std::string("[G]\n") + c.line + "\n");
        ASSERT_EQ(read.values.count("G/k"), 1u) << c.line;
        EXPECT_EQ(read.values.at("G/k"), c.parts) << c.line;
    }
    // Keys outside the plain characters, and a group within a group.
    const SettingsFileRead keys = parse_settings_file("[General]\nmy%20key=1\n[a]\nb\\c=2\nn%U00E9=3\n");
    EXPECT_EQ(keys.values, (SettingsText{{"my key", Parts{"1"}}, {"a/b/c", Parts{"2"}}, {"a/n\xC3\xA9", Parts{"3"}}}));
}

TEST(SettingsFile, WhatIsWrittenReadsBackTheSame)
{
    const SettingsText values{
        {"Current/doc_path", Parts{" /home/ann/My stands, \"2026\"; =x\\y "}},
        {"Current/lang", Parts{"fr"}},
        {"Current/text", Parts{"line\nbreak\ttab\x01" "a\x7F" "b"}},
        {"Current/at", Parts{"@Variant(x)"}},
        {"Current/empty", Parts{""}},
        {"Recent/designs", Parts{"/a.qlm", "/b, c.qlm"}},
        {"Recent/none", Parts{}},
        {"top", Parts{"level"}},
        {"Window/the key/é", Parts{"1"}},
    };
    const std::string text = format_settings_file(values);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.find("[Current]\n"), std::string::npos) << text;
    const SettingsFileRead back = parse_settings_file(text);
    EXPECT_EQ(back.values, values) << text;
    EXPECT_TRUE(back.damaged_lines.empty());
}
