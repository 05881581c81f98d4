#pragma once
// The still layer of the plan (white area, floor, grids, walls) kept as a picture between redraws,
// so that a redraw after an edit only draws the objects over it. The platform keeps it as an image;
// tests keep the recorded drawing.

#include <optional>
#include <vector>

#include "geometry/canvas.h"
#include "geometry/recording_canvas.h"

namespace halvern {

// Everything the still layer depends on. The cache is reused only for an equal key, so a change of
// the walls or of the stand size shows at once even when the view itself did not move.
struct BackgroundKey {
    int width = 0, height = 0;
    double zoom = 0;
    float decal_x = 0, decal_y = 0;
    float stand_largeur = 0, stand_profondeur = 0;
    int stand_murs = 0;
    bool palette_column = true;
    bool smooth = true;
    friend bool operator==(const BackgroundKey&, const BackgroundKey&) = default;
};

class BackgroundCache {
public:
    virtual ~BackgroundCache() = default;

    // A white surface of the drawing area's size for the still layer; nothing when none can be
    // made (the redraw then draws the layer straight onto its target every time).
    virtual Canvas* begin(int width, int height) = 0;
    // The layer is complete.
    virtual void end() = 0;
    // Puts the whole kept picture onto `target` at (0, 0). False when it cannot (the redraw then
    // draws the layer itself).
    virtual bool copy_to(Canvas& target) = 0;

    // What the kept picture was drawn for; nothing before the first layer or after a failure.
    const std::optional<BackgroundKey>& key() const { return key_; }
    void set_key(std::optional<BackgroundKey> key) { key_ = key; }

private:
    std::optional<BackgroundKey> key_;
};

// Keeps the layer as its recorded primitives and replays them; counts how often it was drawn.
class RecordingBackgroundCache : public BackgroundCache {
public:
    Canvas* begin(int width, int height) override;
    void end() override {}
    bool copy_to(Canvas& target) override;

    int layers_drawn() const { return layers_drawn_; }
    int copies() const { return copies_; }
    const std::vector<Primitive>& primitives() const { return canvas_.primitives(); }

private:
    RecordingCanvas canvas_;
    int layers_drawn_ = 0;
    int copies_ = 0;
};

} // namespace halvern
