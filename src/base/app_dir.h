#pragma once
// Finding the installation folder that holds lib/, extlib/ and temp/.

#include <filesystem>
#include <optional>
#include <string>

namespace halvern {

// In this order: the "--app-dir" option, the HALVERN_APP_DIR environment variable, the folder of
// the executable. Blanks around a given value are trimmed.
std::filesystem::path find_app_dir(const std::optional<std::string>& option,
                                   const std::optional<std::string>& environment,
                                   const std::filesystem::path& executable_dir);

// The folder of the running executable, or "" when it cannot be told.
std::filesystem::path executable_dir(const char* argv0);

} // namespace halvern
