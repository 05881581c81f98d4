#pragma once
// Draws the stand's batches into the current OpenGL context: one vertex buffer and one draw call per
// material, lit by a headlight as the scene's viewers light it, pictures as mipmapped textures.
// Opaque materials first, faces turned away culled where the geometry is closed; transparent ones
// after, farthest first, without writing depth. Buffers follow the batches: a reading that changed
// one object writes only that object's vertices, and the previous frame's buffers serve until then.

#include <memory>
#include <string>

#include "view3d/orbit_camera.h"

namespace halvern {

class DrawBatches;

// What the last frame did, for tests and measurements.
struct RenderStats {
    int draw_calls = 0;
    size_t vertices_drawn = 0;
    size_t bytes_uploaded = 0; // vertices and pictures sent to OpenGL before this frame
    int textures = 0;
};

class ModelRenderer {
public:
    // Made, used and dropped with the same OpenGL context current.
    ModelRenderer();
    ~ModelRenderer();
    ModelRenderer(const ModelRenderer&) = delete;
    ModelRenderer& operator=(const ModelRenderer&) = delete;

    // False when the context cannot draw (no shaders); `problem` says why.
    bool ready() const;
    const std::string& problem() const;

    // Brings the buffers up to `batches` and draws them from `camera` into the bound framebuffer,
    // `width` × `height` pixels, over the sky.
    void render(const DrawBatches& batches, const OrbitCamera& camera, int width, int height);
    const RenderStats& stats() const;

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The background behind the stand.
constexpr float sky_colour[3] = {0.78f, 0.84f, 0.9f};

} // namespace halvern
