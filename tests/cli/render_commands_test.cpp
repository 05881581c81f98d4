// "render", "blueprint" and "print": designs drawn by the command line, the pictures read back
// by Qt's own JPEG reader.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QString>

#include <csignal>
#include <cstdlib>
#include <sstream>
#include <sys/resource.h>

#include "cli/cli.h"
#include "plan/plan_table.h"
#include "project/project_writer.h"
#include "support/object_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

namespace {

struct CliRun {
    int code;
    std::string out, err;
};

class RenderCommands : public ::testing::Test {
protected:
    RenderCommands()
    {
        app.write("lib/en.txt", "0=Main window\r\n");
        PlanTable plan;
        place(plan, 3, 155.95f, 105, 0);
        place(plan, 3, 267.85f, 105, 0);
        place(plan, 6, 300, 300, 0);
        place(plan, 6, 300, 300, 0); // a duplicate
        place(plan, 2302, 450, 250, 30);
        StandSettings stand;
        stand.stand_murs = 0b1010; // back and left walls
        design = docs.write("stand.qlm", format_project(plan, stand)).string();
    }

    static void place(PlanTable& plan, float comp, float x, float y, float rot)
    {
        halvern::testing::build_object(plan, comp, x, y, rot);
    }

    CliRun run(std::vector<std::string> args)
    {
        CliEnvironment env;
        env.executable_dir = app.path();
        env.open_settings = [] { return std::make_unique<MemorySettingsStore>(); };
        std::ostringstream out, err;
        int code = run_cli(args, out, err, env);
        return {code, out.str(), err.str()};
    }

    static QSize jpeg_size(const std::filesystem::path& file)
    {
        QImageReader reader(QString::fromStdString(file.string()));
        if (reader.format() != "jpeg")
            return {};
        return reader.size();
    }

    // Read whole, or shrunk by the reader to `scaled` (a blueprint is larger than Qt reads whole).
    static QImage read(const std::filesystem::path& file, QSize scaled = {})
    {
        QImageReader reader(QString::fromStdString(file.string()));
        if (scaled.isValid())
            reader.setScaledSize(scaled);
        return reader.read();
    }

    // The mean grey of the 7 x 7 pixels around (x, y): grid lines come and go, the fills stay.
    static double grey_around(const QImage& image, int x, int y)
    {
        double sum = 0;
        int n = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const QRgb p = image.pixel(x + dx, y + dy);
                sum += (qRed(p) + qGreen(p) + qBlue(p)) / 3.0;
                ++n;
            }
        return sum / n;
    }

    ScratchDir app, docs;
    std::string design;
};

} // namespace

