#pragma once
// The component tables as the commands see them: the built-in catalogue and every library of the
// installation folder, in the chosen language. Load notes go to stderr; they never stop a command.

#include <vector>

#include "base/result.h"
#include "cli/command.h"
#include "library/component_table.h"

namespace halvern {

void print_notes(const CliContext& context, const std::vector<Error>& notes);

void load_tables(const CliContext& context, ComponentTable& components, LibraryTable& libraries);

} // namespace halvern
