#pragma once
// Draws a Coin scene into the current OpenGL context: our camera and a headlight in front of the
// scene, so the window and the pictures of the command line see the same thing.

#include <cstdint>

#include "view3d/orbit_camera.h"

class SoDirectionalLight;
class SoPerspectiveCamera;
class SoSceneManager;
class SoSeparator;

namespace halvern {

class CoinScene;

class CoinViewport {
public:
    CoinViewport();
    ~CoinViewport();
    CoinViewport(const CoinViewport&) = delete;
    CoinViewport& operator=(const CoinViewport&) = delete;

    // Shows this scene (or nothing for null); the viewport takes its own reference.
    void set_scene(const CoinScene& scene);
    // The camera for the next frame; the headlight shines along its view.
    void set_camera(const CameraPose& pose);
    // Draws one frame into the current context's bound framebuffer, `width` × `height` pixels.
    void render(int width, int height);

private:
    SoSeparator* root_;
    SoPerspectiveCamera* camera_;
    SoDirectionalLight* headlight_;
    SoSeparator* content_;
    SoSceneManager* manager_;
};

} // namespace halvern
