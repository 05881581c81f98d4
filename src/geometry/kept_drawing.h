#pragma once
// One drawing kept as a picture while what it is drawn from stays the same: the palette column of
// the window changes with its library, scroll and pick and with the records of the components it
// shows, not with the plan, yet it is drawn over every redraw.

#include <functional>
#include <memory>
#include <string>

#include "geometry/canvas.h"
#include "geometry/picture_store.h"

namespace halvern {

class KeptDrawing {
public:
    explicit KeptDrawing(std::unique_ptr<PictureStore> store);

    // Puts the picture kept for `key`; for any other key draws `draw` (in the target's pixels,
    // starting in the target's state) into a new picture of `box` and keeps that instead. What
    // `draw` puts outside the box is not kept. Without a picture it draws onto the target. The
    // target is left in the state `draw` leaves.
    void draw(Canvas& target, const std::string& key, PixelRect box, const std::function<void(Canvas&)>& draw);

    int pictures_made() const { return made_; }

private:
    std::unique_ptr<PictureStore> store_;
    std::string key_;
    int picture_ = -1; // -1: nothing kept
    Pixel at_;
    DrawState after_;
    int made_ = 0;
};

} // namespace halvern
