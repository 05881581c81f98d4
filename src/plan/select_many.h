#pragma once
// Choosing many objects at once: select all, and the objects an import or a paste brought. The
// selection holds at most `max_selection` objects; beyond that the first ones are taken and the
// caller tells the user. A single object becomes the focused object rather than a selection of
// one, as a lasso around one object does.

#include <vector>

#include "plan/plan_table.h"

namespace halvern {

// Replaces the focus and the selection by `objects` (those without an outline left out). False
// when some did not fit into the selection.
bool select_objects(PlanTable& plan, const std::vector<int>& objects);

// Every object that is drawn and not faded. False when some did not fit into the selection.
bool select_all(PlanTable& plan);

// Moves the focused object, else the selected objects, by (dx, dy) centimetres, and `also` (what
// they carry) with them. False when there was nothing to move.
bool nudge_objects(PlanTable& plan, float dx, float dy, const std::vector<int>& also = {});

} // namespace halvern
