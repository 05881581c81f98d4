#pragma once
// Runs the command line in-process against an installation folder, with settings kept in memory
// (never the user's own).

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace halvern::testing {

struct CliRun {
    int code;
    std::string out, err;
};

inline CliRun run_cli_in(const std::filesystem::path& app_dir, const std::vector<std::string>& args,
                         const std::map<std::string, std::string, std::less<>>& stored = {},
                         const std::filesystem::path& user_dir = {})
{
    CliEnvironment env;
    env.executable_dir = app_dir;
    env.user_dir = user_dir;
    env.open_settings = [stored] {
        auto store = std::make_unique<MemorySettingsStore>();
        store->values = stored;
        return store;
    };
    std::ostringstream out, err;
    int code = run_cli(args, out, err, env);
    return {code, out.str(), err.str()};
}

} // namespace halvern::testing
