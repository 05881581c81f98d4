#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "view3d/orbit_camera.h"

namespace halvern {
namespace {

constexpr double near_enough = 1e-9;

Bounds box(Vec3 lo, Vec3 hi) { return Bounds{lo, hi, false}; }
const Bounds stand = box({0, 0, 0}, {8, 2.5, 6});

void expect_near(Vec3 a, Vec3 b, double tolerance = near_enough)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

// Where a point of the scene appears in a width × height viewport, by the pose alone. The height
// angle spans the height of a wide viewport and the width of a tall one, as the renderer maps it.
std::pair<double, double> project(const CameraPose& pose, Vec3 p, double width, double height)
{
    const Vec3 d = p - pose.position;
    const double depth = dot(d, pose.view);
    double half = std::tan(pose.height_angle / 2) * depth;
    if (width < height)
        half *= height / width;
    const double ndc_x = dot(d, pose.right) / (half * width / height);
    const double ndc_y = dot(d, pose.up) / half;
    return {(ndc_x + 1) * width / 2, (1 - ndc_y) * height / 2};
}

// The quaternion of the pose applied to a vector.
Vec3 rotate(const std::array<double, 4>& q, Vec3 v)
{
    const Vec3 u{q[0], q[1], q[2]};
    const double w = q[3];
    const Vec3 uv{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    const Vec3 uuv{u.y * uv.z - u.z * uv.y, u.z * uv.x - u.x * uv.z, u.x * uv.y - u.y * uv.x};
    return v + uv * (2 * w) + uuv * 2;
}

TEST(OrbitCamera, StandardViewsLookFromWhereTheirNamesSay)
{
    OrbitCamera camera;
    camera.set_view(StandardView::front, stand, 16.0 / 9);
    CameraPose p = camera.pose(stand);
    expect_near(p.view, {0, 0, -1});
    expect_near(p.up, {0, 1, 0});
    EXPECT_GT(p.position.z, 6);

    camera.set_view(StandardView::top, stand, 16.0 / 9);
    p = camera.pose(stand);
    expect_near(p.view, {0, -1, 0});
    expect_near(p.up, {0, 0, -1}); // the back of the stand at the top of the picture
    expect_near(p.right, {1, 0, 0});

    camera.set_view(StandardView::left, stand, 1);
    expect_near(camera.pose(stand).view, {1, 0, 0});
    camera.set_view(StandardView::right, stand, 1);
    expect_near(camera.pose(stand).view, {-1, 0, 0});

    camera.set_view(StandardView::iso, stand, 1);
    p = camera.pose(stand);
    EXPECT_LT(p.view.x, 0); // from the front right, above
    EXPECT_LT(p.view.y, 0);
    EXPECT_LT(p.view.z, 0);
}

TEST(OrbitCamera, PoseRotationTurnsTheDefaultCameraOntoTheView)
{
    OrbitCamera camera;
    camera.set_view(StandardView::iso, stand, 1);
    camera.orbit(37, -12);
    for (const CameraPose& p : {camera.pose(stand), [&] {
             camera.set_view(StandardView::top, stand, 1);
             return camera.pose(stand);
         }()}) {
        expect_near(rotate(p.rotation, {0, 0, -1}), p.view, 1e-12);
        expect_near(rotate(p.rotation, {0, 1, 0}), p.up, 1e-12);
        EXPECT_NEAR(length(p.right), 1, 1e-12);
    }
}

TEST(OrbitCamera, ViewAllHoldsTheWholeSceneBetweenNearAndFar)
{
    OrbitCamera camera;
    EXPECT_FALSE(camera.placed());
    for (double aspect : {0.3, 1.0, 3.0}) {
        camera.set_view(StandardView::iso, stand, aspect);
        EXPECT_TRUE(camera.placed());
        const CameraPose p = camera.pose(stand);
        // Turned about a point as deep as the box's centre.
        EXPECT_NEAR(dot(camera.target() - p.position, p.view), dot(stand.centre() - p.position, p.view), 1e-9);
        for (double x : {0.0, 8.0})
            for (double y : {0.0, 2.5})
                for (double z : {0.0, 6.0}) {
                    const Vec3 corner{x, y, z};
                    const double depth = dot(corner - p.position, p.view);
                    EXPECT_GT(depth, p.near);
                    EXPECT_LT(depth, p.far);
                    auto [px, py] = project(p, corner, 100 * aspect, 100);
                    EXPECT_GE(px, -1e-6) << aspect;
                    EXPECT_LE(px, 100 * aspect + 1e-6) << aspect;
                    EXPECT_GE(py, -1e-6) << aspect;
                    EXPECT_LE(py, 100 + 1e-6) << aspect;
                }
    }
    // An empty scene still gives a usable camera.
    camera.view_all(Bounds{}, 1);
    EXPECT_GT(camera.distance(), 0);
    EXPECT_LT(camera.pose(Bounds{}).near, camera.distance());
}

TEST(OrbitCamera, ViewAllShowsEveryCornerWithAMarginAndFillsThePicture)
{
    const Bounds boxes[] = {stand, box({-4, 0, -3}, {4, 4.6, 3}), box({0, 0, 0}, {0.5, 6, 0.5}),
                            box({-20, 0, -1}, {20, 3, 1})};
    const StandardView views[] = {StandardView::iso, StandardView::front, StandardView::top, StandardView::left,
                                  StandardView::right};
    for (const Bounds& b : boxes)
        for (StandardView view : views)
            for (double aspect : {0.4, 1.0, 16.0 / 9, 3.0}) {
                OrbitCamera camera;
                camera.set_view(view, b, aspect);
                const CameraPose p = camera.pose(b);
                const double w = 1000 * aspect, h = 1000;
                double reach = 0; // the farthest a corner lies from the middle, as a share of half the picture
                double lo_x = 1e9, hi_x = -1e9, lo_y = 1e9, hi_y = -1e9;
                for (int k = 0; k < 8; ++k) {
                    const Vec3 corner{(k & 1) ? b.max.x : b.min.x, (k & 2) ? b.max.y : b.min.y,
                                      (k & 4) ? b.max.z : b.min.z};
                    auto [px, py] = project(p, corner, w, h);
                    const double sx = std::abs(px - w / 2) / (w / 2), sy = std::abs(py - h / 2) / (h / 2);
                    EXPECT_LE(sx, 0.95) << int(view) << " " << aspect << " corner " << k;
                    EXPECT_LE(sy, 0.95) << int(view) << " " << aspect << " corner " << k;
                    reach = std::max({reach, sx, sy});
                    lo_x = std::min(lo_x, px), hi_x = std::max(hi_x, px);
                    lo_y = std::min(lo_y, py), hi_y = std::max(hi_y, py);
                }
                EXPECT_GE(reach, 0.85) << int(view) << " " << aspect;
                // The box's picture is centred: as much room on either side, above as below.
                EXPECT_NEAR(lo_x, w - hi_x, w * 0.01) << int(view) << " " << aspect;
                EXPECT_NEAR(lo_y, h - hi_y, h * 0.01) << int(view) << " " << aspect;
            }
}

TEST(OrbitCamera, ZoomKeepsThePointUnderThePointer)
{
    OrbitCamera camera;
    camera.set_view(StandardView::iso, stand, 4.0 / 3);
    const double w = 800, h = 600, x = 620, y = 140;
    // The point under the pointer on the plane through the target.
    const CameraPose before = camera.pose(stand);
    const double half = std::tan(before.height_angle / 2) * camera.distance();
    const Vec3 under = camera.target() + before.right * ((2 * x / w - 1) * half * w / h) + before.up * ((1 - 2 * y / h) * half);
    const double distance = camera.distance();
    camera.zoom_at(x, y, w, h, 0.5);
    EXPECT_NEAR(camera.distance(), distance * 0.5, 1e-12);
    auto [px, py] = project(camera.pose(stand), under, w, h);
    EXPECT_NEAR(px, x, 1e-6);
    EXPECT_NEAR(py, y, 1e-6);
    // Zooming in without end stops short of the point; zooming out comes back.
    for (int i = 0; i < 200; ++i)
        camera.zoom_at(x, y, w, h, 0.5);
    EXPECT_GT(camera.distance(), 0.01);
    camera.zoom_at(x, y, w, h, 0); // refused: no factor
    EXPECT_GT(camera.distance(), 0.01);
}

TEST(OrbitCamera, PanMovesTheSceneWithThePointer)
{
    OrbitCamera camera;
    camera.set_view(StandardView::iso, stand, 1);
    const Vec3 target = camera.target();
    camera.pan(30, -20, 600);
    auto [px, py] = project(camera.pose(stand), target, 600, 600);
    EXPECT_NEAR(px, 300 + 30, 1e-6);
    EXPECT_NEAR(py, 300 - 20, 1e-6);
    camera.pan(5, 5, 0); // a viewport without height changes nothing
    auto [qx, qy] = project(camera.pose(stand), target, 600, 600);
    EXPECT_NEAR(qx, px, 1e-9);
    EXPECT_NEAR(qy, py, 1e-9);
}

TEST(OrbitCamera, OrbitTurnsAroundTheTargetAndNeverPassesThePole)
{
    OrbitCamera camera;
    camera.set_view(StandardView::front, stand, 1);
    const Vec3 target = camera.target();
    const double distance = camera.distance();
    camera.orbit(180, 0); // a quarter turn to the right: the camera now looks from the left
    const CameraPose p = camera.pose(stand);
    expect_near(camera.target(), target);
    EXPECT_NEAR(length(p.position - target), distance, 1e-9);
    expect_near(p.view, {1, 0, 0}, 1e-12);
    camera.orbit(0, 100000);
    EXPECT_LT(camera.pitch(), std::numbers::pi / 2);
    EXPECT_GT(camera.pose(stand).up.y, 0); // not upside down
    camera.orbit(0, -100000);
    EXPECT_GT(camera.pitch(), -std::numbers::pi / 2);
}

} // namespace
} // namespace halvern
