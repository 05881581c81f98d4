// The toolkit must show our icons and cursors as we drew them: its own icon reader and ours must
// agree on every picture we ship. Where the toolkit blends (partly transparent pixels) it may pick
// processor-specific code whose rounding differs by a unit, so those pixels are compared within one
// unit per channel; sizes, hot spots, transparent and opaque pixels must be exactly the same.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "base/icon_file.h"
#include "support/test_support.h"

using namespace halvern;

namespace {

void ensure_application()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

std::vector<std::filesystem::path> shipped(const char* folder, const char* extension)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(halvern::testing::stage_dir() / "lib" / folder))
        if (entry.path().extension() == extension)
            files.push_back(entry.path());
    return files;
}

// The hot spot as the file's directory stores it (planes and bit count of a cursor's entry).
std::pair<int, int> stored_hot_spot(const std::filesystem::path& file, size_t index)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const size_t entry = 6 + 16 * index;
    auto word = [&](size_t at) {
        return int(static_cast<unsigned char>(bytes.at(at))) | int(static_cast<unsigned char>(bytes.at(at + 1))) << 8;
    };
    return {word(entry + 4), word(entry + 6)};
}

bool within_one_unit(QRgb a, QRgb b)
{
    for (int shift : {0, 8, 16, 24})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1)
            return false;
    return true;
}

// Counts the pixels where the toolkit's picture is not ours.
int differing_pixels(const QImage& theirs, const IconImage& ours)
{
    int differing = 0;
    for (int y = 0; y < ours.height; ++y)
        for (int x = 0; x < ours.width; ++x) {
            const QRgb their = theirs.pixel(x, y);
            const QRgb our = ours.pixel(x, y);
            const int alpha = ours.alpha(x, y);
            const bool same = alpha == 0     ? qAlpha(their) == 0
                              : alpha == 255 ? their == our
                                             : within_one_unit(their, our);
            differing += !same;
        }
    return differing;
}

} // namespace

TEST(ShippedIconsInQt, QtReadsEveryPictureAsWeDo)
{
    ensure_application();
    std::vector<std::filesystem::path> files = shipped("ico", ".ico");
    const std::vector<std::filesystem::path> cursors = shipped("cur", ".cur");
    files.insert(files.end(), cursors.begin(), cursors.end());
    ASSERT_EQ(files.size(), 14u + 5u);

    for (const auto& file : files) {
        SCOPED_TRACE(file.string());
        Result<IconFile> ours = read_icon_file(file);
        ASSERT_TRUE(ours.ok()) << ours.error().text();

        QImageReader reader(QString::fromStdString(file.string()), "ico");
        ASSERT_EQ(reader.imageCount(), int(ours->images.size()));
        for (size_t index = 0; index < ours->images.size(); ++index) {
            const IconImage& image = ours->images[index];
            ASSERT_TRUE(reader.jumpToImage(int(index)));
            const QImage theirs = reader.read().convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(theirs.isNull()) << reader.errorString().toStdString();
            ASSERT_EQ(theirs.width(), image.width);
            ASSERT_EQ(theirs.height(), image.height);
            EXPECT_EQ(differing_pixels(theirs, image), 0) << image.width << " pixel picture";
            if (ours->kind == IconFileKind::cursor) {
                const auto [hot_x, hot_y] = stored_hot_spot(file, index);
                EXPECT_EQ(image.hot_x, hot_x);
                EXPECT_EQ(image.hot_y, hot_y);
            }
        }
    }
}
