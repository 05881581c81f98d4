#include <gtest/gtest.h>

#include "plan/view_state.h"

using namespace halvern;

TEST(ViewState, TransformBothWays)
{
    ViewState view;
    view.zoom = 2;
    view.decal_x = 10;
    view.decal_y = -20;
    PixelPoint p = view.to_pixel(100, 100);
    EXPECT_EQ(p.x, 75 + 220);
    EXPECT_EQ(p.y, 160);
    PixelPoint back = view.to_plan(p.x, p.y);
    EXPECT_DOUBLE_EQ(back.x, 100);
    EXPECT_DOUBLE_EQ(back.y, 100);
    EXPECT_EQ(view.to_pixel(100, 100, false).x, 220); // pictures have no palette column
}

TEST(ViewState, ZoomAutoOfAFiveByThreeStand)
{
    EXPECT_DOUBLE_EQ(fitted_zoom(800, 500, 5, 3), 1);
    EXPECT_DOUBLE_EQ(fitted_zoom(1400, 500, 5, 3), 1);
    EXPECT_DOUBLE_EQ(fitted_zoom(700, 1000, 5, 3), 1);
}

TEST(ViewState, ZoomOutNeverReachesZeroAndZoomInStopsAtTen)
{
    ViewState view;
    view.zoom = 1;
    zoom_out(view);
    EXPECT_EQ(view.zoom, 0.5);
    EXPECT_FALSE(view.zoom_auto);
    zoom_out(view);
    EXPECT_EQ(view.zoom, 0.5);
    view.zoom = 10;
    zoom_in(view);
    EXPECT_EQ(view.zoom, 10);
    EXPECT_EQ(view.decal_x, -100);
}

TEST(ViewState, PresetZoomPutsTheBarsInTheMiddle)
{
    ViewState view;
    view.decal_x = 340;
    view.decal_y = -60;
    zoom_preset(view, 2);
    EXPECT_EQ(horizontal_bar(view), 100);
    EXPECT_EQ(vertical_bar(view), 100);
    PixelPoint corner = view.to_pixel(100, 100);
    EXPECT_EQ(corner.x, 275);
    EXPECT_EQ(corner.y, 200);
    EXPECT_EQ(zoom_text(view), "200%");
    zoom_auto(view);
    EXPECT_EQ(zoom_text(view), "Auto");
}

TEST(ViewState, ScrollBarsAndOffsetsRoundTrip)
{
    ViewState view;
    for (int h : {0, 37, 100, 200})
        for (int v : {0, 99, 100, 200}) {
            set_offsets_from_bars(view, h, v);
            EXPECT_EQ(horizontal_bar(view), h);
            EXPECT_EQ(vertical_bar(view), v);
        }
    set_offsets_from_bars(view, 101, 102);
    EXPECT_EQ(view.decal_x, -20);
    EXPECT_EQ(view.decal_y, -40); // further down the bar is further down the plan
    view.decal_x = -100000; // far beyond the bars: they stop at their ends
    EXPECT_EQ(horizontal_bar(view), 200);
}

TEST(ViewState, ZoomTextInPercent)
{
    ViewState view;
    zoom_preset(view, 0.75);
    EXPECT_EQ(zoom_text(view), "75%");
    view.zoom = 1.0 / 3;
    EXPECT_EQ(zoom_text(view), "33.33%");
}
