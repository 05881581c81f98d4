#pragma once
// Findings the user hid for one design. Each object keeps the findings hidden on it as bits
// (`obj_checks_hidden`), so that a deletion, an undo or a copy of the table carries them like any
// other field. Design files hold them in one header line: "0" when none is hidden, otherwise
// "hide:" and the hidden findings as "kind/object/end" joined by ";" ("hide:overlap/3/0;angle/7/2").

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "plan/design_checks.h"
#include "plan/plan_table.h"

namespace halvern {

struct HiddenFinding {
    CheckKind kind = CheckKind::outside_floor;
    int object = 0;
    int end = 0; // 0, 1 or 2
    friend bool operator==(const HiddenFinding&, const HiddenFinding&) = default;
};

// The bit of a kind and end in `obj_checks_hidden`; 0 for an end outside 0..2.
std::uint32_t hidden_bit(CheckKind kind, int end);

bool is_hidden(const PlanTable& plan, const Finding& finding);
void set_hidden(PlanTable& plan, const Finding& finding, bool hidden);
// Flags the findings the plan's objects hide.
void mark_hidden(const PlanTable& plan, std::vector<Finding>& findings);

// Every hidden finding of the plan, by object, then kind, then end.
std::vector<HiddenFinding> hidden_findings(const PlanTable& plan);

// The header line of a design file.
std::string format_hidden_line(const PlanTable& plan);

// The findings a header line names; "0" names none. An entry that names no finding is left out
// with a message naming it (the caller adds the file and line), and the others are kept: one
// damaged entry must not show again every finding the user hid. A line that is neither "0" nor
// "hide:..." names none, with a message.
struct HiddenLine {
    std::vector<HiddenFinding> findings;
    std::vector<std::string> problems;
};
HiddenLine parse_hidden_line(std::string_view line);

} // namespace halvern
