#pragma once
// The camera of the 3D window, kept as a point looked at, a distance and two angles, so that
// orbiting, panning and zooming are each one small change of state and a rebuilt scene keeps the
// view where the user left it. Plain maths: the renderer turns a pose into its own camera.
// Scene axes: y up, the stand's front towards +z, its right towards +x.

#include <array>

namespace halvern {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double s);
double dot(Vec3 a, Vec3 b);
double length(Vec3 a);

// An axis-aligned box; empty until something is added.
struct Bounds {
    Vec3 min, max;
    bool empty = true;
    Vec3 centre() const { return (min + max) * 0.5; }
    double radius() const { return empty ? 0.0 : length(max - min) * 0.5; }
};

enum class StandardView { iso, front, top, left, right };

// Where the camera is and how it is turned, ready for a renderer.
struct CameraPose {
    Vec3 position;
    Vec3 view;  // unit direction looked along
    Vec3 up;    // unit, perpendicular to view
    Vec3 right; // unit, view × up
    std::array<double, 4> rotation{0, 0, 0, 1}; // quaternion x y z w turning (0,0,-1) to view, (0,1,0) to up
    double near = 0.01, far = 100;
    double height_angle = 0; // vertical field of view, radians
};

class OrbitCamera {
public:
    OrbitCamera();

    // Fits the box into a viewport of this aspect (width / height), looking from the current angles:
    // every corner of the box shows, the nearest ones too, with a margin all round.
    void view_all(const Bounds& scene, double aspect);
    // Turns to a standard view and fits the box.
    void set_view(StandardView view, const Bounds& scene, double aspect);

    // A drag of (dx, dy) pixels turns around the point looked at.
    void orbit(double dx_pixels, double dy_pixels);
    // A drag of (dx, dy) pixels moves the scene with the pointer, in a viewport `height` pixels tall.
    void pan(double dx_pixels, double dy_pixels, double viewport_height);
    // Moves the camera towards (factor < 1) or away from (factor > 1) the point under the pointer at
    // (x, y) pixels of a width × height viewport; that point stays under the pointer.
    void zoom_at(double x, double y, double width, double height, double factor);

    // Half the view's width and height at one metre from the camera in a viewport of this aspect:
    // the height angle spans the height of a wide viewport and the width of a tall one, as the
    // renderer maps it.
    std::array<double, 2> half_extents(double aspect) const;

    // The pose, with near and far planes that hold `scene`.
    CameraPose pose(const Bounds& scene) const;

    Vec3 target() const { return target_; }
    double distance() const { return distance_; }
    double yaw() const { return yaw_; }
    double pitch() const { return pitch_; }
    double height_angle() const { return height_angle_; }
    // The camera was placed on a scene at least once (a fresh camera waits for the first scene).
    bool placed() const { return placed_; }

private:
    Vec3 target_{0, 1, 0};
    double distance_ = 10;
    double yaw_ = 0;   // radians around y; 0 looks from the front (+z)
    double pitch_ = 0; // radians above the horizontal
    double height_angle_;
    bool placed_ = false;
};

} // namespace halvern
