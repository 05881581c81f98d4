#pragma once
// Labels kept as pictures: a block of text lines (its texts, their places below one another, the
// size, the colour and the drawing state) is drawn once into a transparent picture and then put
// beside every object that shows the same label. Texts are drawn at whole pixels, so a label looks
// the same wherever it stands, and none of it depends on the zoom: the pictures outlive zooms and
// scrolls. Only the anti-aliased glyph edges, laid on transparency first, can come out a level or
// two of 255 apart from the text drawn directly.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "geometry/canvas.h"
#include "geometry/picture_store.h"

namespace halvern {

struct LabelLine {
    Pixel offset; // the line's top-left corner from the label's place
    std::string text;
    friend bool operator==(const LabelLine&, const LabelLine&) = default;
};

// The lines drawn directly, in the canvas's colour and state.
void draw_label(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size_points);

class LabelCache {
public:
    explicit LabelCache(std::unique_ptr<PictureStore> store);

    // When a limit is reached the pictures no redraw since the last one has put go first; when the
    // redraw itself needs more, its other labels are drawn directly.
    static constexpr int max_entries = 8192;
    static constexpr std::int64_t max_bytes = 64LL << 20; // 4 bytes a pixel
    static constexpr std::int64_t max_picture_pixels = 512 * 512;

    // Draws the label as draw_label would, from a kept picture where it can.
    void draw(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size_points);
    // Draws the outline of the ellipse in `box` as the canvas's ellipse would, in its colour, line
    // and smoothness, from a kept picture where it can: the marks a plan repeats at hundreds of
    // ends cost a picture each instead of a smooth stroke.
    void draw_ring(Canvas& target, PixelRect box);
    void begin_redraw() { ++redraw_; }
    void clear();

    int entries() const { return int(entries_.size()); }
    std::int64_t bytes() const { return bytes_; }
    int pictures_made() const { return made_; }
    int pictures_put() const { return put_; }

private:
    // A label, or a ring when `ring` has a size (the ellipse's box, drawn at the place).
    struct Key {
        std::vector<LabelLine> lines;
        double size = 0;
        DrawState state;
        Pixel ring;
        friend bool operator==(const Key&, const Key&) = default;
    };
    // A label looked up without copying its lines.
    struct KeyView {
        std::span<const LabelLine> lines;
        double size = 0;
        DrawState state;
        Pixel ring;
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(const Key& key) const { return (*this)(KeyView{key.lines, key.size, key.state, key.ring}); }
        std::size_t operator()(const KeyView& key) const;
    };
    struct KeyEqual {
        using is_transparent = void;
        bool operator()(const Key& a, const Key& b) const { return a == b; }
        bool operator()(const KeyView& a, const Key& b) const;
        bool operator()(const Key& a, const KeyView& b) const { return (*this)(b, a); }
    };
    struct Entry {
        int picture = -1;   // -1: nothing to draw
        int dx = 0, dy = 0; // the picture's corner from the label's place
        std::int64_t bytes = 0;
        unsigned used = 0;
    };
    bool make_room(std::int64_t bytes);
    const Entry* make_entry(Key key);
    // Puts the kept picture of `view`, made first when there is none; false when it has to be
    // drawn directly.
    bool put(Canvas& target, Pixel at, const KeyView& view);
    static void draw_key(Canvas& target, Pixel at, std::span<const LabelLine> lines, double size, Pixel ring);

    std::unique_ptr<PictureStore> store_;
    std::unordered_map<Key, Entry, KeyHash, KeyEqual> entries_;
    unsigned redraw_ = 1;
    std::int64_t bytes_ = 0;
    int made_ = 0, put_ = 0;
};

} // namespace halvern
