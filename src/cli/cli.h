#pragma once
// The headless front end: "halvern COMMAND [ARGS] [OPTIONS]". Exit 0 on success, 1 for bad input
// or a failed write (a one-line message on stderr naming the file), 2 for a usage error.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/settings.h"

namespace halvern {

inline constexpr int exit_ok = 0;
inline constexpr int exit_bad_input = 1;
inline constexpr int exit_usage = 2;

// What the command line needs from the process around it; tests give their own.
struct CliEnvironment {
    std::filesystem::path executable_dir;
    std::optional<std::string> app_dir_variable; // HALVERN_APP_DIR
    std::function<std::unique_ptr<SettingsStore>()> open_settings;
};

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment);

} // namespace halvern
