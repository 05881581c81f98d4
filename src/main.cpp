// The program's entry point: the command line when a command is given; the editor otherwise.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "base/app_dir.h"
#include "cli/cli.h"
#include "platform/qt_settings_store.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);

    halvern::CliEnvironment environment;
    environment.executable_dir = halvern::executable_dir(argc > 0 ? argv[0] : nullptr);
    if (const char* dir = std::getenv("HALVERN_APP_DIR"))
        environment.app_dir_variable = dir;
    environment.open_settings = [] { return std::make_unique<halvern::QtSettingsStore>(); };

    return halvern::run_cli(args, std::cout, std::cerr, environment);
}
