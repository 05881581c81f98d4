#pragma once
// The commands' entry points; each lives in a file of its own.

#include "cli/command.h"

namespace halvern {

int cmd_settings(CliContext& context);
int cmd_text(CliContext& context);

} // namespace halvern
