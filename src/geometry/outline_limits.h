#pragma once
// Outlines given as point lists are drawn up to a fixed number of points. A component whose list
// is longer is drawn cut short wherever it appears, so the user is told once, when the library is
// loaded, rather than left to wonder at a shape with a piece missing.

#include <filesystem>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"

namespace halvern {

// One note per component whose point list holds more points than are drawn, naming its definition
// file under `app_dir` (or the component, for one that has no file).
std::vector<Error> long_outline_notes(const ComponentTable& components, const std::filesystem::path& app_dir);

} // namespace halvern
