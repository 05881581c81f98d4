#include "plan/view_state.h"

#include <algorithm>

#include "base/numbers.h"

namespace halvern {

PixelPoint ViewState::to_pixel(double x, double y, bool column) const
{
    return {(column ? palette_width : 0) + zoom * (x + decal_x), zoom * (y + decal_y)};
}

PixelPoint ViewState::to_plan(double pixel_x, double pixel_y, bool column) const
{
    return {(pixel_x - (column ? palette_width : 0)) / zoom - decal_x, pixel_y / zoom - decal_y};
}

void set_offsets_from_bars(ViewState& view, int h, int v)
{
    view.decal_x = float(-scroll_step_cm * (h - scroll_middle));
    // The vertical bar moves the view as every desktop program does: further down the bar shows
    // what lies further down the plan.
    view.decal_y = float(-scroll_step_cm * (v - scroll_middle));
}

int horizontal_bar(const ViewState& view)
{
    return std::clamp(round_to_int((2000.0 - view.decal_x) / scroll_step_cm), 0, 2 * scroll_middle);
}

int vertical_bar(const ViewState& view)
{
    return std::clamp(round_to_int(scroll_middle - view.decal_y / scroll_step_cm), 0, 2 * scroll_middle);
}

double fitted_zoom(double width, double height, double stand_largeur, double stand_profondeur)
{
    return std::min(width / (100.0 * (stand_largeur + 2)), height / (100.0 * (stand_profondeur + 2)));
}

namespace {
void reset_offsets(ViewState& view)
{
    view.decal_x = view.decal_y = 0;
    view.view_valid = false;
}
} // namespace

void zoom_preset(ViewState& view, double zoom)
{
    view.zoom_auto = false;
    view.zoom = zoom;
    reset_offsets(view);
}

void zoom_auto(ViewState& view)
{
    view.zoom_auto = true;
    reset_offsets(view);
}

void zoom_in(ViewState& view)
{
    view.decal_x -= 100;
    view.decal_y -= 100;
    view.zoom_auto = false;
    view.zoom = std::min(view.zoom + 1, 10.0);
    view.view_valid = false;
}

void zoom_out(ViewState& view)
{
    view.zoom_auto = false;
    view.zoom -= 1;
    if (view.zoom < 1)
        view.zoom = 0.5;
    view.view_valid = false;
}

std::string zoom_text(const ViewState& view)
{
    if (view.zoom_auto)
        return "Auto";
    return format_number(round_half_away(view.zoom * 100 * 100) / 100) + "%";
}

} // namespace halvern
