// The customer's page opened in a real browser (Debian's chromium, headless, drawing WebGL in
// software): the stand is drawn, a face shows its picture where the front view puts it, the quote
// lists the bill, and texts made to break out of the page stay texts. Skipped, saying why, where
// no browser can start.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include <unistd.h>

#include "base/picture_file.h"
#include "model3d/object_names.h"
#include "model3d/stand_model.h"
#include "model3d/web_page_export.h"
#include "model_fixture.h"
#include "outputs/quote.h"
#include "outputs/sheet_texts.h"
#include "outputs/web_page.h"
#include "support/plan_builder.h"

using namespace halvern;
using halvern::testing::Design;
using halvern::testing::ScratchDir;
namespace fs = std::filesystem;

namespace {

constexpr int window_width = 1400, window_height = 800;
constexpr int title_block_height = 72, quote_width = 480; // the page's fixed layout

std::optional<fs::path> find_chromium()
{
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (size_t at = 0; at <= folders.size();) {
        size_t end = folders.find(':', at);
        if (end == std::string::npos)
            end = folders.size();
        for (const char* name : {"chromium", "chromium-browser"}) {
            const fs::path candidate = fs::path(folders.substr(at, end - at)) / name;
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        at = end + 1;
    }
    return std::nullopt;
}

struct Chromium {
    fs::path program;
    fs::path profile;

    // Opens the page and gives the document as it stands once the page's work is done, or the
    // screenshot's file; an empty answer when the browser wrote nothing (it could not start).
    std::string run(const fs::path& page, const std::string& fragment, const fs::path& output, bool screenshot) const
    {
        // As root chromium runs only without its sandbox; WebGL is drawn by SwiftShader, in software.
        std::string command = "timeout 90 '" + program.string() + "' --headless --no-sandbox --use-angle=swiftshader"
                              " --enable-unsafe-swiftshader --hide-scrollbars --no-first-run --mute-audio"
                              " --user-data-dir='" + profile.string() + "' --window-size="
                              + std::to_string(window_width) + "," + std::to_string(window_height)
                              + " --virtual-time-budget=20000 ";
        command += screenshot ? "--screenshot='" + output.string() + "' " : "--dump-dom ";
        command += "'file://" + page.string() + fragment + "'";
        command += screenshot ? " >/dev/null 2>&1" : " >'" + output.string() + "' 2>/dev/null";
        const int status = std::system(command.c_str());
        (void)status; // what it wrote is what counts
        std::error_code ec;
        if (!fs::exists(output, ec) || fs::file_size(output, ec) == 0)
            return {};
        return screenshot ? output.string() : halvern::testing::read_bytes(output);
    }
};

WebPageOptions page_options(bool with_quote)
{
    WebPageOptions options;
    options.with_quote = with_quote;
    options.date = "2026-12-08";
    return options;
}

struct ShotColour {
    int r = 0, g = 0, b = 0;
};

ShotColour pixel_at(FIBITMAP* bitmap, int x, int y_from_top)
{
    RGBQUAD q{};
    FreeImage_GetPixelColor(bitmap, unsigned(x), FreeImage_GetHeight(bitmap) - 1 - unsigned(y_from_top), &q);
    return {q.rgbRed, q.rgbGreen, q.rgbBlue};
}

} // namespace

TEST(WebPageInBrowser, TheIslandIsDrawnWithAFacesPictureWhereTheFrontViewPutsItAndTheQuoteListsTheBill)
{
    const std::optional<fs::path> program = find_chromium();
    if (!program)
        GTEST_SKIP() << "no chromium on this machine (scripts/setup installs it): the page cannot be opened";
    if (!fs::exists(fs::path(default_viewer_folder) / "three.min.js"))
        GTEST_SKIP() << "three.js is not installed (package libjs-three, which scripts/setup installs)";
    ScratchDir folder;
    Chromium chromium{*program, folder / "profile"};

    // The front beach flag shows a picture of one colour, larger than a page's limit, on both faces.
    Design design;
    ASSERT_TRUE(halvern::testing::load_example(design, "island_stand_8x6.qlm"));
    const int flag = 41;
    ASSERT_EQ(design.components[design.plan.comp(flag)].name, "Beach flag");
    const ShotColour colour{40, 90, 200};
    ASSERT_TRUE(halvern::testing::write_solid_picture(folder / "flag.jpg", 2600, 1300, colour.r, colour.g, colour.b));
    design.plan.obj_visuel_recto[size_t(flag)] = (folder / "flag.jpg").string();
    design.plan.obj_visuel_verso[size_t(flag)] = (folder / "flag.jpg").string();
    UiText texts;
    texts.load(design.app, "en");
    const VrmlInputs inputs{design.components, design.plan, design.stand, design.app, 0, {}};
    const Result<WebPageReport> written = export_web_page(folder / "island.html", inputs, texts, page_options(true));
    ASSERT_TRUE(written) << written.error().text();
    EXPECT_TRUE(written->missing.empty()) << written->missing.front();

    const std::string dom = chromium.run(folder / "island.html", "#front", folder / "island.dom", false);
    if (dom.empty())
        GTEST_SKIP() << "chromium (" << program->string() << ") could not start here: it wrote nothing";
    ASSERT_NE(dom.find("data-ready=\"yes\""), std::string::npos) << "the page never said the stand was drawn";
    const auto rows = quote_rows(design_quote(design.plan, design.components), csv_labels(texts));
    for (size_t r = 1; r < rows.size(); ++r)
        EXPECT_NE(dom.find(">" + html_escape(rows[r][2]) + "</td>"), std::string::npos) << rows[r][2];

    ASSERT_NE(chromium.run(folder / "island.html", "#front", folder / "island.png", true), "");
    Result<Bitmap> shot = load_picture(folder / "island.png");
    ASSERT_TRUE(shot) << shot.error().text();
    FIBITMAP* picture = shot->get();
    ASSERT_EQ(int(FreeImage_GetWidth(picture)), window_width);
    ASSERT_EQ(int(FreeImage_GetHeight(picture)), window_height);
    const int view_x = 0, view_y = title_block_height, view_w = window_width - quote_width,
              view_h = window_height - title_block_height;
    const double aspect = double(view_w) / view_h;

    // Not blank: most of the view is not the background.
    int drawn = 0, seen = 0;
    for (int y = view_y + 40; y < view_y + view_h - 30; y += 7)
        for (int x = view_x; x < view_x + view_w; x += 7, ++seen) {
            const ShotColour p = pixel_at(picture, x, y);
            drawn += std::abs(p.r - 244) + std::abs(p.g - 244) + std::abs(p.b - 244) > 24;
        }
    EXPECT_GT(drawn, seen / 4) << drawn << " of " << seen;

    // The page's front view: looking along -z at the box's centre, from as far as every corner of
    // the box needs in a 35 degree high view, and 5 % further.
    StandModel model;
    model.read(design.scene(), plan_namer(design.plan, design.components));
    const ModelBounds box = model.bounds();
    double centre[3], distance = 0.1;
    for (int c = 0; c < 3; ++c)
        centre[c] = (box.min[size_t(c)] + box.max[size_t(c)]) / 2;
    const double tan_height = std::tan(35.0 * M_PI / 360), tan_width = tan_height * aspect;
    for (int k = 0; k < 8; ++k) {
        const double x = (k & 1 ? box.max[0] : box.min[0]) - centre[0], y = (k & 2 ? box.max[1] : box.min[1]) - centre[1],
                     z = (k & 4 ? box.max[2] : box.min[2]) - centre[2];
        distance = std::max(distance, z + std::max(std::abs(x) / tan_width, std::abs(y) / tan_height));
    }
    distance *= 1.05;
    // The flag's picture: the middle of the faces that show it.
    ModelBounds face;
    const ModelObject* object = model.object(flag);
    ASSERT_NE(object, nullptr);
    for (const ModelMesh& mesh : object->meshes)
        if (model.materials()[size_t(mesh.material)].picture == (folder / "flag.jpg").string())
            for (const ModelVertex& v : mesh.vertices)
                face.add(v.position);
    ASSERT_FALSE(face.empty);
    const double depth = centre[2] + distance - (face.min[2] + face.max[2]) / 2;
    const double ndc_x = ((face.min[0] + face.max[0]) / 2 - centre[0]) / (depth * tan_width);
    const double ndc_y = ((face.min[1] + face.max[1]) / 2 - centre[1]) / (depth * tan_height);
    const int px = view_x + int(std::lround((ndc_x + 1) / 2 * view_w));
    const int py = view_y + int(std::lround((1 - ndc_y) / 2 * view_h));
    ASSERT_TRUE(px > view_x && px < view_x + view_w && py > view_y && py < view_y + view_h) << px << "," << py;
    ShotColour mean;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const ShotColour p = pixel_at(picture, px + dx, py + dy);
            mean.r += p.r, mean.g += p.g, mean.b += p.b;
        }
    mean = {mean.r / 25, mean.g / 25, mean.b / 25};
    // Lighting and the browser's rendering move a colour a little, never to another colour.
    EXPECT_NEAR(mean.r, colour.r, 40) << px << "," << py;
    EXPECT_NEAR(mean.g, colour.g, 40) << px << "," << py;
    EXPECT_NEAR(mean.b, colour.b, 40) << px << "," << py;
}

