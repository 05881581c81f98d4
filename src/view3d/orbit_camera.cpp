#include "view3d/orbit_camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace halvern {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(Vec3 a) { return std::sqrt(dot(a, a)); }

namespace {

constexpr double pi = std::numbers::pi;
// Just short of straight down or up: the orbit never flips over the pole. The top view itself
// looks straight down.
constexpr double pitch_limit = pi / 2 - 1e-3;
constexpr double radians_per_pixel = pi / 360; // half a turn across 360 pixels
constexpr double smallest_distance = 0.05;     // metres: zooming stops before passing the point

Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

// From the point looked at towards the camera.
Vec3 backwards(double yaw, double pitch)
{
    return {std::cos(pitch) * std::sin(yaw), std::sin(pitch), std::cos(pitch) * std::cos(yaw)};
}

struct Axes {
    Vec3 view, up, right;
};

Axes axes(double yaw, double pitch)
{
    const Vec3 view = backwards(yaw, pitch) * -1.0;
    // The level up tilted back by the pitch.
    const Vec3 up{-std::sin(pitch) * std::sin(yaw), std::cos(pitch), -std::sin(pitch) * std::cos(yaw)};
    return {view, up, cross(view, up)};
}

} // namespace

OrbitCamera::OrbitCamera() : height_angle_(pi / 4) {}

std::array<double, 2> OrbitCamera::half_extents(double aspect) const
{
    const double t = std::tan(height_angle_ / 2);
    if (!(aspect > 0))
        return {t, t};
    return aspect < 1 ? std::array<double, 2>{t, t / aspect} : std::array<double, 2>{t * aspect, t};
}

void OrbitCamera::view_all(const Bounds& scene, double aspect)
{
    // The box is framed as it projects, not around its centre: seen in perspective, the corners
    // nearest the camera spread further than the far ones, and a box fitted about its centre leaves
    // the far side of the picture empty. The camera keeps its angles and moves (across the view and
    // back) until the box's picture is centred and its tighter pair of sides sits at this share of
    // the picture.
    constexpr double filled = 0.9;
    Bounds box = scene;
    if (box.empty)
        box = Bounds{{-0.5, -0.5, -0.5}, {0.5, 0.5, 0.5}, false};
    const Axes a = axes(yaw_, pitch_);
    const auto [half_w, half_h] = half_extents(aspect);
    Vec3 corners[8];
    double front = 1e300;
    for (int k = 0; k < 8; ++k) {
        corners[k] = {(k & 1) ? box.max.x : box.min.x, (k & 2) ? box.max.y : box.min.y,
                      (k & 4) ? box.max.z : box.min.z};
        front = std::min(front, dot(corners[k], a.view));
    }
    // Seen from a camera at s·axis + u·view (along one axis of the picture), every corner q lies
    // within `slope` of the middle when q·(±axis − slope·view) <= ±s − slope·u: the corner reaching
    // furthest each way sets where the camera may be. Both ways tight: the picture is centred.
    struct Fit {
        double across, back; // s and u
    };
    const auto fit = [&corners, &a](const Vec3& axis, double slope) {
        double plus = -1e300, minus = -1e300;
        for (const Vec3& q : corners) {
            const double x = dot(q, axis), z = dot(q, a.view);
            plus = std::max(plus, x - slope * z);
            minus = std::max(minus, -x - slope * z);
        }
        return Fit{(plus - minus) / 2, -(plus + minus) / (2 * slope)};
    };
    const Fit wide = fit(a.right, half_w * filled), tall = fit(a.up, half_h * filled);
    const double centre_depth = dot(box.centre(), a.view);
    const double nearest = std::max(box.radius(), 0.5) * 0.5; // never inside a box seen from nowhere
    const double u = std::min({wide.back, tall.back, front - 0.05, centre_depth - nearest});
    // The looser pair is centred at the narrower slope that puts the camera just as far back.
    const auto centred = [&](const Vec3& axis, double slope, const Fit& tight) {
        if (tight.back <= u + 1e-12)
            return tight.across;
        double lo = 0, hi = slope; // the camera's distance grows as the slope narrows
        for (int k = 0; k < 60; ++k) {
            const double mid = (lo + hi) / 2;
            (fit(axis, mid).back < u ? lo : hi) = mid;
        }
        return fit(axis, hi).across;
    };
    const double s = centred(a.right, half_w * filled, wide), t = centred(a.up, half_h * filled, tall);
    const Vec3 camera = a.right * s + a.up * t + a.view * u;
    // The point turned about: on the view's axis, as deep as the box's centre.
    distance_ = centre_depth - u;
    target_ = camera + a.view * distance_;
    placed_ = true;
}

