#pragma once
// An object as a new entry holds it, for the tests that set every other field themselves.

#include "plan/plan_table.h"
#include "support/object_builder.h"

namespace halvern::testing {

// Appends an object by hand with the given component, position and rotation, and neither height
// nor faces; returns its number.
inline int append_object(PlanTable& plan, float component, float x, float y, float rot = 0)
{
    return build_object(plan, component, x, y, rot).bare();
}

} // namespace halvern::testing
