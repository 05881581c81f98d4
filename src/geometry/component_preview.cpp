#include "geometry/component_preview.h"

#include <algorithm>

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
    // A negative size from a damaged file still gives a picture the right way round.
    double zoom = std::min(picture_width / std::abs(width), picture_height / std::abs(depth));
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
