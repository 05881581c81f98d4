#pragma once
// Building small plans and component tables in tests, without the loader or the catalogue.

#include "library/component_table.h"
#include "plan/plan_table.h"
#include "support/object_builder.h"
#include "support/object_entry.h"

namespace halvern::testing {

// An object appended by hand, standing on the ground with the default height and its front picture.
inline int place(PlanTable& plan, int component, float x, float y, float rot = 0, float hauteur = 228)
{
    return build_object(plan, component, x, y, rot).height(hauteur);
}

// A named component of the given library and footprint.
inline Component& define(ComponentTable& table, int n, double width, double depth, int library = 0)
{
    Component& c = table[n];
    c.name = "component " + std::to_string(n);
    c.width = width;
    c.depth = depth;
    c.library = library;
    return c;
}

} // namespace halvern::testing
