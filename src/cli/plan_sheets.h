#pragma once
// What the two sheet commands (print, export-plan) share: the options of the paper, the scale and
// the bill page, and the sheet options made from them for a design.

#include <optional>
#include <vector>

#include "cli/command.h"
#include "cli/project_input.h"
#include "outputs/plan_sheet.h"

namespace halvern {

// Today's date as the title blocks show it on the command line: YYYY-MM-DD.
std::string today();

// The View menu's switches, then the sheet's own options.
std::vector<CommandOption> sheet_command_options();

// The sheet options the command line asks for, with the texts in the chosen language and the
// quote of the design. Nothing (after a usage message) when an option's value is not one offered;
// `usage` then holds the exit code.
std::optional<SheetOptions> sheet_options_from(const CliContext& context, const CliDesign& design, int& usage);

} // namespace halvern
