// The palette column: which component each cell offers, where a press lands, and what is drawn.

#include "plan/palette.h"
#include "render_fixture.h"

using namespace halvern;
using namespace halvern::testing;

class Palette : public RenderFixture {};

TEST_F(Palette, CellsFitBetweenTheHeadAndTheFoot)
{
    EXPECT_EQ(palette_cell_count(500), 5); // (500 - 80) / 75
    EXPECT_EQ(palette_cell_count(80 + 75 * 3), 3);
    EXPECT_EQ(palette_cell_count(80 + 75 * 3 - 1), 2);
    EXPECT_EQ(palette_cell_count(50), 0);

    PaletteLayout layout = palette_layout(*components, libraries, {}, 500);
    ASSERT_EQ(layout.cells.size(), 5u);
    EXPECT_EQ(layout.cells[0].rect, (PixelRect{0, 40, 75, 75}));
    EXPECT_EQ(layout.cells[4].rect, (PixelRect{0, 340, 75, 75}));
    EXPECT_EQ(layout.foot_top, 415);
    EXPECT_EQ(layout.scroll_back, (PixelRect{0, 415, 37, 85}));
    EXPECT_EQ(layout.scroll_forward, (PixelRect{37, 415, 38, 85}));
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(layout.cells[size_t(c)].component, c);
        EXPECT_TRUE(layout.cells[size_t(c)].pickable);
    }
}

TEST_F(Palette, TheOffsetAndTheLibraryChooseTheComponents)
{
    (*components)[2305].name = "Courbe"; // library 23 exists in the catalogue already
    libraries.current_library = 23;
    PaletteState state;
    state.offset = 3;
    PaletteLayout layout = palette_layout(*components, libraries, state, 500);
    EXPECT_EQ(layout.cells[0].component, 2303);
    EXPECT_EQ(layout.cells[2].component, 2305);
    EXPECT_TRUE(layout.cells[2].pickable);

    // Free numbers, hidden ones, the group marker and numbers of the next library are empty.
    libraries.current_library = 0;
    state.offset = 18;
    layout = palette_layout(*components, libraries, state, 500);
    EXPECT_FALSE(layout.cells[0].pickable); // 18: free
    EXPECT_FALSE(layout.cells[2].pickable); // 20: hidden profile
    state.offset = 97;
    layout = palette_layout(*components, libraries, state, 500);
    EXPECT_FALSE(layout.cells[2].pickable); // 99: the group marker
    EXPECT_EQ(layout.cells[3].component, 100);
    EXPECT_FALSE(layout.cells[3].pickable); // library 1's

    libraries.current_library = 50; // 5000 is the last number
    (*components)[5000].name = "last";
    state.offset = 0;
    layout = palette_layout(*components, libraries, state, 500);
    EXPECT_TRUE(layout.cells[0].pickable);
    EXPECT_EQ(layout.cells[1].component, 5001);
    EXPECT_FALSE(layout.cells[1].pickable);
}

TEST_F(Palette, WhereAPressLands)
{
    PaletteLayout layout = palette_layout(*components, libraries, {}, 500);
    EXPECT_EQ(palette_hit(layout, 10, 40).kind, PaletteHit::Kind::none); // the head's edge
    PaletteHit hit = palette_hit(layout, 10, 40.5);
    EXPECT_EQ(hit.kind, PaletteHit::Kind::cell);
    EXPECT_EQ(hit.cell, 0);
    EXPECT_EQ(hit.component, 0);
    hit = palette_hit(layout, 74, 414.9);
    EXPECT_EQ(hit.cell, 4);
    EXPECT_EQ(palette_hit(layout, 37.4, 415).kind, PaletteHit::Kind::scroll_back);
    EXPECT_EQ(palette_hit(layout, 37.5, 415).kind, PaletteHit::Kind::scroll_forward);
    EXPECT_EQ(palette_hit(layout, 75, 100).kind, PaletteHit::Kind::none); // the plan
    libraries.current_library = 0;
    PaletteState state;
    state.offset = 18;
    hit = palette_hit(palette_layout(*components, libraries, state, 500), 10, 50);
    EXPECT_EQ(hit.kind, PaletteHit::Kind::cell);
    EXPECT_EQ(hit.component, -1); // an empty cell cannot be picked
}

TEST_F(Palette, ScrollingStaysWithinTheHundredNumbers)
{
    PaletteState state;
    EXPECT_FALSE(scroll_palette(state, -1));
    EXPECT_EQ(state.offset, 0);
    EXPECT_TRUE(scroll_palette(state, 1));
    EXPECT_EQ(state.offset, 1);
    state.offset = 99;
    EXPECT_FALSE(scroll_palette(state, 1));
    EXPECT_EQ(state.offset, 99);
}

TEST_F(Palette, TheColumnIsDrawnOverThePlan)
{
    plan.hauteur_defaut = 150.3f;
    RenderOutcome outcome = draw(800, 500);
    (void)outcome;
    const auto& all = canvas.primitives();
    // The white column comes after the still layer, with its two lines.
    size_t column = all.size();
    for (size_t k = 0; k < all.size(); ++k)
        if (all[k].kind == Primitive::Kind::box && all[k].filled && all[k].bounds == PixelRect{0, 0, 75, 500})
            column = k;
    ASSERT_LT(column, all.size());
    EXPECT_EQ(all[column + 1].points, (std::vector<Pixel>{{75, 0}, {75, 500}}));
    EXPECT_EQ(all[column + 2].points, (std::vector<Pixel>{{0, 20}, {75, 20}}));
    EXPECT_EQ(count_text("VEK"), 1);
    EXPECT_EQ(count_text("-     +"), 1);
    EXPECT_EQ(count_text("Haut.150.3cm"), 1);
    EXPECT_EQ(count_text("NO 3D"), 0); // the built-in frames are exported from the program's pieces
    for (const Primitive& p : all)
        if (p.kind == Primitive::Kind::text && p.text == "-     +") {
            EXPECT_EQ(p.points[0].y, 417);
            EXPECT_EQ(p.size_points, 8);
        }
    // Every cell's drawing stays in the column.
    for (size_t k = column + 3; k < all.size(); ++k) {
        if (all[k].kind == Primitive::Kind::text)
            continue;
        for (const Pixel& p : all[k].points) {
            EXPECT_LE(p.x, 75);
        }
    }

    // A library of definition files: a component without its 3D file says so.
    libraries.current_library = 1;
    libraries.name[1] = "Starter";
    for (int n = 100; n <= 102; ++n) {
        (*components)[n].name = "piece";
        (*components)[n].library = 1;
        (*components)[n].width = 80;
        (*components)[n].depth = 40;
    }
    (*components)[101].has_3d = true;
    (*components)[102].width = 300; // larger than a cell at half size: made to fit
    draw(800, 500);
    bool in_column = false;
    for (const Primitive& p : canvas.primitives()) {
        in_column = in_column || (p.kind == Primitive::Kind::box && p.bounds == PixelRect{0, 0, 75, 500});
        if (in_column && p.kind != Primitive::Kind::text)
            for (const Pixel& q : p.points) {
                EXPECT_GE(q.x, 0);
                EXPECT_LE(q.x, 75);
            }
    }
    EXPECT_EQ(count_text("NO 3D"), 2);
    EXPECT_EQ(count_text("Starter"), 1);
    for (const Primitive& p : canvas.primitives())
        if (p.kind == Primitive::Kind::text && p.text == "NO 3D") {
            EXPECT_TRUE(p.points[0].y == 42 || p.points[0].y == 192) << p.points[0].y; // cells 0 and 2
        }
}
