// The program's entry point: the command line when a command is given; the editor otherwise
// (alone, or with a design file to open).

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "base/app_dir.h"
#include "cli/cli.h"
#include "cli/commands.h"
#include "platform/qt_settings_store.h"

namespace {

bool is_command(const std::string& word)
{
    for (const halvern::Command& c : halvern::cli_commands())
        if (c.name == word)
            return true;
    return false;
}

// A design names a file that exists or ends like one; any other word is a mistyped command.
bool looks_like_design(const std::string& word)
{
    std::string lower;
    for (char c : word)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    const bool design_extension = lower.ends_with(".qlm") || lower.ends_with(".vek");
    std::error_code ec;
    return design_extension || std::filesystem::is_regular_file(word, ec);
}

// "halvern" alone, or "halvern DESIGN".
bool opens_editor(const std::vector<std::string>& args)
{
    if (args.empty())
        return true;
    return args.size() == 1 && !args[0].empty() && args[0][0] != '-' && !is_command(args[0])
           && looks_like_design(args[0]);
}

// Qt aborts the process when it finds no display; a user who started the editor over a plain
// terminal deserves a sentence instead of a core dump.
bool display_available()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path executable_dir = halvern::executable_dir(argc > 0 ? argv[0] : nullptr);
    std::optional<std::string> app_dir_variable;
    if (const char* dir = std::getenv("HALVERN_APP_DIR"))
        app_dir_variable = dir;

    if (opens_editor(args)) {
        if (!display_available()) {
            std::cerr << "halvern: no display to open the editor on (DISPLAY is not set); the commands of "
                         "'halvern --help' work without one\n";
            return 1;
        }
        halvern::EditorLaunch launch{executable_dir, app_dir_variable, std::nullopt, std::nullopt, std::nullopt};
        if (!args.empty())
            launch.design = std::filesystem::path(args[0]);
        // How often the unsaved design is kept aside; scripts that test the recovery shorten it.
        if (const char* interval = std::getenv("HALVERN_AUTOSAVE_MS")) {
            char* end = nullptr;
            const long long ms = std::strtoll(interval, &end, 10);
            if (end != interval && *end == '\0' && ms > 0 && ms <= 86'400'000)
                launch.autosave_interval = std::chrono::milliseconds(ms);
            else
                std::cerr << "halvern: HALVERN_AUTOSAVE_MS must be a number of milliseconds from 1 to 86400000; "
                             "the design is kept aside every minute\n";
        }
        return halvern::run_editor(argc, argv, launch);
    }

    halvern::CliEnvironment environment;
    environment.executable_dir = executable_dir;
    environment.app_dir_variable = app_dir_variable;
    environment.open_settings = [] { return std::make_unique<halvern::QtSettingsStore>(); };
    return halvern::run_cli(args, std::cout, std::cerr, environment);
}
