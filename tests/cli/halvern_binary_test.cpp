// The real binary, as a user or a script starts it from the staged installation folder.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "support/test_support.h"

namespace {

struct Output {
    int code;
    std::string out;
};

Output run_halvern(const std::string& arguments, const std::string& environment = "")
{
    std::string command = environment + " '" + (halvern::testing::stage_dir() / "halvern").string() + "' "
                          + arguments + " 2>/dev/null";
    Output result{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), n);
    int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

TEST(HalvernBinary, FindsItsDataBesideItself)
{
    halvern::testing::ScratchDir config;
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "' HALVERN_APP_DIR=";
    Output en = run_halvern("text 72 --lang en", env);
    EXPECT_EQ(en.code, 0);
    EXPECT_EQ(en.out, "Component list\n");
    Output fr = run_halvern("--lang fr text 93", env);
    EXPECT_EQ(fr.out, "Biblioth\xC3\xA8que\n");
}

TEST(HalvernBinary, EnvironmentVariableNamesTheInstallationFolder)
{
    halvern::testing::ScratchDir config, app;
    app.write("lib/en.txt", "1=from the variable\r\n");
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "' HALVERN_APP_DIR='" + app.path().string() + "'";
    EXPECT_EQ(run_halvern("text 1", env).out, "from the variable\n");
}

TEST(HalvernBinary, ReadsTheUsersStoredSettings)
{
    halvern::testing::ScratchDir config;
    config.write("Quilma Editor/Quilma Editor.conf", "[Current]\nlang=fr\nconfig_player=1,0\n");
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "' HALVERN_APP_DIR=";
    Output settings = run_halvern("settings", env);
    EXPECT_EQ(settings.code, 0);
    EXPECT_NE(settings.out.find("\nlang=fr\n"), std::string::npos) << settings.out;
    EXPECT_NE(settings.out.find("\nconfig_player=1\n"), std::string::npos) << settings.out;
    EXPECT_EQ(run_halvern("text 72", env).out, "Liste des composants\n");
}

TEST(HalvernBinary, ExitCodes)
{
    halvern::testing::ScratchDir config;
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "'";
    EXPECT_EQ(run_halvern("--help", env).code, 0);
    EXPECT_EQ(run_halvern("nonsense", env).code, 2);
    EXPECT_EQ(run_halvern("text 1 --app-dir /nonexistent/folder", env).code, 1);
}