void OrbitCamera::set_view(StandardView view, const Bounds& scene, double aspect)
{
    switch (view) {
    case StandardView::front: yaw_ = 0, pitch_ = 0; break;
    case StandardView::top: yaw_ = 0, pitch_ = pi / 2; break;
    case StandardView::left: yaw_ = -pi / 2, pitch_ = 0; break;
    case StandardView::right: yaw_ = pi / 2, pitch_ = 0; break;
    case StandardView::iso: yaw_ = pi / 4, pitch_ = std::atan(1 / std::sqrt(2.0)); break;
    }
    view_all(scene, aspect);
}

void OrbitCamera::orbit(double dx_pixels, double dy_pixels)
{
    // Dragging right turns the stand to the right (the camera goes left around it); dragging down
    // tilts it towards the user (the camera rises).
    yaw_ = std::remainder(yaw_ - dx_pixels * radians_per_pixel, 2 * pi);
    pitch_ = std::clamp(pitch_ + dy_pixels * radians_per_pixel, -pitch_limit, pitch_limit);
}

void OrbitCamera::pan(double dx_pixels, double dy_pixels, double viewport_height)
{
    if (viewport_height <= 0)
        return;
    const double metres_per_pixel = 2 * distance_ * std::tan(height_angle_ / 2) / viewport_height;
    const Axes a = axes(yaw_, pitch_);
    target_ = target_ - a.right * (dx_pixels * metres_per_pixel) + a.up * (dy_pixels * metres_per_pixel);
}

void OrbitCamera::zoom_at(double x, double y, double width, double height, double factor)
{
    if (width <= 0 || height <= 0 || !(factor > 0))
        return;
    factor = std::max(factor, smallest_distance / distance_);
    // The point under the pointer on the plane through the point looked at.
    const double half_height = distance_ * std::tan(height_angle_ / 2);
    const double ndc_x = 2 * x / width - 1, ndc_y = 1 - 2 * y / height;
    const Axes a = axes(yaw_, pitch_);
    const Vec3 under = target_ + a.right * (ndc_x * half_height * width / height) + a.up * (ndc_y * half_height);
    // Scaling camera and target about that point keeps it where it is on the screen.
    target_ = under + (target_ - under) * factor;
    distance_ *= factor;
}

CameraPose OrbitCamera::pose(const Bounds& scene) const
{
    CameraPose p;
    const Axes a = axes(yaw_, pitch_);
    p.view = a.view, p.up = a.up, p.right = a.right;
    p.position = target_ + backwards(yaw_, pitch_) * distance_;
    // Yaw about y after pitch about x (a negative pitch angle tips the view down).
    const double sx = std::sin(-pitch_ / 2), cx = std::cos(-pitch_ / 2);
    const double sy = std::sin(yaw_ / 2), cy = std::cos(yaw_ / 2);
    p.rotation = {cy * sx, cx * sy, -sy * sx, cy * cx};
    p.height_angle = height_angle_;
    const double radius = std::max(scene.radius(), 0.5);
    const double from_centre = scene.empty ? distance_ : length(p.position - scene.centre());
    p.far = from_centre + radius * 1.5;
    p.near = std::max({0.01, from_centre - radius * 1.5, p.far / 5000});
    return p;
}

} // namespace halvern
