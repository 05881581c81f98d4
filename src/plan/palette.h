#pragma once
// The palette column at the left of the plan window: the components of the current library in
// cells 75 pixels high below a 40-pixel head, and under the last cell the two halves that scroll
// the palette back and forward. The drawing and the pointer both read the layout from here, so a
// click always lands on the cell that was drawn.

#include <optional>
#include <vector>

#include "geometry/canvas.h"
#include "library/component_table.h"
#include "plan/view_state.h"

namespace halvern {

inline constexpr int palette_head = 40;        // pixels above the first cell
inline constexpr int palette_cell_height = 75;
inline constexpr int palette_foot = 40;        // room kept under the cells for the scroll halves
inline constexpr int palette_offset_max = 99;

// What the pointer changes: the scroll offset (components skipped at the top), and while the cells
// slide after a scroll, how many pixels they are drawn away from their rest.
struct PaletteState {
    int offset = 0;
    int slide = 0;
    int armed = -1; // the picked component that waits to be placed: its cell is marked
};

struct PaletteCell {
    PixelRect rect;
    int component = 0; // 100 x library + cell + offset
    bool pickable = false;
};

struct PaletteLayout {
    std::vector<PaletteCell> cells;
    int foot_top = palette_head; // the scroll halves: from here to the bottom of the column
    PixelRect scroll_back;       // left half, "-"
    PixelRect scroll_forward;    // right half, "+"
};

// As many cells as fit between the head and the foot of a column `height` pixels high.
int palette_cell_count(int height);

// A cell is empty (drawn blank, never picked) when its number is past 5000 or past the library's
// own hundred numbers, free, hidden, or the group marker.
PaletteLayout palette_layout(const ComponentTable& components, const LibraryTable& libraries,
                             const PaletteState& palette, int height);

struct PaletteHit {
    enum class Kind { none, cell, scroll_back, scroll_forward };
    Kind kind = Kind::none;
    int cell = -1;      // kind cell: the cell's index
    int component = -1; // kind cell: its component when it can be picked, else -1
};

// What a press at pixel (x, y) of the window reaches: a cell strictly between the head and the
// foot, or a scroll half (left of 37.5 pixels back, right of it forward) from the foot down.
PaletteHit palette_hit(const PaletteLayout& layout, double x, double y);

// Moves the offset by `step` cells, kept within 0..99. True when it moved.
bool scroll_palette(PaletteState& palette, int step);

} // namespace halvern
