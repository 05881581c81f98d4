#pragma once
// Plan objects as text, for copy, cut, paste and duplicate: within one design, between two designs
// and through the system clipboard. What travels is the field table's clipboard column: the object
// as the user made it, but its group (a pasted object belongs to no group). The text opens with its
// own header line, then one line per object of tab-separated fields: position, rotation, component,
// sizes, faces, texts and pictures, the six colour slots a design file keeps, then the two end-code
// overrides when the object has one (a line without them is read as an object without overrides,
// so that the texts of earlier versions paste, and theirs read ours when there is no override).

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/plan_ends.h"
#include "plan/plan_table.h"
#include "project/design_state.h"

namespace halvern {

inline constexpr std::string_view copied_objects_header = "Halvern Visual Design objects 1";
// The clipboard's type for our own text; the same text is also offered as plain text.
inline constexpr std::string_view copied_objects_mime = "application/x-halvern-objects";

// One copied object under the names of the plan's arrays: the fields the clipboard keeps hold the
// original's values; the others stay at their defaults and are never pasted.
using CopiedObject = ObjectRecord;

// The focused object, else the selected objects in selection order; group objects are left out.
std::vector<int> focused_or_selected(const PlanTable& plan);

std::vector<CopiedObject> copy_objects(const PlanTable& plan, const std::vector<int>& objects);
std::string format_copied_objects(const std::vector<CopiedObject>& objects);
// Refuses a text that is not ours, or a line that is damaged, naming the line.
Result<std::vector<CopiedObject>> parse_copied_objects(std::string_view text);

// Appends the objects moved by (dx, dy). A component that is not loaded is refused before anything
// is added; a table that fills up keeps what it could take and says so in `problem`. Gives the new
// objects' numbers.
Result<std::vector<int>> paste_objects(PlanTable& plan, const ComponentTable& components,
                                       const std::vector<CopiedObject>& objects, double dx, double dy,
                                       std::string& problem);

// The middle of the objects' reference points: where a paste at the pointer puts the pointer.
PlanPoint copied_centre(const std::vector<CopiedObject>& objects);

} // namespace halvern
