// "tile": strips written beside the picture and named one a line, read back by Qt's own JPEG
// reader and compared with the picture's columns; bad widths and counts refused before any cut.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cstdlib>

#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;
using halvern::testing::run_cli_in;

namespace {

QString q(const std::filesystem::path& file) { return QString::fromStdString(file.string()); }

// Mean difference per channel between the strip and the picture's columns from x0.
double mean_difference(const QImage& picture, const QImage& strip, int x0)
{
    double sum = 0;
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb a = strip.pixel(x, y), b = picture.pixel(x0 + x, y);
            sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    return sum / (3.0 * strip.width() * strip.height());
}

class TileCommand : public ::testing::Test {
protected:
    TileCommand()
    {
        app.write("lib/en.txt", "0=Main window\r\n");
        QImage image(1000, 40, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((8 * x) & 0xFF, (5 * y) & 0xFF, (x / 4) & 0xFF));
        picture = (docs / "panel.png").string(); // lossless, so the strips are compared with the picture itself
        EXPECT_TRUE(image.save(QString::fromStdString(picture)));
    }

    halvern::testing::CliRun tile(std::vector<std::string> args)
    {
        args.insert(args.begin(), "tile");
        return run_cli_in(app.path(), args);
    }

    ScratchDir app, docs;
    std::string picture;
};

TEST_F(TileCommand, StripsArePrintedOneALineAndHoldThePicturesColumnsToTheRightEdge)
{
    const std::string before = read_bytes(picture);
    auto run = tile({picture, "1", "1", "1", "--selected", "3"});
    ASSERT_EQ(run.code, 0) << run.err;
    const std::string expected = (docs / "panel_3_1mm_1_.jpg").string() + "\n" + (docs / "panel_3_1mm_2_.jpg").string()
                                 + "\n" + (docs / "panel_3_1mm_3_.jpg").string() + "\n";
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(read_bytes(picture), before);

    const QImage source(QString::fromStdString(picture));
    const int starts[] = {0, 333, 666}, widths[] = {333, 333, 334};
    for (int i = 0; i < 3; ++i) {
        const QImage strip(q(docs / ("panel_3_1mm_" + std::to_string(i + 1) + "_.jpg")));
        ASSERT_EQ(strip.size(), QSize(widths[i], 40)) << i;
        EXPECT_LT(mean_difference(source, strip, starts[i]), 1.0) << i;
    }
}

TEST_F(TileCommand, BadWidthsCountsAndPicturesAreRefusedWithoutWritingAStrip)
{
    auto seventeen = tile({picture, "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    EXPECT_EQ(seventeen.code, 2);
    EXPECT_NE(seventeen.err.find("between 1 and 16"), std::string::npos) << seventeen.err;
    for (const char* bad : {"0", "abc", "-4"}) {
        auto run = tile({picture, "836", bad});
        EXPECT_EQ(run.code, 2) << bad;
        EXPECT_NE(run.err.find("strip 2"), std::string::npos) << run.err;
    }
    EXPECT_EQ(tile({picture, "1", "--selected", "x"}).code, 2);
    auto missing = tile({(docs / "none.jpg").string(), "1"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "halvern: " + (docs / "none.jpg").string()
                               + ": cannot load: there is no picture file of this name\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(docs.path()))
        ++files;
    EXPECT_EQ(files, 1u);
}

} // namespace
