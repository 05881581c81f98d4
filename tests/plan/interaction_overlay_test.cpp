// The live overlay's drawing, and the state after the table was replaced behind the interaction's
// back.

#include <gtest/gtest.h>

#include "geometry/recording_canvas.h"
#include "interaction_driver.h"

using namespace halvern;
using namespace halvern::testing;

TEST(LiveOverlay, GhostRectangleAndMeasureAreDrawnWhereThePlanShowsThem)
{
    PlanWindow w;
    w.components[shelf].shape = shape_square;
    place(w.plan, shelf, 300, 300);
    w.view.zoom = 2;
    w.view.decal_x = -100;
    LiveOverlay overlay;
    overlay.objects.push_back({1, 150, 50, 0, "OO"});
    overlay.objects.push_back({7, 0, 0, 0, "OO"}); // no such object: skipped
    overlay.rectangle = PlanBox{100, 10, 200, 60};
    overlay.measure = MeasureLine{{100, 0}, {103, 4}};
    RecordingCanvas canvas;
    draw_live_overlay(canvas, w.plan, w.components, w.view, overlay);

    // The shelf's square spans 80 by 40 cm around (150, 50): pixels 75 + 2 (110 - 100) .. 75 + 2 (190 - 100).
    const std::vector<Pixel> points = canvas.all_points();
    ASSERT_FALSE(points.empty());
    int left = 1 << 30, right = -(1 << 30);
    for (const Primitive& p : canvas.primitives())
        if (p.kind != Primitive::Kind::box && p.kind != Primitive::Kind::line && p.kind != Primitive::Kind::text)
            for (const Pixel& px : p.points) {
                left = std::min(left, px.x);
                right = std::max(right, px.x);
            }
    EXPECT_NEAR(left, 95, 1);
    EXPECT_NEAR(right, 255, 1);

    bool box_found = false, text_found = false;
    for (const Primitive& p : canvas.primitives()) {
        if (p.kind == Primitive::Kind::box && !p.filled && p.bounds == PixelRect{75, 20, 200, 100})
            box_found = true;
        if (p.kind == Primitive::Kind::text && p.text == "Distance 5 cm")
            text_found = true;
    }
    EXPECT_TRUE(box_found);
    EXPECT_TRUE(text_found);
}

TEST(LiveOverlay, TheReadoutGoesToTheTopRight)
{
    Readout r;
    r.position = {"X :1 cm x Y :2 cm", "zoom :1"};
    r.debug = {"   x=1"};
    RecordingCanvas canvas;
    draw_readout(canvas, r, 800);
    ASSERT_EQ(canvas.primitives().size(), 3u);
    EXPECT_EQ(canvas.primitives()[0].text, "   x=1");
    EXPECT_EQ(canvas.primitives()[1].text, "X :1 cm x Y :2 cm");
    EXPECT_GT(canvas.primitives()[1].points.empty() ? 0 : canvas.primitives()[1].points[0].x, 400);
    EXPECT_GT(canvas.primitives()[2].points.empty() ? 0 : canvas.primitives()[2].points[0].y,
              canvas.primitives()[1].points.empty() ? 0 : canvas.primitives()[1].points[0].y);
}

TEST(InteractionReplaced, LoadingForgetsTheHoveredObjectAndTheHeldGesture)
{
    PlanWindow w;
    place(w.plan, panel, 200, 200);
    place(w.plan, panel, 400, 200);
    w.move(400, 200);
    ASSERT_EQ(w.state.survol, 2);
    w.on_load = [&w] {
        w.plan.nb_objets = 0;
        place(w.plan, panel, 700, 500);
    };
    w.key("l", kk_ctrl);
    EXPECT_EQ(w.requested(InteractionRequest::Kind::load).size(), 1u);
    EXPECT_EQ(w.state.survol, 0);
    // A press where object 2 was starts a lasso instead of picking a number that names nothing.
    w.at(400, 200, button_left);
    EXPECT_TRUE(w.state.flag_lasso);
    EXPECT_FALSE(w.plan.focus);
}

TEST(InteractionReplaced, AnUndoDuringADragEndsIt)
{
    PlanWindow w;
    place(w.plan, loose_panel, 200, 200);
    w.press(200, 200);
    w.drag(250, 250);
    w.plan.nb_objets = 0; // the editor swapped in an older table
    table_replaced(w.state, w.plan);
    w.drag(260, 260);
    w.release(260, 260);
    EXPECT_EQ(w.plan.nb_objets, 0);
    EXPECT_TRUE(w.host.changes.empty());
}
