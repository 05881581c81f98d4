#pragma once
// A VRML scene read by Coin3D from text in memory. The scene owns its Coin nodes (one reference
// held), so it can be handed from the reading to the window that shows it.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "model3d/coin_access.h"
#include "view3d/orbit_camera.h"

class SoSeparator;

namespace halvern {

// coin_lock(): reading a scene holds it for its whole length, so the window's thread only tries it
// and keeps its last frame meanwhile.

// Coin's own start-up; safe to call any number of times, first from the window's thread.
void init_coin();

class CoinScene {
public:
    CoinScene() = default;
    ~CoinScene();
    CoinScene(CoinScene&& other) noexcept;
    CoinScene& operator=(CoinScene&& other) noexcept;
    CoinScene(const CoinScene&) = delete;
    CoinScene& operator=(const CoinScene&) = delete;

    // The root of what was read; null for a scene that could not be read.
    SoSeparator* root() const { return root_; }
    // The box holding every shape (measured once, when read).
    const Bounds& bounds() const { return bounds_; }
    // Nodes a traversal of the graph meets (groups, transforms, shapes; not the nodes inside a
    // shape's fields), each counted once however often it is used.
    int node_count() const;
    // Coin's complaints while reading (a picture it could not read, a bad field...).
    const std::vector<std::string>& messages() const { return messages_; }

private:
    friend CoinScene read_coin_scene(const std::string& text);
    Bounds measure() const;
    SoSeparator* root_ = nullptr;
    Bounds bounds_;
    std::vector<std::string> messages_;
};

// Reads a scene from text; a scene Coin cannot read comes back without a root and with the reason.
CoinScene read_coin_scene(const std::string& text);

} // namespace halvern
