#pragma once
// The toolbar's layer filters: a released filter button fades every object it matches, so that it
// is drawn pale and cannot be picked. Which libraries each filter covers is fixed by the toolbar.

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"

namespace halvern {

// Every object back to normal display, then every object matched by a filter that is off faded;
// the focus and the selection are emptied (nothing faded may stay picked).
void apply_layer_filters(PlanTable& plan, const ComponentTable& components, const ViewState& view);

// Whether a filter that is off fades object i: "vek" library 0, "acc_vek" libraries 1, 11, 12
// and 13, "stand" libraries 2 to 7, "elevation" objects raised above the ground.
bool faded_by_filters(const PlanTable& plan, const ComponentTable& components, const ViewState& view, int i);

} // namespace halvern