TEST(WebPageInBrowser, TextsMadeToBreakOutOfThePageShowAsTexts)
{
    const std::optional<fs::path> program = find_chromium();
    if (!program)
        GTEST_SKIP() << "no chromium on this machine (scripts/setup installs it): the page cannot be opened";
    if (!fs::exists(fs::path(default_viewer_folder) / "three.min.js"))
        GTEST_SKIP() << "three.js is not installed (package libjs-three, which scripts/setup installs)";
    ScratchDir folder;
    Chromium chromium{*program, folder / "profile"};
    const std::string hostile = "</script><img src=x onerror=alert(1)>";
    Design design;
    fill_builtin_catalogue(design.components, "en");
    const int i = halvern::testing::place(design.plan, 3, 300, 200);
    design.plan.obj_texte[size_t(i)] = hostile;
    design.stand.title = hostile;
    design.stand.client = "\"'" + hostile;
    UiText texts;
    texts.load(design.app, "en");
    const VrmlInputs inputs{design.components, design.plan, design.stand, design.app, 0, {}};
    ASSERT_TRUE(export_web_page(folder / "hostile.html", inputs, texts, page_options(true)));

    const std::string dom = chromium.run(folder / "hostile.html", "", folder / "hostile.dom", false);
    if (dom.empty())
        GTEST_SKIP() << "chromium (" << program->string() << ") could not start here: it wrote nothing";
    // The page's script ran to its end: nothing before it was cut short.
    EXPECT_NE(dom.find("data-ready=\"yes\""), std::string::npos);
    EXPECT_EQ(dom.find("<img"), std::string::npos); // no element was made of a text
    const std::string shown = html_escape(hostile);
    EXPECT_NE(dom.find("<h1 id=\"project\">" + shown + "</h1>"), std::string::npos);
    EXPECT_NE(dom.find("<span id=\"client\">\"'" + shown + "</span>"), std::string::npos);
    EXPECT_NE(dom.find("\"text\":" + script_json_string(hostile)), std::string::npos);
}
