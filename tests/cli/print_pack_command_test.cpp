// "print-pack": a design's printed faces written as the printer's files, with both manifests; a
// face without its picture named on stderr and in the manifests, the rest still written.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdio>

#include "library/builtin_catalogue.h"
#include "project/project_writer.h"
#include "support/cli_runner.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

namespace fs = std::filesystem;
using namespace halvern;
using halvern::testing::run_cli_in;
using halvern::testing::ScratchDir;

namespace {

std::string run_text(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

} // namespace

TEST(PrintPackCommand, ThreePanelsTwoPicturesTheMissingOneListedAndBothManifests)
{
    ScratchDir docs, out;
    QImage picture(60, 120, QImage::Format_RGB32);
    picture.fill(qRgb(200, 30, 30));
    ASSERT_TRUE(picture.save(QString::fromStdString((docs / "front.png").string())));

    ComponentTable components;
    fill_builtin_catalogue(components, "en");
    PlanTable plan;
    StandSettings stand;
    stand.client = "Acme Fairs";
    stand.title = "Spring show";
    for (int k = 0; k < 3; ++k) {
        const int i = halvern::testing::place(plan, 0, 150 + 200 * float(k), 150);
        plan.obj_visuel_recto[size_t(i)] = k == 2 ? "lost.png" : "front.png"; // found beside the design
    }
    plan.obj_texte[1] = "Entrance";
    const fs::path design = docs / "stand.qlm";
    ASSERT_TRUE(write_project_file(design, plan, stand));

    const auto run = run_cli_in(halvern::testing::stage_dir(),
                                {"print-pack", design.string(), (out / "pack").string(), "--dpi", "30", "--bleed", "5"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("object 3 recto"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("lost.png"), std::string::npos) << run.err;

    std::vector<fs::path> jpegs;
    for (const auto& entry : fs::directory_iterator(out / "pack"))
        if (entry.path().extension() == ".jpg")
            jpegs.push_back(entry.path());
    ASSERT_EQ(jpegs.size(), 2u);
    for (const fs::path& jpeg : jpegs) {
        EXPECT_NE(run.out.find(jpeg.string() + "\n"), std::string::npos);
        const QImage written(QString::fromStdString(jpeg.string()));
        EXPECT_EQ(written.height(), int(std::lround((2280 + 10) * 30 / 25.4))) << jpeg;
        EXPECT_GT(qRed(written.pixel(written.width() / 2, written.height() / 2)), 150);
    }
    const std::string csv = halvern::testing::read_bytes(out / "pack" / "manifest.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4) << csv;
    EXPECT_NE(csv.find("001_Entrance_recto_"), std::string::npos) << csv;

    const std::string text = run_text("pdftotext -layout '" + (out / "pack" / "manifest.pdf").string() + "' -");
    EXPECT_NE(text.find("Acme Fairs"), std::string::npos) << text;
    EXPECT_NE(text.find("Spring show"), std::string::npos);
    EXPECT_NE(text.find("Entrance"), std::string::npos);
    EXPECT_EQ(run_text("pdfinfo '" + (out / "pack" / "manifest.pdf").string() + "' | grep -c '^Pages: *3$'"), "1\n");
}

TEST(PrintPackCommand, ACutJpegIsRefusedAndTheCoverListsEveryFaceLeftOutOnPagesOfItsOwn)
{
    ScratchDir docs, out;
    QImage picture(200, 300, QImage::Format_RGB32); // busy enough that the scan is most of the file
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 37 + y * 11) & 0xFF, (x * y) & 0xFF, (x ^ y) & 0xFF));
    ASSERT_TRUE(picture.save(QString::fromStdString((docs / "whole.jpg").string())));
    const std::string bytes = halvern::testing::read_bytes(docs / "whole.jpg");
    docs.write("cut.jpg", bytes.substr(0, bytes.size() / 3));

    ComponentTable components;
    fill_builtin_catalogue(components, "en");
    PlanTable plan;
    for (int k = 0; k < 120; ++k) {
        const int i = halvern::testing::place(plan, 0, 150 + 100 * float(k % 12), 150 + 100 * float(k / 12));
        plan.obj_visuel_recto[size_t(i)] = k == 0 ? "cut.jpg" : "lost.png";
    }
    const fs::path design = docs / "stand.qlm";
    ASSERT_TRUE(write_project_file(design, plan, StandSettings{}));
    const auto run =
        run_cli_in(halvern::testing::stage_dir(), {"print-pack", design.string(), (out / "pack").string(), "--dpi", "10"});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("cut.jpg"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("damaged"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("erreur"), std::string::npos) << run.err; // said in the interface language
    EXPECT_EQ(halvern::testing::read_bytes(out / "pack" / "manifest.csv").find(".jpg,written"), std::string::npos);

    const fs::path pdf = out / "pack" / "manifest.pdf";
    const std::string text = run_text("pdftotext -layout '" + pdf.string() + "' -");
    for (const char* face : {"001 ", "052 ", "053 ", "120 "})
        EXPECT_NE(text.find(face), std::string::npos) << face << " in\n" << text;
    int pages = 0;
    EXPECT_EQ(std::sscanf(run_text("pdfinfo '" + pdf.string() + "' | grep '^Pages:'").c_str(), "Pages: %d", &pages), 1);
    EXPECT_GE(pages, 3); // the list runs on, and the plan still has room of its own
}

TEST(PrintPackCommand, BadSettingsAreRefusedBeforeAnythingIsWritten)
{
    ScratchDir out;
    const std::string design = (halvern::testing::stage_dir() / "examples" / "shell_stand_3x3.qlm").string();
    for (std::vector<std::string> options : {std::vector<std::string>{"--dpi", "2000"}, {"--dpi", "1.5"},
                                             {"--bleed", "ten"}, {"--roll", "50"}}) {
        std::vector<std::string> args = {"print-pack", design, (out / "pack").string()};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(run_cli_in(halvern::testing::stage_dir(), args).code, 2) << options[0] << ' ' << options[1];
    }
    EXPECT_FALSE(fs::exists(out / "pack"));
}
