#pragma once
// Which part of the palette column lies under a pixel: a component cell, or one of the two halves
// below the last cell that scroll the palette back and forward. The column shows the components of
// the current library, one per 75-pixel cell, starting one scroll offset into the library.

#include "library/component_table.h"

namespace halvern {

inline constexpr int palette_first_cell_y = 40; // the cells start below the column's title band
inline constexpr int palette_cell_height = 75;
inline constexpr int palette_bottom_margin = 40; // kept free under the last cell for "-     +"
inline constexpr int palette_column_width = 75;
inline constexpr int palette_scroll_max = 99;

// As many whole cells as fit between the first cell's top and the bottom margin of a plan area
// `area_height` pixels high; never negative.
int palette_cell_count(double area_height);

// The component shown in cell `cell` of library `library` scrolled by `scroll`.
int palette_component(int library, int cell, int scroll);

// A number above the table, a free number, a hidden component or the group marker is drawn as an
// empty cell and cannot be picked.
bool palette_offers(const ComponentTable& components, int component);

struct PaletteHit {
    enum class Kind { outside, above_cells, cell, scroll_back, scroll_forward };
    Kind kind = Kind::outside;
    int cell = -1;      // cell number, for Kind::cell
    int component = -1; // the component the cell shows, for Kind::cell
};

PaletteHit palette_hit(double pixel_x, double pixel_y, double area_height, int library, int scroll);

// The scroll offset after one step back (-1) or forward (+1), held in 0..palette_scroll_max.
int palette_scrolled(int scroll, int direction);

} // namespace halvern
