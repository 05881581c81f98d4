#pragma once
// Pictures of a scene without a window: an OpenGL context of Qt's own, a framebuffer object, and
// the viewport drawing into it. Needs a platform with OpenGL (a display, Xvfb under CI); Qt's
// `offscreen` platform has none, and that is said, never drawn as an empty picture.

#include <QImage>
#include <QSize>
#include <QSurfaceFormat>

#include <memory>
#include <string>

#include "base/result.h"
#include "view3d/orbit_camera.h"

namespace halvern {

class CoinScene;

// OpenGL with the fixed functions Coin draws with, a depth buffer, a few samples for smooth edges.
QSurfaceFormat view3d_surface_format();


class OffscreenRenderer {
public:
    OffscreenRenderer();
    ~OffscreenRenderer();
    // Whether a context could be made; when not, `problem` says why.
    bool ready() const;
    const std::string& problem() const;

    // One picture of the scene from the camera, `size` pixels.
    Result<QImage> render(const CoinScene& scene, const OrbitCamera& camera, QSize size);
    // One frame drawn and finished but not read back (for measuring frame rates).
    Result<void> draw(const CoinScene& scene, const OrbitCamera& camera, QSize size);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace halvern
