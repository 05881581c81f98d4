// Labels kept as pictures against labels drawn directly, and the blueprint written a band at a time
// against the blueprint drawn into one bitmap and saved whole.

#include <gtest/gtest.h>

#include <FreeImage.h>
#include <QImage>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "../../bench/render_scenes.h"
#include "base/text_file.h"
#include "outputs/jpeg_stream.h"
#include "outputs/plan_picture.h"
#include "platform/qt_canvas.h"
#include "platform/qt_plan_surfaces.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;
using halvern::testing::read_bytes;

namespace {

struct Difference {
    int visible = 0; // pixels where a channel differs by more than 8 levels of 255
    int most = 0;
};

void count(Difference& d, int dr, int dg, int db)
{
    const int most = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
    d.visible += most > 8;
    d.most = std::max(d.most, most);
}

Difference compare(const QImage& a, const QImage& b)
{
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            count(d, qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q));
        }
    return d;
}

class StreamedPicturesQt : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensure_gui_application(); }
    StreamedPicturesQt() { bench::fill(scene_, 400, 8, 5); }

    QImage draw(ViewState view, OutlineCache* outlines, LabelCache* labels)
    {
        QtPicture picture(1100, 700);
        RenderOptions options;
        options.width = 1100;
        options.height = 700;
        options.outlines = outlines;
        options.labels = labels;
        PlanScene scene = scene_.scene();
        drawn_ = render_plan(picture.canvas(), scene, view, options).objects_drawn;
        return picture.image().copy();
    }

    bench::Scene scene_;
    int drawn_ = 0;
};

// Text laid on transparency first rounds an edge shade a level or two apart; a wrong, shifted or
// stale label differs by hundreds of pixels.
TEST_F(StreamedPicturesQt, KeptLabelsMatchTheDirectDrawingAndOutliveZooms)
{
    ViewState view = bench::labelled_view();
    view.aff_grande_etiquette = true;
    view.zoom_auto = false;
    view.zoom = 1.1;
    view.decal_x = -13.4;
    QtOutlineCache outlines;
    QtLabelCache labels;
    const QImage direct = draw(view, &outlines, nullptr);
    const QImage cold = draw(view, &outlines, &labels);
    EXPECT_GT(labels.pictures_put(), drawn_ / 2);
    EXPECT_LT(labels.pictures_made(), drawn_); // objects with the same label share its picture
    EXPECT_EQ(compare(cold, draw(view, &outlines, &labels)).visible, 0);
    const Difference d = compare(direct, cold);
    EXPECT_LE(d.visible, drawn_ / 20) << d.most;

    // Another zoom moves the labels but draws none of them again.
    const int made = labels.pictures_made();
    view.zoom = 0.8;
    const QImage zoomed = draw(view, &outlines, &labels);
    EXPECT_EQ(labels.pictures_made(), made);
    EXPECT_LE(compare(draw(view, &outlines, nullptr), zoomed).visible, drawn_ / 20);

    // A renamed object gets its own label, not the old one.
    scene_.plan.obj_texte[7] = "Renamed stand wall";
    const QImage renamed = draw(view, &outlines, &labels);
    EXPECT_GT(labels.pictures_made(), made);
    EXPECT_LE(compare(draw(view, &outlines, nullptr), renamed).visible, drawn_ / 20);
}

// The rings at joints of a wrong angle and at magnets repeat the same few figures hundreds of
// times: each is drawn once and put at every end, and shows as the ellipse drawn directly does.
TEST_F(StreamedPicturesQt, RingsAreKeptOncePerLookAndMatchTheDirectDrawing)
{
    ViewState view;
    view.aff_erreur_angle = true;
    view.aff_debug = true;
    view.zoom_auto = false;
    view.zoom = 0.9;
    QtOutlineCache outlines;
    QtLabelCache rings;
    const QImage direct = draw(view, &outlines, nullptr);
    const QImage kept = draw(view, &outlines, &rings);
    EXPECT_GT(rings.pictures_put(), 200);
    EXPECT_LE(rings.pictures_made(), 4); // an error ring, and a magnet mark at full and faded intensity
    const Difference d = compare(direct, kept);
    EXPECT_LE(d.visible, drawn_ / 20) << d.most;
    EXPECT_EQ(compare(kept, draw(view, &outlines, &rings)).visible, 0);
}

