// The toolkit must show our icons and cursors as we drew them: its own icon reader and ours must
// agree on every pixel of every picture we ship.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

#include <filesystem>

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
            int differing = 0;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x)
                    differing += theirs.pixel(x, y) != image.pixel(x, y);
            EXPECT_EQ(differing, 0) << image.width << " pixel picture";
        }
    }
}
