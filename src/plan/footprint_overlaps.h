#pragma once
// Objects that stand in each other: their turned footprints overlap and so do their height ranges,
// each by more than the joining tolerance (a panel resting on the floor covering, two frames side
// by side, a shelf on top of a counter only touch). Two objects joined at an end are never an
// overlap: the frames of a corner cross where they meet.
//
// The search sorts the objects into square cells of a grid and tests only objects that share a
// cell, each pair once; the plain version tests every pair and is the reference the grid is held
// to and measured against.

#include <utility>
#include <vector>

#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

// A turned rectangle on the plan and the heights it fills.
struct Footprint {
    double x = 0, y = 0;        // centre
    double half_w = 0, half_d = 0;
    double cos_a = 1, sin_a = 0;
    double bottom = 0, top = 0; // elevation and elevation + height
    double left = 0, top_y = 0, right = 0, bottom_y = 0; // its box on the plan
    bool usable = false;        // an object with geometry and a component in the library
};

// The object's footprint: its own width and depth (`obj_largeur`, `obj_profondeur`, which the plan
// draws), or the component's where the object has none.
Footprint footprint_of(const PlanTable& plan, const ComponentTable& components, int i);

// The overlapping pairs (i < j), ordered by i then j.
std::vector<std::pair<int, int>> find_overlaps(const PlanTable& plan, const ComponentTable& components);
std::vector<std::pair<int, int>> find_overlaps_plain(const PlanTable& plan, const ComponentTable& components);

} // namespace halvern
