#include "geometry/component_preview.h"

#include <algorithm>
#include <cmath>

namespace halvern {

ComponentPreview fit_preview(const ComponentTable& components, int component, int picture_width,
                             int picture_height, double angle, int detail)
{
    ComponentPreview p;
    double width = 100, depth = 100;
    if (ComponentTable::valid(component)) {
        const Component& c = components[component];
        width = c.width == 0 ? 100 : c.width;
        depth = c.depth == 0 ? 100 : c.depth;
        p.look.object_width = c.width;
        p.look.object_depth = c.depth;
    }
    // A turned component is fitted by the box around its turned footprint, so no corner is cut
    // off; unturned, that box is the footprint itself. A negative size from a damaged file still
    // gives a picture the right way round.
    constexpr double degrees = 0.017453292519943295;
    const double ca = std::abs(std::cos(angle * degrees)), sa = std::abs(std::sin(angle * degrees));
    const double box_width = std::abs(width) * ca + std::abs(depth) * sa;
    const double box_depth = std::abs(width) * sa + std::abs(depth) * ca;
    // The outline's right and bottom edges land on pixel `size * zoom`: fitting to one pixel less
    // keeps them inside the picture instead of just past it.
    const double room_x = std::max(1, picture_width - 1), room_y = std::max(1, picture_height - 1);
    double zoom = std::min(room_x / box_width, room_y / box_depth);
    p.view.zoom = zoom > 0 ? zoom : 1;
    p.look.component = component;
    p.look.x = picture_width / 2.0 / p.view.zoom;
    p.look.y = picture_height / 2.0 / p.view.zoom;
    p.look.angle = angle;
    p.look.detail = detail;
    p.look.end_code = "OO";
    return p;
}

} // namespace halvern
