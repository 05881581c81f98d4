#pragma once
// Adding and removing plan objects, and the selection list.
//
// Every operation that adds an object or a selection entry checks the capacity and returns a
// message naming the limit instead of writing past the table. Every deletion keeps the references
// to objects (group membership, focus, selection, colour slots) naming the objects they named
// before, and removes a group that has lost its last member.

#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/plan_table.h"

namespace halvern {

inline constexpr int marked_for_deletion = -1; // `obj_comp` of an object the next purge removes

// The next number for a new object, with every field as a fresh object has it (nothing of an
// object that held the number before survives: texts, pictures, group, overrides, colours).
Result<int> append_entry(PlanTable& plan);

// A new object of component `component` at (x, y), focused; the selection is emptied.
Result<int> create_object(PlanTable& plan, const ComponentTable& components, int component, float x = 0,
                          float y = 0);

// A copy of the focused object at (x, y), focused, keeping what the field table's Alt-drag column
// keeps: the shape, the faces and their pictures, but neither texts, end-code overrides, group nor
// colours.
Result<int> copy_object(PlanTable& plan, float x, float y);
// The same copy of object `from`, leaving the focus alone.
Result<int> copy_object_from(PlanTable& plan, int from, float x, float y);

// A new object of component `component` attached to end 2 of the focused object, at one of two
// angles (p = 0 or 1) that the drawing styles of both components decide. Gives 0 when nothing is
// appended (no focus, or a component whose style has no rule).
Result<int> append_object(PlanTable& plan, const ComponentTable& components, int component, int p);

// Removes object k and moves every object behind it down by one. False when k is not an object.
bool delete_object(PlanTable& plan, int k);

// Removes every object marked for deletion.
void delete_marked(PlanTable& plan);

// Removes every group object that no longer has a member.
void purge_groups(PlanTable& plan);

// The Delete key: removes the focused object and every selected object, exactly those the user
// chose (and `also`, what they carry), then clears the focus and the selection. False when there
// was nothing to delete.
bool delete_focused_and_selected(PlanTable& plan, const std::vector<int>& also = {});

// Appends object i to the selection; refused beyond the selection's capacity. An object already
// selected is not added twice.
Result<void> select_object(PlanTable& plan, int i);
void clear_selection(PlanTable& plan);
// The selected objects, in selection order.
std::vector<int> selected_objects(const PlanTable& plan);
bool is_selected(const PlanTable& plan, int i);

// What a stored object number n names after object k was deleted: 0 for k itself (the reference is
// cleared), one less behind k. For references kept outside the table, such as the hovered object.
int renumbered_after_deletion(int n, int k);

// A rotation read from a project file: a whole number of degrees in 0..359.
float normalize_loaded_rotation(float rot);

} // namespace halvern
