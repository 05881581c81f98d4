#pragma once
// Two identical objects of the built-in library on top of each other are invisible on the plan
// and counted twice in the bill of materials: the redraw marks them.

#include <vector>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr double duplicate_distance = 5.0;

// The plan does not mark faded objects (their layer is switched off); the design checks look at
// every object whatever the display shows.
enum class FadedObjects { skipped, checked };

// The objects that get a "DOUBLON" mark, ascending. Object i is marked when it is not faded, its
// component is of the built-in library, and another built-in object lies strictly within 5 cm in x
// and in y with exactly the same rotation. Cells of the distance's size make it one pass.
std::vector<int> find_duplicates(const PlanTable& plan, const ComponentTable& components,
                                 FadedObjects faded = FadedObjects::skipped);

// The pairwise scan, kept as the reference the cell method is checked and measured against.
std::vector<int> find_duplicates_plain(const PlanTable& plan, const ComponentTable& components,
                                       FadedObjects faded = FadedObjects::skipped);

} // namespace halvern
