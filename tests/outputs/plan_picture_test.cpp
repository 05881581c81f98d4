// The picture saves: tiles put together in the right places, rows turned the way FreeImage keeps
// them, the sizes of both saves, the JPEG writer and its failures.

#include <gtest/gtest.h>

#include <FreeImage.h>

#include <memory>

#include "geometry/recording_canvas.h"
#include "library/builtin_catalogue.h"
#include "outputs/plan_picture.h"
#include "outputs/plan_print.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

// A surface that records what is drawn on it and gives, whatever was drawn, rows that tell where
// each pixel came from: red the row of the surface, green the column, blue the tile's number. Each
// tile's surface has a border of 16 pixels round the part that is kept.
class PatternSurface : public PictureSurface {
public:
    PatternSurface(int width, int height, std::vector<RecordingCanvas>& tiles)
        : width_(width), height_(height), tiles_(tiles), row_(size_t(width))
    {
    }
    int width() const override { return width_; }
    int height() const override { return height_; }
    Canvas& begin() override { return tiles_.emplace_back(); }
    void finish() override {}
    const std::uint32_t* row(int y) const override
    {
        const std::uint32_t tile = std::uint32_t(tiles_.size() - 1);
        for (int x = 0; x < width_; ++x)
            row_[size_t(x)] = (std::uint32_t(y & 0xFF) << 16) | (std::uint32_t(x & 0xFF) << 8) | (tile & 0xFF);
        return row_.data();
    }

private:
    int width_, height_;
    std::vector<RecordingCanvas>& tiles_;
    mutable std::vector<std::uint32_t> row_;
};

class PlanPicture : public ::testing::Test {
protected:
    PlanPicture() { fill_builtin_catalogue(*components, "en"); }

    PlanScene scene() { return {*components, libraries, plan, stand}; }

    SurfaceMaker maker()
    {
        return [this](int w, int h) -> std::unique_ptr<PictureSurface> {
            ++surfaces_made;
            return std::make_unique<PatternSurface>(w, h, tiles);
        };
    }

    std::unique_ptr<ComponentTable> components = std::make_unique<ComponentTable>();
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    std::vector<RecordingCanvas> tiles;
    int surfaces_made = 0;
};

RGBQUAD pixel_at(FIBITMAP* bitmap, int x, int y_from_top)
{
    RGBQUAD colour{};
    FreeImage_GetPixelColor(bitmap, unsigned(x), FreeImage_GetHeight(bitmap) - 1 - unsigned(y_from_top), &colour);
    return colour;
}

} // namespace

TEST_F(PlanPicture, TilesLandInTheirPlacesTopRowFirstInRedGreenBlueOrder)
{
    PictureJob job;
    job.width = 1200;
    job.height = 700;
    job.view.zoom_auto = false;
    std::vector<std::pair<int, int>> progress;
    job.progress = [&](int done, int total) { progress.emplace_back(done, total); };
    PlanScene s = scene();
    auto bitmap = draw_plan_picture(s, job, maker());
    ASSERT_TRUE(bitmap) << bitmap.error().text();
    FIBITMAP* b = bitmap->get();
    EXPECT_EQ(FreeImage_GetWidth(b), 1200u);
    EXPECT_EQ(FreeImage_GetHeight(b), 700u);
    EXPECT_EQ(FreeImage_GetBPP(b), 24u);
    EXPECT_EQ(surfaces_made, 1);
    constexpr int border = 16;
    ASSERT_EQ(tiles.size(), 6u); // three columns of 500 pixels, two rows
    EXPECT_EQ(progress.size(), 6u);
    EXPECT_EQ(progress.back(), std::make_pair(6, 6));

    struct Probe {
        int x, y, tile;
    };
    for (Probe p : {Probe{0, 0, 0}, Probe{499, 0, 0}, Probe{500, 0, 1}, Probe{1199, 10, 2}, Probe{3, 500, 3},
                    Probe{700, 699, 4}, Probe{1100, 650, 5}}) {
        RGBQUAD c = pixel_at(b, p.x, p.y);
        EXPECT_EQ(c.rgbRed, (p.y % 500 + border) & 0xFF) << p.x << "," << p.y;
        EXPECT_EQ(c.rgbGreen, (p.x % 500 + border) & 0xFF) << p.x << "," << p.y;
        EXPECT_EQ(c.rgbBlue, p.tile) << p.x << "," << p.y;
    }

    // Each tile is drawn in the picture's coordinates moved to its own corner (and the border): the
    // floor, from (100, 100) at zoom 1, starts at (116, 116) in the first tile, at (-384, 116) in
    // the second.
    auto floor_of = [](const RecordingCanvas& canvas) {
        for (const Primitive& p : canvas.primitives())
            if (p.kind == Primitive::Kind::box && p.colour() == make_colour(220, 220, 220))
                return p.bounds;
        return PixelRect{};
    };
    EXPECT_EQ(floor_of(tiles[0]), (PixelRect{116, 116, 500, 300}));
    EXPECT_EQ(floor_of(tiles[1]), (PixelRect{-384, 116, 500, 300}));
    EXPECT_EQ(floor_of(tiles[3]), (PixelRect{116, -384, 500, 300}));
}

