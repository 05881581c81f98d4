#pragma once
// Outlines kept as pictures: every object that looks the same (component, zoom, turn, end code,
// detail, intensity, size, drawing state, and where its centre falls inside its pixel) is drawn
// once into a transparent picture that is then put at each such object's place. A redraw of
// thousands of frames then costs one picture per object instead of dozens of small figures each.
// The surface that holds the pictures is the platform's; outlines it cannot keep are drawn
// directly. A kept picture has every point where the direct drawing has it; only its anti-aliased
// edge shades, laid on transparency first, can come out a level or three of 255 apart.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/canvas.h"
#include "geometry/component_drawing.h"
#include "library/component_table.h"

namespace halvern {

// Where an outline's centre falls inside its pixel is kept to 1/outline_phase_steps of a pixel,
// finer than the millionth by which whole pixels are cut (see to_pixel): a picture then has every
// point where the direct drawing has it. Coarser steps were tried and share more pictures, but
// plans laid out in round centimetres put many points exactly on pixel borders, and any shift of
// the centre moves those by a pixel.
inline constexpr int outline_phase_steps = 1 << 21;

struct OutlineKey {
    int component = 0;
    double zoom = 0;
    double angle = 0;
    int end_mode = 0, detail = 0, line_boost = 0;
    double intensity = 1;
    double object_width = 0, object_depth = 0; // only when the component resizes
    std::string end_code;
    bool front_view = false;
    DrawState state; // the canvas's state when the drawing starts
    int phase_x = 0, phase_y = 0;
    friend bool operator==(const OutlineKey&, const OutlineKey&) = default;
};

struct OutlineKeyHash {
    std::size_t operator()(const OutlineKey& key) const;
};

// The key of a look, and the whole pixel its centre falls in.
struct OutlinePlace {
    OutlineKey key;
    Pixel base;
};
OutlinePlace outline_place(const ComponentTable& components, const PlanView& view, const ComponentLook& look,
                           const DrawState& state);

// What a component's drawing reads from its record, folded into one number: a record that changed
// (the editor, a language reload) no longer matches the pictures kept for it.
std::uint64_t drawing_fingerprint(const Component& component);

class OutlineCache {
public:
    virtual ~OutlineCache() = default;

    // Limits: when they are reached the pictures no redraw since the last one has put go first;
    // when the redraw itself needs more, its other outlines are drawn directly.
    static constexpr int max_entries = 4096;
    static constexpr std::int64_t max_bytes = 64LL << 20;     // 4 bytes a pixel
    static constexpr std::int64_t max_picture_pixels = 512 * 512;

    // Draws the look as draw_component would, from a kept picture where it can. A change of zoom
    // or of a component's record empties the cache first.
    void draw(Canvas& target, const ComponentTable& components, const PlanView& view, const ComponentLook& look);
    // Forgets every picture.
    void clear();
    // Each redraw looks at the records of the components it draws again, once each.
    void begin_redraw() { ++redraw_; }

    int entries() const { return int(entries_.size()); }
    std::int64_t bytes() const { return bytes_; }
    int pictures_made() const { return made_; }
    int pictures_put() const { return put_; }

protected:
    // A new transparent picture of that size and the canvas that draws into it; nullptr when none
    // can be made. The canvas is valid until end_picture.
    virtual Canvas* begin_picture(int width, int height) = 0;
    // Finishes the picture begun last; its number, or -1 when it was lost.
    virtual int end_picture() = 0;
    // Puts picture `number` on the target with its top-left corner at `at`; false when the target
    // cannot take pictures.
    virtual bool put_picture(int number, Canvas& target, Pixel at) = 0;
    virtual void drop_pictures() = 0;
    // Forgets picture `number`; its number may be given to a later picture.
    virtual void drop_picture(int number) = 0;

private:
    struct Entry {
        int picture = -1;   // -1: the outline draws nothing
        int dx = 0, dy = 0; // the picture's corner from the centre's pixel
        DrawState after;    // the state the drawing leaves on the canvas
        std::int64_t bytes = 0;
        unsigned used = 0;  // the redraw that last put it
    };
    // Makes room for a picture of `bytes` by forgetting those of earlier redraws; false when the
    // pictures of this redraw alone fill the cache.
    bool make_room(std::int64_t bytes);
    bool check_component(const ComponentTable& components, int number);
    Entry* make_entry(const OutlinePlace& place, const ComponentTable& components, const PlanView& view,
                            const ComponentLook& look);

    std::unordered_map<OutlineKey, Entry, OutlineKeyHash> entries_;
    std::vector<std::uint64_t> fingerprints_; // by component number; 0 not yet seen
    std::vector<unsigned> checked_;           // by component number: the redraw that last looked
    unsigned redraw_ = 1;
    double zoom_ = 0;
    std::int64_t bytes_ = 0;
    int made_ = 0, put_ = 0;
};

} // namespace halvern
