#pragma once
// A component's outline as drawing exchange geometry: the same drawing the plan shows, made once
// for the component unturned at the origin, in millimetres with y pointing up (towards the back
// of the stand), as polylines whose arcs stay arcs (a bulge on the vertex that starts them).

#include <vector>

#include "geometry/component_drawing.h"
#include "library/component_table.h"

namespace halvern {

struct DxfVertex {
    double x = 0, y = 0; // millimetres from the component's centre
    double bulge = 0;    // tan(sweep / 4) of the arc to the next vertex, positive anticlockwise
};

struct DxfPath {
    std::vector<DxfVertex> points;
    bool closed = false;
};

// How finely the outline is drawn before it is read back: pixels per centimetre. A tenth of a
// millimetre, and the largest object the plan allows still lies inside the drawing's range.
inline constexpr double dxf_outline_zoom = 100;

// The outline of `look` (its position and angle are ignored: the block is placed by its
// insertion). Filled and outlined figures alike become outlines; texts and shading are left out.
std::vector<DxfPath> component_outline_paths(const ComponentTable& components, ComponentLook look);

} // namespace halvern
