// The program's entry point: the command line when a command is given; the editor otherwise
// (alone, or with a design file to open).

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "base/app_dir.h"
#include "base/numbers.h"
#include "cli/cli.h"
#include "cli/editor_line.h"
#include "platform/qt_settings_store.h"
#include "platform/user_folder.h"

namespace {

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

// How often the unsaved design is kept aside; scripts that test the recovery shorten it.
std::optional<std::chrono::milliseconds> autosave_interval()
{
    const char* value = std::getenv("HALVERN_AUTOSAVE_MS");
    if (!value)
        return std::nullopt;
    if (std::optional<int> ms = halvern::parse_strict_int(value, 1, 86'400'000))
        return std::chrono::milliseconds(*ms);
    std::cerr << "halvern: HALVERN_AUTOSAVE_MS must be a number of milliseconds from 1 to 86400000; "
                 "the design is kept aside every minute\n";
    return std::nullopt;
}

} // namespace

using halvern::EditorLine;

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path executable_dir = halvern::executable_dir(argc > 0 ? argv[0] : nullptr);
    std::optional<std::string> app_dir_variable;
    if (const char* dir = std::getenv("HALVERN_APP_DIR"))
        app_dir_variable = dir;

    if (std::optional<EditorLine> editor = halvern::editor_line(args)) {
        if (!editor->error.empty()) {
            std::cerr << "halvern: " << editor->error << "\n";
            return halvern::exit_usage;
        }
        if (!display_available()) {
            std::cerr << "halvern: no display to open the editor on (DISPLAY is not set); the commands of "
                         "'halvern --help' work without one\n";
            return 1;
        }
        const halvern::EditorLaunch launch{executable_dir, app_dir_variable, editor->app_dir, editor->design,
                                           editor->lang, autosave_interval()};
        return halvern::run_editor(argc, argv, launch);
    }

    halvern::CliEnvironment environment;
    environment.executable_dir = executable_dir;
    environment.app_dir_variable = app_dir_variable;
    environment.open_settings = [] { return std::make_unique<halvern::QtSettingsStore>(); };
    environment.user_dir = halvern::user_data_folder();
    return halvern::run_cli(args, std::cout, std::cerr, environment);
}
