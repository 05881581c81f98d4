#include "plan/view_focus.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "plan/footprint_overlaps.h"

namespace halvern {

bool focus_on_object(ViewState& view, const PlanTable& plan, const ComponentTable& components, int i, double width,
                     double height)
{
    const double area_w = width - palette_width;
    if (!(area_w > 0 && height > 0))
        return false;
    Footprint f = footprint_of(plan, components, i);
    if (!f.usable && plan.valid(i) && !plan.is_group(i)) {
        // An object of a missing component has no size, but it has a place.
        f.x = f.left = f.right = plan.obj_x[size_t(i)];
        f.y = f.top_y = f.bottom_y = plan.obj_y[size_t(i)];
        f.usable = std::isfinite(f.x + f.y);
    }
    if (!f.usable)
        return false;
    const double size = std::max({f.right - f.left, f.bottom_y - f.top_y, 1.0});
    double zoom = view.zoom > 0 && std::isfinite(view.zoom) ? view.zoom : 1;
    if (size * zoom < focus_min_pixels)
        zoom = std::max(zoom, std::min(focus_max_zoom, std::min(area_w, height) / 4 / size));
    view.zoom_auto = false;
    view.zoom = zoom;
    view.decal_x = float(area_w / (2 * zoom) - f.x);
    view.decal_y = float(height / (2 * zoom) - f.y);
    view.view_valid = false;
    return true;
}

} // namespace halvern