TEST_F(RenderCommands, RenderSavesTheScreenPictureAtItsResolution)
{
    CliRun r = run({"render", design, (docs / "screen.jpg").string(), "--names"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(jpeg_size(docs / "screen.jpg"), QSize(5000, 3000));

    r = run({"render", design, (docs / "small").string(), "--resolution", "100"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(jpeg_size(docs / "small.jpg"), QSize(500, 300));
    // Zoom min(500 / 700, 300 / 500) = 0.6: the floor from (60, 60) to (360, 240), white beyond.
    QImage small = read(docs / "small.jpg");
    EXPECT_NEAR(grey_around(small, 200, 150), 222, 4);
    EXPECT_GT(grey_around(small, 450, 280), 238);
}

TEST_F(RenderCommands, RenderAsAWindowShowsItWithThePalette)
{
    CliRun r = run({"render", design, (docs / "window.jpg").string(), "--width", "800", "--height", "500"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(jpeg_size(docs / "window.jpg"), QSize(800, 500));
    QImage window = read(docs / "window.jpg");
    // Zoom auto gives 1: the floor from (175, 100) to (675, 400), the left wall along x = 175.
    EXPECT_NEAR(grey_around(window, 420, 250), 222, 4);
    EXPECT_NEAR(grey_around(window, 175, 250), 158, 6);
    EXPECT_GT(grey_around(window, 760, 460), 238);
    EXPECT_GT(grey_around(window, 40, 30), 248); // the palette's head
}

TEST_F(RenderCommands, BlueprintIsTenPixelsPerCentimetreOfTheFloorAndItsMargins)
{
    CliRun r = run({"blueprint", design, (docs / "plan").string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(jpeg_size(docs / "plan.jpg"), QSize(7000, 5000));
    QImage plan = read(docs / "plan.jpg", QSize(700, 500)); // a pixel for every 10 cm
    ASSERT_EQ(plan.size(), QSize(700, 500));
    EXPECT_NEAR(grey_around(plan, 300, 250), 222, 4);
    EXPECT_GT(grey_around(plan, 50, 250), 238);
    EXPECT_NEAR(grey_around(plan, 100, 300), 158, 6); // the left wall, 8 cm either side of x = 100 cm
}

TEST_F(RenderCommands, PrintWritesOnePdfPage)
{
    CliRun r = run({"print", design, (docs / "plan.pdf").string(), "--heights"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string pdf = read_bytes(docs / "plan.pdf");
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
}

// A disk that fills up while the PDF is written, as a file-size limit makes it happen without root.
// The child process reports what it saw through its exit code.
TEST_F(RenderCommands, PrintOntoAFullDiskKeepsTheOldPdf)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto pdf = docs.write("plan.pdf", "%PDF-1.4 the earlier plan");
    EXPECT_EXIT(
        {
            signal(SIGXFSZ, SIG_DFL);
            struct rlimit small {};
            getrlimit(RLIMIT_FSIZE, &small);
            small.rlim_cur = 2048;
            setrlimit(RLIMIT_FSIZE, &small);
            CliRun r = run({"print", design, pdf.string()});
            int entries = 0;
            for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(docs.path()))
                ++entries;
            bool named = r.err.find("plan.pdf") != std::string::npos;
            std::_Exit(r.code == 1 && named && read_bytes(pdf) == "%PDF-1.4 the earlier plan" && entries == 2 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(RenderCommands, BadArgumentsAndFailedWrites)
{
    EXPECT_EQ(run({"render", design, (docs / "a.jpg").string(), "--width", "800"}).code, 2);
    EXPECT_EQ(run({"render", design, (docs / "a.jpg").string(), "--resolution", "0"}).code, 2);
    EXPECT_EQ(run({"render", design, (docs / "a.jpg").string(), "--resolution", "x"}).code, 2);
    EXPECT_EQ(run({"render", design, (docs / "a.jpg").string(), "--resolution", "100", "--width", "800", "--height",
                   "500"})
                  .code,
              2);
    EXPECT_EQ(run({"render", design, (docs / "a.jpg").string(), "--width", "50", "--height", "500"}).code, 2);
    EXPECT_FALSE(std::filesystem::exists(docs / "a.jpg"));

    CliRun missing = run({"render", (docs / "none.qlm").string(), (docs / "a.jpg").string()});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(std::filesystem::exists(docs / "a.jpg"));

    CliRun nowhere = run({"blueprint", design, (docs / "no" / "plan.jpg").string()});
    EXPECT_EQ(nowhere.code, 1);
    EXPECT_NE(nowhere.err.find("plan.jpg: failed: "), std::string::npos) << nowhere.err; // the interface's words
    CliRun no_pdf = run({"print", design, (docs / "no" / "plan.pdf").string()});
    EXPECT_EQ(no_pdf.code, 1);
    EXPECT_NE(no_pdf.err.find("plan.pdf"), std::string::npos) << no_pdf.err;
    // A picture past the largest JPEG is refused with the sizes.
    CliRun huge = run({"render", design, (docs / "huge.jpg").string(), "--resolution", "20000"});
    EXPECT_EQ(huge.code, 1);
    EXPECT_NE(huge.err.find("100000 x 60000"), std::string::npos) << huge.err;
    EXPECT_FALSE(std::filesystem::exists(docs / "huge.jpg"));
}
