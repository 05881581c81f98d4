#pragma once
// A design read from a project file for the commands, as Load reads it: the installation's
// library decides which components exist. The base project is never loaded.

#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/command.h"
#include "library/component_table.h"
#include "plan/plan_table.h"
#include "project/project_reader.h"
#include "plan/stand_settings.h"

namespace halvern {

struct CliDesign {
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    ProjectReadResult read;
};

// Loads the library, then reads `file` into an empty design. Notes (dropped objects, replaced
// stand sizes, the capacity) go to stderr. Gives the design, or nothing after printing why the file
// could not be read at all. A design whose file ends early holds what was read; `read.failure` tells
// it, and has been printed.
std::unique_ptr<CliDesign> read_design(const CliContext& context, const std::string& file);

} // namespace halvern
