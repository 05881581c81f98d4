#pragma once
// One command of the command line, and what it is handed when it runs.

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "base/settings.h"

namespace halvern {

struct CommandOption {
    std::string_view name;  // "--format"
    bool takes_value;
    std::string_view help;
    std::string_view value_name = "VALUE"; // shown in the help: "--format tsv|json"
};

struct CliContext {
    std::filesystem::path app_dir;
    std::string lang;       // --lang, else the stored setting, else "en"
    Settings settings;      // after read_settings
    SettingsStore& store;
    std::vector<std::string> args;                              // positional arguments after the command
    std::map<std::string, std::string, std::less<>> options;    // the command's own options as given
    std::ostream& out;
    std::ostream& err;
    std::filesystem::path user_dir = {}; // the user's overlay of the installation, or empty

    bool has_option(std::string_view name) const { return options.find(name) != options.end(); }
    std::optional<std::string> option(std::string_view name) const;

    // "halvern: FILE[:LINE]: message" on stderr; returns the exit code of bad input.
    int fail(const Error& error) const;
    // "halvern: message" and a hint to --help; returns the exit code of a usage error.
    int usage_error(std::string_view message) const;
};

struct Command {
    std::string_view name;
    std::string_view arguments;  // "N", "FILE", "export|import FILE"
    std::string_view summary;
    size_t min_args;
    size_t max_args;
    std::vector<CommandOption> options;
    int (*run)(CliContext&);
    // A design command may write over the file it read (convert in place, drop -o FILE); every
    // other command's outputs never replace a file it read (see InputFiles).
    bool may_replace_its_input = false;
};

// Every command, in the order --help lists them.
const std::vector<Command>& cli_commands();

// The command of this name, or nullptr.
const Command* find_command(std::string_view name);

} // namespace halvern
