#include <gtest/gtest.h>

#include <cmath>

#include "geometry/component_preview.h"
#include "recording_helpers.h"

using namespace halvern;
using namespace halvern::testing;

TEST(ComponentPreview, FitsTheFootprintAndCentresIt)
{
    ComponentTable t;
    file_component(t, 150, shape_square, 100, 50);
    ComponentPreview p = fit_preview(t, 150, 401, 301);
    EXPECT_DOUBLE_EQ(p.view.zoom, 4); // min(400 / 100, 300 / 50): the last pixel holds the edge
    EXPECT_FALSE(p.view.palette_column);
    Extent e = extent_of(draw_one(t, p.look, p.view));
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.right, 400);
    EXPECT_EQ(e.top, 50);
    EXPECT_EQ(e.bottom, 250);
    EXPECT_LT(e.right, 401) << "inside the picture";
}

TEST(ComponentPreview, ZeroSizeCountsAsAHundred)
{
    ComponentTable t;
    file_component(t, 150, shape_square, 0, 25);
    ComponentPreview p = fit_preview(t, 150, 201, 201);
    EXPECT_DOUBLE_EQ(p.view.zoom, 2);
    Extent e = extent_of(draw_one(t, p.look, p.view));
    EXPECT_EQ(e.width(), 200);
    EXPECT_EQ(e.height(), 50);
}

TEST(ComponentPreview, ATurnedComponentKeepsItsCorners)
{
    ComponentTable t;
    file_component(t, 150, shape_square, 100, 100);
    ComponentPreview p = fit_preview(t, 150, 400, 400, 45);
    EXPECT_NEAR(p.view.zoom, 399 / (100 * std::sqrt(2.0)), 1e-9);
    Extent e = extent_of(draw_one(t, p.look, p.view));
    EXPECT_GE(e.left, 0);
    EXPECT_GE(e.top, 0);
    EXPECT_LE(e.right, 399);
    EXPECT_LE(e.bottom, 399);
    EXPECT_GE(e.width(), 396);
}
