#pragma once
// The one helper every test that builds a plan by hand starts from.

#include "plan/plan_table.h"

namespace halvern::testing {

// Appends an object by hand (no creation rule: the other fields keep what the entry holds) with
// the given component, position and rotation, in no group and not faded; returns its number.
// Every test that builds a plan by hand starts from this one.
inline int append_object(PlanTable& plan, float component, float x, float y, float rot = 0)
{
    const int i = ++plan.nb_objets;
    const size_t I = size_t(i);
    plan.obj_comp[I] = component;
    plan.obj_x[I] = x;
    plan.obj_y[I] = y;
    plan.obj_rot[I] = rot;
    plan.obj_groupe[I] = 0;
    plan.obj_estompe[I] = -1;
    return i;
}

} // namespace halvern::testing
