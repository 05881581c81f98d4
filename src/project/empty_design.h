#pragma once
// How a design that replaces the current one (New, Load, the base project) begins.

#include "plan/plan_table.h"
#include "project/project_state.h"

namespace halvern {

// An empty table in which no stored number (focus, selection) names an object of the old design,
// and no project file: a read that follows adopts its file when it may.
void start_empty_design(PlanTable& plan, ProjectState& state);

} // namespace halvern