TEST_F(PlanPicture, TheSizesOfBothSaves)
{
    ViewState view;
    view.decal_x = 120;
    view.zoom_auto = true;
    view.aff_noms = true;
    PictureJob blueprint = blueprint_job(view, stand);
    EXPECT_EQ(blueprint.width, 7000);
    EXPECT_EQ(blueprint.height, 5000);
    EXPECT_EQ(blueprint.view.zoom, 10);
    EXPECT_FALSE(blueprint.view.zoom_auto);
    EXPECT_EQ(blueprint.view.decal_x, 0);
    EXPECT_TRUE(blueprint.view.aff_noms);
    EXPECT_FALSE(blueprint.palette_column);

    EXPECT_EQ(blueprint.tile, 500);
    PictureJob screen = screen_picture_job(view, stand, 1000);
    EXPECT_EQ(screen.width, 5000);
    EXPECT_EQ(screen.height, 3000);
    EXPECT_EQ(screen.tile, 5000); // one surface
    EXPECT_EQ(screen_picture_job(view, stand, 2000).tile, large_tile_size);
    EXPECT_EQ(screen.view.zoom, 6); // min(5000 / 700, 3000 / 500)
    EXPECT_TRUE(screen.smooth);

    stand.stand_largeur = 5.35f;
    blueprint = blueprint_job(view, stand);
    EXPECT_EQ(blueprint.width, 7350);
}

TEST_F(PlanPicture, SizesAJpegOrTheMemoryCannotHoldAreRefused)
{
    EXPECT_TRUE(check_picture_size(65500, 10));
    EXPECT_FALSE(check_picture_size(65501, 10));
    EXPECT_FALSE(check_picture_size(0, 10));
    auto big = check_picture_size(40000, 40000);
    ASSERT_FALSE(big);
    EXPECT_NE(big.error().message.find("40000 x 40000"), std::string::npos);

    // A 60 m stand is written a band at a time; past 63.5 m the JPEG cannot hold the blueprint.
    stand.stand_largeur = 64;
    stand.stand_profondeur = 60;
    ScratchDir dir;
    PlanScene s = scene();
    auto saved = save_blueprint_to(dir / "huge.jpg", s, ViewState{}, maker());
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.error().message.rfind("merde: ", 0), 0u) << saved.error().message;
    EXPECT_EQ(surfaces_made, 0); // refused before anything was drawn
    EXPECT_FALSE(std::filesystem::exists(dir / "huge.jpg"));
}

