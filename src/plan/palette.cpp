#include "plan/palette.h"

#include <algorithm>

namespace halvern {

int palette_cell_count(int height)
{
    return std::max(0, (height - palette_head - palette_foot) / palette_cell_height);
}

namespace {

bool offered(const ComponentTable& components, int library, int number)
{
    if (!ComponentTable::valid(number) || number == group_component || number > 100 * library + 99)
        return false;
    const Component& c = components[number];
    return !c.is_free() && c.hidden == 0;
}

} // namespace

PaletteLayout palette_layout(const ComponentTable& components, const LibraryTable& libraries,
                             const PaletteState& palette, int height)
{
    PaletteLayout layout;
    const int library = LibraryTable::valid(libraries.current_library) ? libraries.current_library : 0;
    const int offset = std::clamp(palette.offset, 0, palette_offset_max);
    const int count = palette_cell_count(height);
    layout.cells.reserve(size_t(count));
    for (int c = 0; c < count; ++c) {
        PaletteCell cell;
        cell.rect = {0, palette_head + palette_cell_height * c, palette_width, palette_cell_height};
        cell.component = 100 * library + c + offset;
        cell.pickable = offered(components, library, cell.component);
        layout.cells.push_back(cell);
    }
    layout.foot_top = palette_head + palette_cell_height * count;
    const int foot_height = std::max(0, height - layout.foot_top);
    const int half = palette_width / 2;
    layout.scroll_back = {0, layout.foot_top, half, foot_height};
    layout.scroll_forward = {half, layout.foot_top, palette_width - half, foot_height};
    return layout;
}

PaletteHit palette_hit(const PaletteLayout& layout, double x, double y)
{
    PaletteHit hit;
    if (!(x >= 0 && x < palette_width))
        return hit;
    const int count = int(layout.cells.size());
    if (y > palette_head && y < palette_head + double(palette_cell_height) * count) {
        const int c = std::clamp(int((y - palette_head) / palette_cell_height), 0, count - 1);
        hit.kind = PaletteHit::Kind::cell;
        hit.cell = c;
        hit.component = layout.cells[size_t(c)].pickable ? layout.cells[size_t(c)].component : -1;
    } else if (y >= layout.foot_top) {
        hit.kind = x < palette_width / 2.0 ? PaletteHit::Kind::scroll_back : PaletteHit::Kind::scroll_forward;
    }
    return hit;
}

bool scroll_palette(PaletteState& palette, int step)
{
    const int moved = std::clamp(palette.offset + step, 0, palette_offset_max);
    const bool changed = moved != palette.offset;
    palette.offset = moved;
    return changed;
}

} // namespace halvern
