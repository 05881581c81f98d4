#pragma once
// The headless front end: "halvern COMMAND [ARGS] [OPTIONS]". Exit 0 on success, 1 for bad input
// or a failed write (a one-line message on stderr naming the file), 2 for a usage error.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/settings.h"

namespace halvern {

inline constexpr int exit_ok = 0;
inline constexpr int exit_bad_input = 1;
inline constexpr int exit_usage = 2;
// Something was found (a check's finding, a face not printed): a workflow can stop on it, as it
// stops on bad input.
inline constexpr int exit_findings = 3;

// What the command line needs from the process around it; tests give their own.
struct CliEnvironment {
    std::filesystem::path executable_dir;
    std::optional<std::string> app_dir_variable; // HALVERN_APP_DIR
    std::function<std::unique_ptr<SettingsStore>()> open_settings;
    // The user's overlay of the installation, read over its library folders; empty for none.
    std::filesystem::path user_dir;
};

// The words of a line read as one without a command: the options every command takes, and the
// other words in order. What the editor is started with.
struct CommonOptions {
    std::optional<std::string> app_dir;
    std::optional<std::string> lang; // as given: lang_option_error says whether it is one we speak
    bool help = false;
    std::vector<std::string> words;
    std::string problem;          // the usage error of a misused option, empty when none
    bool unknown_option = false;  // the problem is an option no line without a command takes
};
CommonOptions read_common_options(const std::vector<std::string>& args);

// The usage error for a --lang value the program does not speak.
std::optional<std::string> lang_option_error(std::string_view lang);

int run_cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const CliEnvironment& environment);

} // namespace halvern
