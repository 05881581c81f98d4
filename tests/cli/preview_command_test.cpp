#include <gtest/gtest.h>

#include <QImage>

#include <set>
#include <sstream>

#include "cli/cli.h"
#include "support/cli_runner.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

using Outcome = halvern::testing::CliRun;

class PreviewCommand : public ::testing::Test {
protected:
    Outcome run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "preview");
        return halvern::testing::run_cli_in(app.path(), args);
    }

    QImage picture(const std::string& name) { return QImage(QString::fromStdString((dir / name).string())); }
    std::string file(const std::string& name) { return (dir / name).string(); }

    ScratchDir app, dir;
};

std::set<QRgb> colours_in(const QImage& image)
{
    std::set<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.insert(image.pixel(x, y) & 0xFFFFFF);
    return out;
}

} // namespace

TEST_F(PreviewCommand, DrawsABuiltInFrameFittedToTheSquare)
{
    Outcome r = run({"4", file("silver.png"), "--size", "120"});
    ASSERT_EQ(r.code, 0) << r.err;
    QImage image = picture("silver.png");
    ASSERT_EQ(image.size(), QSize(120, 120));
    // The frame lies across the middle of the picture: ink on the middle row, none at the top.
    int ink_middle = 0, ink_top = 0;
    for (int x = 0; x < 120; ++x) {
        ink_middle += (image.pixel(x, 60) & 0xFFFFFF) != 0xFFFFFF;
        ink_top += (image.pixel(x, 5) & 0xFFFFFF) != 0xFFFFFF;
    }
    EXPECT_GT(ink_middle, 100);
    EXPECT_EQ(ink_top, 0);
}

TEST_F(PreviewCommand, PlainDrawingUsesOnlyTheFiguresColours)
{
    ASSERT_EQ(run({"2302", file("plain.png"), "--size", "100", "--plain", "--detail", "1"}).code, 0);
    EXPECT_EQ(colours_in(picture("plain.png")), (std::set<QRgb>{0xFFFFFF, 0x808080, 0xC800C8}));
    ASSERT_EQ(run({"2302", file("smooth.png"), "--size", "100", "--detail", "1", "--rotation", "45"}).code, 0);
    EXPECT_GT(colours_in(picture("smooth.png")).size(), 3u);
}

TEST_F(PreviewCommand, PiecesWithoutAnOutlineGiveAWhitePicture)
{
    ASSERT_EQ(run({"2313", file("empty.png"), "--size", "32"}).code, 0);
    EXPECT_EQ(colours_in(picture("empty.png")), (std::set<QRgb>{0xFFFFFF}));
}

TEST_F(PreviewCommand, ComponentsFromDefinitionFiles)
{
    app.write("extlib/lib.index", "1,0,Shapes\r\n");
    app.write("extlib/1/c.lib", "150\r\n2\r\nRound\r\n80\r\n40\r\n10\r\ndraw_color=0000FF\r\nno_magnet=1\r\n");
    ASSERT_EQ(run({"150", file("round.png"), "--size", "80", "--plain"}).code, 0);
    // A circle of diameter 80 in red, the low byte of draw_color.
    EXPECT_EQ(colours_in(picture("round.png")), (std::set<QRgb>{0xFFFFFF, 0xFF0000}));
    QImage image = picture("round.png");
    EXPECT_EQ(image.pixel(0, 40) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(40, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(image.pixel(40, 40) & 0xFFFFFF, 0xFFFFFFu);
}

TEST_F(PreviewCommand, NamesThePointLimitOfALongList)
{
    std::string list = "|";
    for (int i = 0; i < 1001; ++i)
        list += std::to_string(i % 100) + "|" + std::to_string(i % 50) + "|";
    app.write("extlib/lib.index", "1,0,Shapes\r\n");
    app.write("extlib/1/c.lib", "151\r\n100\r\nLong\r\n100\r\n50\r\n10\r\ndraw=" + list + "\r\n");
    Outcome r = run({"151", file("long.png"), "--size", "50"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("more than 1000 points"), std::string::npos) << r.err;
    EXPECT_TRUE(std::filesystem::exists(dir / "long.png"));
}

TEST_F(PreviewCommand, RefusesBadArguments)
{
    for (std::vector<std::string> args : {std::vector<std::string>{"x", file("a.png")}, {"5001", file("a.png")},
                                          {"4", file("a.png"), "--size", "0"}, {"4", file("a.png"), "--detail", "4"},
                                          {"4", file("a.png"), "--rotation", "left"}, {"4"}}) {
        Outcome r = run(args);
        EXPECT_EQ(r.code, 2) << args[0];
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "a.png"));
}

TEST_F(PreviewCommand, ReportsAFreeNumberAndAFailedWrite)
{
    Outcome free = run({"1234", file("free.png")});
    EXPECT_EQ(free.code, 1);
    EXPECT_NE(free.err.find("component 1234 does not exist"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "free.png"));

    Outcome missing = run({"4", file("no/such/folder.png")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("folder.png"), std::string::npos);
}
