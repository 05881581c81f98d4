#pragma once
// One colour slot as a line of a design file: in each object record, the first reserved lines
// hold slots 0..5 in order, one line each, filled only for a slot that was given a colour:
//     R G B SR SG SB shininess transparency
// (the colour and specular channels 0..255, shininess and transparency 0..1, one blank between).
// A slot never given keeps its line empty, so the record keeps its length and a reader that skips
// the reserved lines reads the file as before.

#include <optional>
#include <string>
#include <string_view>

#include "plan/plan_table.h"

namespace halvern {

// The line of a given slot.
std::string format_colour_slot(const ColourSlot& slot);

// A given slot from its line; nothing for an empty line. A line that is not eight numbers in range
// gives nothing and says why in `problem`.
std::optional<ColourSlot> parse_colour_slot(std::string_view line, std::string& problem);

} // namespace halvern
