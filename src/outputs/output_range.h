#pragma once
// What every output checks before it starts: a stand side or an object's place or size outside the
// plan's range would make an output of gigabytes and hours of work (or none at all), so the output
// is refused with a message naming the stand or the object, before anything is drawn or written.

#include "base/result.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

// The first thing of the design outside the plan's range: the stand's width or depth, else the
// first object (group objects aside: they have no geometry) whose place, size, elevation or
// rotation is not a number within it. The error has no file: the output adds its own.
Result<void> check_output_range(const PlanTable& plan, const StandSettings& stand);

} // namespace halvern
