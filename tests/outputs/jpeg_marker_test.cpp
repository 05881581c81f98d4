// Our JPEG writers start every file with the JFIF marker: simage, the picture reader of Coin-based
// VRML viewers, refuses a JPEG without it, and the scene's pictures are read by such viewers.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <cstdint>
#include <vector>

#include "base/text_file.h"
#include "outputs/jpeg_file.h"
#include "outputs/jpeg_stream.h"
#include "support/test_support.h"

namespace halvern {
namespace {

using testing::read_bytes;
using testing::starts_as_jfif;

TEST(JpegMarker, TheFreeImageWriterAlwaysWritesIt)
{
    testing::ScratchDir dir;
    FIBITMAP* bitmap = FreeImage_Allocate(24, 16, 24);
    ASSERT_NE(bitmap, nullptr);
    for (unsigned y = 0; y < 16; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (unsigned x = 0; x < 24 * 3; ++x)
            row[x] = 120;
    }
    FreeImage_SetDotsPerMeterX(bitmap, 5906); // 150 dots per inch
    FreeImage_SetDotsPerMeterY(bitmap, 5906);
    // The encoder's bare form leaves the marker out: the writer puts it back, with the resolution.
    for (int flags : {90, 90 | JPEG_BASELINE}) {
        SCOPED_TRACE(flags);
        const auto file = dir / "plan.jpg";
        ASSERT_TRUE(write_jpeg_file(bitmap, file, flags));
        const std::string bytes = read_bytes(file);
        ASSERT_TRUE(starts_as_jfif(bytes));
        EXPECT_EQ(bytes.find("JFIF", 11), std::string::npos); // one marker, not two
        FIBITMAP* back = FreeImage_Load(FIF_JPEG, file.string().c_str(), 0);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(FreeImage_GetWidth(back), 24u);
        EXPECT_EQ(FreeImage_GetHeight(back), 16u);
        EXPECT_NEAR(FreeImage_GetScanLine(back, 8)[12], 120, 3);
        EXPECT_NEAR(FreeImage_GetDotsPerMeterX(back), 5906, 40);
        FreeImage_Unload(back);
    }
    FreeImage_Unload(bitmap);
}

TEST(JpegMarker, TheStreamingWriterWritesIt)
{
    testing::ScratchDir dir;
    const auto file = dir / "strip.jpg";
    ASSERT_TRUE(write_file_safely_with(file, [](int fd) -> Result<void> {
        JpegStream jpeg(fd, 16, 8, 90);
        std::vector<std::uint8_t> rows(16 * 3 * 8, 200);
        if (auto written = jpeg.write_rows(rows.data(), 8, 16 * 3); !written)
            return written;
        return jpeg.finish();
    }));
    EXPECT_TRUE(starts_as_jfif(read_bytes(file)));
}

} // namespace
} // namespace halvern
