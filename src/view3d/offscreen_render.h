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

class DrawBatches;
class ModelRenderer;

// OpenGL 2.1 with shaders, a depth buffer, a few samples for smooth edges.
QSurfaceFormat view3d_surface_format();


class OffscreenRenderer {
public:
    // `samples` per pixel for smooth edges (0: none).
    explicit OffscreenRenderer(int samples = 4);
    ~OffscreenRenderer();
    // Whether a context could be made; when not, `problem` says why.
    bool ready() const;
    const std::string& problem() const;

    // One picture of the stand from the camera, `size` pixels.
    Result<QImage> render(const DrawBatches& stand, const OrbitCamera& camera, QSize size);
    // One frame drawn and finished but not read back (for measuring frame rates).
    Result<void> draw(const DrawBatches& stand, const OrbitCamera& camera, QSize size);
    // The renderer of the last frame (its figures), null when not ready.
    const ModelRenderer* renderer() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace halvern
