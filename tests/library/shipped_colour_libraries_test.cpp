// The colour libraries we ship, read from the staged installation folder as the palette reads them.

#include <gtest/gtest.h>

#include <algorithm>

#include "base/text_file.h"
#include "library/colour_library.h"
#include "support/test_support.h"

using namespace halvern;

namespace {

std::filesystem::path colour_folder() { return halvern::testing::stage_dir() / "lib" / "color"; }

} // namespace

TEST(ShippedColourLibraries, TheDefaultAndALargeChartAreThere)
{
    const auto files = list_colour_libraries(colour_folder());
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.filename().string());
    EXPECT_NE(std::find(names.begin(), names.end(), "primaire.lib"), names.end());

    int largest = 0;
    for (const auto& file : files) {
        Result<int> count = count_colour_library(file);
        ASSERT_TRUE(count.ok()) << count.error().text();
        largest = std::max(largest, *count);
    }
    EXPECT_GE(largest, 200);
}

// Every record of a shipped file is a colour: one record a line, no heading, no repeated colour
// (which the palette would silently drop), names quoted, code page 1252 with CR LF.
TEST(ShippedColourLibraries, EveryRecordIsKeptWithoutNotes)
{
    const auto files = list_colour_libraries(colour_folder());
    ASSERT_GE(files.size(), 2u);
    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        Result<std::string> bytes = read_file_bytes(file);
        ASSERT_TRUE(bytes.ok()) << bytes.error().text();
        ASSERT_FALSE(bytes->empty());

        size_t records = 0;
        size_t pos = 0;
        while (pos < bytes->size()) {
            const size_t end = bytes->find('\n', pos);
            ASSERT_NE(end, std::string::npos) << "the last line has no line end";
            ASSERT_GT(end, pos) << "empty line or LF without CR";
            EXPECT_EQ((*bytes)[end - 1], '\r') << "line " << records + 1 << " ends without CR";
            EXPECT_EQ((*bytes)[pos], '"') << "line " << records + 1 << ": the name is not quoted";
            ++records;
            pos = end + 1;
        }

        const ColourLibrary library = parse_colour_library(*bytes, file);
        for (const Error& note : library.notes)
            ADD_FAILURE() << note.text();
        // A colour equal to the one before would be dropped by the reader, so this also proves
        // that no two neighbouring records share a colour.
        EXPECT_EQ(size_t(library.count()), records);
        for (int i = 0; i < library.count(); ++i) {
            EXPECT_FALSE(library.names[size_t(i)].empty());
            EXPECT_GE(library.transparencies[size_t(i)], 0.0f);
            EXPECT_LT(library.transparencies[size_t(i)], 1.0f) << "an invisible colour is no use";
        }
    }
}
