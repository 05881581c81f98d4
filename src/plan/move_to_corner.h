#pragma once
// "Move objects to top": the whole design slides so that its leftmost and topmost end lie 5 cm
// inside the corner of the stand floor.

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr double corner_target = 105; // cm from the plan origin: the floor starts at 100

// Every object moves by the same amount, so that the smallest x and the smallest y over all end
// points become 105. Group objects have no ends and do not count, but move with the rest. False
// (nothing moved) when no object has ends.
bool move_to_corner(PlanTable& plan, const ComponentTable& components);

} // namespace halvern
