// The real binary, as a user or a script starts it from the staged installation folder.

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>

#include "support/test_support.h"

namespace {

struct Output {
    int code;
    std::string out;
};

Output run_halvern(const std::string& arguments, const std::string& environment = "",
                   const std::string& stderr_file = "/dev/null")
{
    std::string command = environment + " '" + (halvern::testing::stage_dir() / "halvern").string() + "' "
                          + arguments + " 2>'" + stderr_file + "'";
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

TEST(HalvernBinary, ListsTheShippedLibraryWithoutALoadNote)
{
    halvern::testing::ScratchDir config;
    const std::string err = (config.path() / "stderr.txt").string();
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "' HALVERN_APP_DIR=";
    Output listed = run_halvern("library", env, err);
    EXPECT_EQ(listed.code, 0);
    EXPECT_EQ(halvern::testing::read_bytes(err), "");
    // Catalogue lines (library 0 and 23) and file components over several libraries.
    std::set<std::string> libraries;
    int file_components = 0, catalogue = 0;
    size_t start = 0;
    while (start < listed.out.size()) {
        size_t end = listed.out.find('\n', start);
        std::string line = listed.out.substr(start, end - start);
        start = end == std::string::npos ? listed.out.size() : end + 1;
        size_t tab = line.find('\t');
        std::string library = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
        if (library == "0" || library == "23")
            ++catalogue;
        else if (library != "100") {
            ++file_components;
            libraries.insert(library);
        }
    }
    EXPECT_GE(catalogue, 50);
    EXPECT_GE(file_components, 40);
    EXPECT_GE(libraries.size(), 5u);
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

// Pipes and devices are never read: each gets a message instead of a wait or an endless read. The
// command runs under `timeout`, so a reader that waits fails the test instead of hanging it.
TEST(HalvernBinary, PipesAndDevicesGetAMessageNotAWait)
{
    halvern::testing::ScratchDir config;
    std::filesystem::create_directories(config.path() / "Quilma Editor");
    ASSERT_EQ(mkfifo((config.path() / "Quilma Editor" / "Quilma Editor.conf").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((config.path() / "design.qlm").c_str(), 0600), 0);
    const std::string err = (config.path() / "stderr.txt").string();
    std::string env = "XDG_CONFIG_HOME='" + config.path().string() + "' HALVERN_APP_DIR= timeout 60";

    Output settings = run_halvern("settings", env, err);
    EXPECT_EQ(settings.code, 0);
    EXPECT_NE(halvern::testing::read_bytes(err).find("Quilma Editor.conf: is not a regular file"), std::string::npos)
        << halvern::testing::read_bytes(err);
    EXPECT_NE(settings.out.find("\nlang=en\n"), std::string::npos); // the defaults

    Output pipe = run_halvern("info '" + (config.path() / "design.qlm").string() + "'", env, err);
    EXPECT_EQ(pipe.code, 1);
    EXPECT_NE(halvern::testing::read_bytes(err).find("design.qlm"), std::string::npos);
    EXPECT_EQ(run_halvern("info /dev/zero", env, err).code, 1);
    EXPECT_NE(halvern::testing::read_bytes(err).find("/dev/zero"), std::string::npos);
}
