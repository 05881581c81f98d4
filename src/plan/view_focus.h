#pragma once
// Bringing one object into view, as a click on a finding of the checks does: the view centres on
// the object, and zooms in when the object would be too small to see at the present zoom.

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"

namespace halvern {

// The smallest size, in pixels, at which an object is looked for without zooming; below it the
// view zooms in until the object fills a quarter of the area's shorter side (at most zoom 10).
inline constexpr double focus_min_pixels = 40;
inline constexpr double focus_max_zoom = 10;

// Centres the view of an area of width x height pixels (palette column included) on object i;
// false (and the view unchanged) for a group object, no object or an empty area. The zoom no
// longer follows the stand afterwards, or the next redraw would fit the stand again.
bool focus_on_object(ViewState& view, const PlanTable& plan, const ComponentTable& components, int i, double width,
                     double height);

} // namespace halvern
