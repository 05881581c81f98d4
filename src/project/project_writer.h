#pragma once
// Writes a design in the current project format.

#include <filesystem>
#include <string>

#include "base/result.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

// The whole file as code page 1252 bytes with CR LF line ends. Texts are written as they are, on
// one line: a line break inside a text becomes a blank.
std::string format_project(const PlanTable& plan, const StandSettings& stand);

// Replaces (or creates) `file` in one step: a failure part way leaves any previous file intact and
// the error names the file.
Result<void> write_project_file(const std::filesystem::path& file, const PlanTable& plan,
                                const StandSettings& stand);

} // namespace halvern