// The window's column comes from its kept picture until something it shows changes: the pick,
// the scroll, the default height or the record of a component in it.
TEST_F(StreamedPicturesQt, TheKeptColumnIsRedrawnWhenWhatItShowsChanges)
{
    PaletteState palette;
    auto draw_column = [&](KeptDrawing* kept) {
        QtPicture picture(400, 700);
        RenderOptions options;
        options.width = 400;
        options.height = 700;
        options.status_texts = false;
        options.palette = &palette;
        options.column = kept;
        PlanScene scene = scene_.scene();
        ViewState view;
        render_plan(picture.canvas(), scene, view, options);
        return picture.image().copy();
    };
    KeptDrawing kept(std::make_unique<QtPictureStore>());
    auto same_as_drawn = [&](const char* step) {
        const Difference d = compare(draw_column(nullptr), draw_column(&kept));
        EXPECT_EQ(d.visible, 0) << step << ", most " << d.most;
    };
    same_as_drawn("first");
    EXPECT_EQ(kept.pictures_made(), 1);
    const QImage before = draw_column(&kept);
    EXPECT_EQ(kept.pictures_made(), 1);

    palette.armed = palette_layout(*scene_.components, scene_.libraries, palette, 700).cells.at(1).component;
    same_as_drawn("picked");
    EXPECT_EQ(kept.pictures_made(), 2);
    EXPECT_GT(compare(before, draw_column(&kept)).visible, 50);

    palette.slide = 9;
    same_as_drawn("sliding");
    scene_.plan.hauteur_defaut = 187.5f;
    same_as_drawn("default height");
    (*scene_.components)[palette.armed].width *= 0.5;
    same_as_drawn("record");
    EXPECT_EQ(kept.pictures_made(), 5);
}

FIBITMAP* load(const std::filesystem::path& file)
{
    return FreeImage_Load(FIF_JPEG, file.string().c_str(), JPEG_ACCURATE);
}

// The streamed blueprint holds the same drawing as the one saved from one bitmap with the same
// encoder settings: decoded, the two differ at most by the encoders' own rounding.
TEST_F(StreamedPicturesQt, TheStreamedBlueprintIsTheBlueprintOfOneBitmap)
{
    bench::Scene small;
    bench::fill(small, 40, 1.2, 0.9);
    PlanScene scene = small.scene();
    const ViewState view = bench::labelled_view();
    ScratchDir dir;
    const auto streamed = dir.path() / "streamed.jpg", whole = dir.path() / "whole.jpg";
    int tiles = 0;
    ASSERT_TRUE(save_blueprint_to(streamed, scene, view, qt_surface_maker(), true, [&](int, int total) { tiles = total; }));
    EXPECT_EQ(tiles, 7 * 6);
    auto bitmap = draw_plan_picture(scene, blueprint_job(view, small.stand), qt_surface_maker());
    ASSERT_TRUE(bitmap);
    ASSERT_TRUE(save_jpeg(*bitmap, whole));

    FIBITMAP* a = load(streamed);
    FIBITMAP* b = load(whole);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(FreeImage_GetWidth(a), 3200u);
    ASSERT_EQ(FreeImage_GetHeight(a), 2900u);
    ASSERT_EQ(FreeImage_GetWidth(b), 3200u);
    ASSERT_EQ(FreeImage_GetHeight(b), 2900u);
    Difference d;
    int dark = 0;
    for (unsigned y = 0; y < 2900; ++y) {
        const BYTE* p = FreeImage_GetScanLine(a, y);
        const BYTE* q = FreeImage_GetScanLine(b, y);
        for (unsigned x = 0; x < 3 * 3200; x += 3) {
            count(d, p[x] - q[x], p[x + 1] - q[x + 1], p[x + 2] - q[x + 2]);
            dark += p[x] < 100;
        }
    }
    FreeImage_Unload(a);
    FreeImage_Unload(b);
    EXPECT_GT(dark, 10000); // the outlines are there
    EXPECT_LE(d.most, 2);
}

// A stand the format cannot hold is refused before anything is drawn, and a failed write leaves
// the old file as it was.
TEST_F(StreamedPicturesQt, RefusalsAndFailuresLeaveNoFile)
{
    bench::Scene huge;
    bench::fill(huge, 10, 70, 3);
    PlanScene scene = huge.scene();
    ScratchDir dir;
    int tiles = 0;
    auto refused = save_blueprint_to(dir.path() / "big", scene, ViewState{}, qt_surface_maker(), true,
                                     [&](int, int) { ++tiles; });
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().text().find("72000 x 5000"), std::string::npos) << refused.error().text();
    EXPECT_EQ(tiles, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "big.jpg"));

    // A band that never comes: the encoder says so and the old file stays.
    const auto file = dir.path() / "kept.jpg";
    ASSERT_TRUE(write_file_safely(file, "old"));
    auto short_picture = write_file_safely_with(file, [](int fd) -> Result<void> {
        JpegStream jpeg(fd, 40, 30, 95);
        std::vector<std::uint8_t> rows(40 * 3 * 10, 200);
        if (auto written = jpeg.write_rows(rows.data(), 10, 40 * 3); !written)
            return written;
        EXPECT_FALSE(jpeg.write_rows(rows.data(), 21, 40 * 3)); // past the height
        return jpeg.finish();
    });
    EXPECT_FALSE(short_picture);
    EXPECT_EQ(read_bytes(file), "old");

    // A folder that cannot be written: "echec", not a drawing failure.
    bench::Scene small;
    bench::fill(small, 5, 0.5, 0.5);
    PlanScene little = small.scene();
    auto failed = save_blueprint_to(dir.path() / "missing" / "plan.jpg", little, ViewState{}, qt_surface_maker());
    ASSERT_FALSE(failed);
    EXPECT_NE(failed.error().text().find("echec"), std::string::npos) << failed.error().text();
}

} // namespace