TEST_F(PlanPicture, AJpegIsWrittenWholeOrNotAtAll)
{
    ScratchDir dir;
    PlanScene s = scene();
    stand.stand_largeur = 1;
    stand.stand_profondeur = 0.5f;
    ASSERT_TRUE(save_screen(dir / "screen", s, ViewState{}, 1000, maker()));
    const auto file = dir / "screen.jpg"; // ".jpg" added
    FIBITMAP* loaded = FreeImage_Load(FIF_JPEG, file.string().c_str(), 0);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(FreeImage_GetWidth(loaded), 1000u);
    EXPECT_EQ(FreeImage_GetHeight(loaded), 500u);
    // One surface for the whole picture: the top row's pixels come from row 16 of the surface,
    // the bottom row's from row 515.
    EXPECT_EQ(tiles.size(), 1u);
    RGBQUAD top = pixel_at(loaded, 250, 0), bottom = pixel_at(loaded, 250, 499);
    EXPECT_NEAR(top.rgbRed, 16, 8);
    EXPECT_NEAR(bottom.rgbRed, (499 + 16) & 0xFF, 8);
    EXPECT_NEAR(top.rgbGreen, (250 + 16) & 0xFF, 8);
    FreeImage_Unload(loaded);

    // A save into a folder that does not exist fails with the message and leaves nothing.
    auto failed = save_screen(dir / "missing" / "screen.jpg", s, ViewState{}, 1000, maker());
    ASSERT_FALSE(failed);
    EXPECT_EQ(failed.error().message.rfind("echec", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));

    // No surface: the blueprint says "merde", the screen "echec", and no file appears.
    SurfaceMaker none = [](int, int) { return std::unique_ptr<PictureSurface>(); };
    auto blueprint = save_blueprint_to(dir / "plan.jpg", s, ViewState{}, none);
    ASSERT_FALSE(blueprint);
    EXPECT_EQ(blueprint.error().message.rfind("merde: ", 0), 0u);
    EXPECT_EQ(blueprint.error().file, dir / "plan.jpg");
    EXPECT_FALSE(std::filesystem::exists(dir / "plan.jpg"));
    auto screen = save_screen(dir / "plan2.jpg", s, ViewState{}, 1000, none);
    ASSERT_FALSE(screen);
    EXPECT_EQ(screen.error().message.rfind("echec: ", 0), 0u);
}

TEST_F(PlanPicture, JpgIsAddedWhenMissing)
{
    EXPECT_EQ(with_jpg_extension("a"), std::filesystem::path("a.jpg"));
    EXPECT_EQ(with_jpg_extension("a.JPG"), std::filesystem::path("a.JPG"));
    EXPECT_EQ(with_jpg_extension("a.jpeg"), std::filesystem::path("a.jpeg"));
    EXPECT_EQ(with_jpg_extension("a.png"), std::filesystem::path("a.png.jpg"));
    EXPECT_EQ(with_jpg_extension("dir.v2/plan"), std::filesystem::path("dir.v2/plan.jpg"));
}

TEST(PlanPrint, TheStandAndItsMarginsFitThePage)
{
    ViewState view;
    view.zoom_auto = true;
    view.decal_x = 340;
    view.decal_y = -60;
    view.aff_hauteurs = true;
    StandSettings stand;
    ViewState page = print_view(view, stand, 2800, 2000);
    EXPECT_EQ(page.zoom, 4); // min(2800 / 700, 2000 / 500)
    EXPECT_FALSE(page.zoom_auto);
    EXPECT_EQ(page.decal_x, 0);
    EXPECT_EQ(page.decal_y, 0);
    EXPECT_TRUE(page.aff_hauteurs);

    RenderOptions options = print_options(2800, 2000);
    EXPECT_FALSE(options.smooth);
    EXPECT_FALSE(options.palette_column);
    EXPECT_EQ(options.pixel_scale, paper_dots_per_pixel);

    stand.stand_largeur = 8;
    stand.stand_profondeur = 6;
    EXPECT_TRUE(landscape_is_larger(stand, 794, 1123));
    stand.stand_largeur = 3;
    stand.stand_profondeur = 5;
    EXPECT_FALSE(landscape_is_larger(stand, 794, 1123));
}
