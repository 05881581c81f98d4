#include "plan/palette_hit.h"

#include <algorithm>
#include <cmath>

namespace halvern {

int palette_cell_count(double area_height)
{
    const double room = area_height - palette_first_cell_y - palette_bottom_margin;
    if (!(room > 0))
        return 0;
    return int(std::floor(room / palette_cell_height));
}

int palette_component(int library, int cell, int scroll) { return 100 * library + cell + scroll; }

bool palette_offers(const ComponentTable& components, int component)
{
    if (!ComponentTable::valid(component) || component == group_component)
        return false;
    const Component& c = components[component];
    return !c.is_free() && c.hidden == 0;
}

PaletteHit palette_hit(double pixel_x, double pixel_y, double area_height, int library, int scroll)
{
    PaletteHit hit;
    if (!(pixel_x >= 0 && pixel_x < palette_column_width))
        return hit;
    const int cells = palette_cell_count(area_height);
    const double cells_end = palette_first_cell_y + double(palette_cell_height) * cells;
    if (pixel_y >= cells_end) {
        hit.kind = pixel_x < palette_column_width / 2.0 ? PaletteHit::Kind::scroll_back
                                                         : PaletteHit::Kind::scroll_forward;
        return hit;
    }
    if (!(pixel_y > palette_first_cell_y)) {
        hit.kind = PaletteHit::Kind::above_cells;
        return hit;
    }
    hit.kind = PaletteHit::Kind::cell;
    hit.cell = std::min(cells - 1, int((pixel_y - palette_first_cell_y) / palette_cell_height));
    hit.component = palette_component(library, hit.cell, scroll);
    return hit;
}

int palette_scrolled(int scroll, int direction)
{
    return std::clamp(scroll + (direction < 0 ? -1 : 1), 0, palette_scroll_max);
}

} // namespace halvern
