#pragma once
// Groups: an object of component 99 names the group; its members point at it through
// `obj_groupe`. Picking one member picks them all; the plan shows the group's outline.

#include <optional>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

// Puts every selected object that is in no group into a new group. Gives the group object's
// number, or 0 when no object was free to group (the table is then as it was). Refused with a
// message when the table has no room for the group object.
Result<int> group_selection(PlanTable& plan);

// Takes the selected objects out of the group of the first selected object and deletes that group
// object (members left unselected leave the group too). False when the first selected object is in
// no group.
bool ungroup_selection(PlanTable& plan);

// Every object leaves its group and every group object is deleted.
void ungroup_all(PlanTable& plan);

// A press on a member: the selection becomes all members of its group, in table order, and the
// focus is cleared. Refused with a message when the group has more members than a selection holds
// (the first 100 are then selected).
Result<void> pick_group(PlanTable& plan, int member);

struct PlanBox {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// Grows `box` to hold the turned footprint (component width by depth) of object i; objects without
// geometry add nothing. The group outline and the centre a selection turns about share this rule.
void include_footprint(std::optional<PlanBox>& box, const PlanTable& plan, const ComponentTable& components, int i);

// The box around the turned footprints (component width by depth) of a group's members; none for a
// group without members.
std::optional<PlanBox> group_box(const PlanTable& plan, const ComponentTable& components, int group);

} // namespace halvern
