#pragma once
// What the three plan-drawing commands (render, blueprint, print) share: the View menu's switches
// as options, and reading the design they draw.

#include <vector>

#include "cli/command.h"
#include "plan/view_state.h"

namespace halvern {

std::vector<CommandOption> render_command_options();
std::vector<CommandOption> blueprint_command_options();
std::vector<CommandOption> print_command_options();
// The pack's resolution, bleed and roll width, and the display switches of its small plans.
std::vector<CommandOption> print_pack_command_options();

// The view a window opens with, with the switches the options name turned on.
ViewState view_from_switches(const CliContext& context);

} // namespace halvern
