#pragma once
// Transparent pictures kept by the platform's surface, for the caches that draw something once and
// then put it at each place it shows: outlines, labels.

#include <cstdint>

#include "geometry/canvas.h"

namespace halvern {

class PictureStore {
public:
    virtual ~PictureStore() = default;
    // A new transparent picture of that size and the canvas that draws into it; nullptr when none
    // can be made. The canvas is valid until end_picture.
    virtual Canvas* begin_picture(int width, int height) = 0;
    // Finishes the picture begun last; its number, or -1 when it was lost or nothing was drawn.
    virtual int end_picture() = 0;
    // Puts picture `number` on the target with its top-left corner at `at`; false when the target
    // cannot take pictures.
    virtual bool put_picture(int number, Canvas& target, Pixel at) = 0;
    // Forgets picture `number`; its number may be given to a later picture.
    virtual void drop_picture(int number) = 0;
    virtual void drop_pictures() = 0;
};

// The eviction the picture caches share: every entry of `entries` (a map to entries with `used`,
// `picture`, -1 for none, and `bytes`) not used in the redraw `current` goes, its picture dropped
// through `drop` and its size taken off `bytes`. Pictures of the redraw under way stay.
template <class Map, class Drop>
void drop_entries_unused_since(Map& entries, unsigned current, std::int64_t& bytes, Drop&& drop)
{
    for (auto k = entries.begin(); k != entries.end();) {
        if (k->second.used == current) {
            ++k;
            continue;
        }
        if (k->second.picture >= 0)
            drop(k->second.picture);
        bytes -= k->second.bytes;
        k = entries.erase(k);
    }
}

} // namespace halvern
