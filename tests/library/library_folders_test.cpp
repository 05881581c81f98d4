// The user's overlay folder: saves the installation cannot take go there, and loading reads it
// over the installed library folders.

#include <gtest/gtest.h>

#include "base/text_file.h"
#include "library/builtin_catalogue.h"
#include "library/definition_file.h"
#include "library/library_folders.h"
#include "library/library_loader.h"
#include "support/plan_builder.h"
#include "support/test_support.h"

using namespace halvern;
using halvern::testing::ScratchDir;

namespace {

std::string definition(int n, const std::string& name, int width)
{
    return std::to_string(n) + "\r\n0\r\n" + name + "\r\n" + std::to_string(width) + "\r\n20\r\n30\r\n";
}

class LibraryFoldersTest : public ::testing::Test {
protected:
    ScratchDir app, user;
    ComponentTable components;
    LibraryTable libraries;

    void SetUp() override
    {
        app.write("extlib/lib.index", "1,0,One\r\n2,1,Two\r\n");
        app.write("extlib/2/counter.lib", definition(205, "Counter", 120));
        app.write("extlib/2/counter.dat", "");
    }
    LibraryFolders read_only() const
    {
        return {app.path(), user.path(), [](const std::filesystem::path&) { return false; }};
    }
    std::vector<Error> load()
    {
        return load_component_tables(app.path(), "en", components, libraries, nullptr, user.path());
    }
};

} // namespace

TEST_F(LibraryFoldersTest, ASaveTheInstallationCannotTakeGoesToTheUsersFolder)
{
    ASSERT_TRUE(load().empty());
    const std::string installed = read_file_bytes(app / "extlib/2/counter.lib", 1 << 20).value();
    components[205].width = 150;
    const Result<std::filesystem::path> saved = save_definition_file(read_only(), components, 205);
    ASSERT_TRUE(saved.ok()) << saved.error().text();
    EXPECT_EQ(*saved, user / "extlib" / "2" / "counter.lib");
    EXPECT_TRUE(std::filesystem::exists(*saved));
    EXPECT_EQ(read_file_bytes(app / "extlib/2/counter.lib", 1 << 20).value(), installed);

    // A writable installation is written in place.
    components[205].width = 160;
    LibraryFolders writable = read_only();
    writable.writable = [](const std::filesystem::path&) { return true; };
    const Result<std::filesystem::path> in_place = save_definition_file(writable, components, 205);
    ASSERT_TRUE(in_place.ok());
    EXPECT_EQ(*in_place, app / "extlib" / "2" / "counter.lib");

    // A library the installation has no folder for is refused, overlay or not.
    halvern::testing::define(components, 305, 10, 10, 3).file_name = "shelf.lib";
    const Result<std::filesystem::path> refused = save_definition_file(read_only(), components, 305);
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().file, app / "extlib" / "3");
    EXPECT_FALSE(std::filesystem::exists(user / "extlib" / "3"));
}

TEST_F(LibraryFoldersTest, LoadingReadsTheUsersFolderOverTheInstalledOne)
{
    user.write("extlib/2/counter.lib", definition(205, "Counter, widened", 150));
    user.write("extlib/2/206.lib", definition(206, "New counter", 90));
    user.write("extlib/1/nothing.txt", "not a definition");
    ASSERT_TRUE(load().empty());
    EXPECT_EQ(components[205].name, "Counter, widened");
    EXPECT_DOUBLE_EQ(components[205].width, 150);
    EXPECT_TRUE(components[205].has_3d); // its 3D companion stays in the installation
    EXPECT_EQ(components[206].name, "New counter");
    EXPECT_EQ(components[206].library, 2);
    EXPECT_EQ(components[206].file_name, "206.lib");
    EXPECT_FALSE(components[206].has_3d);

    // Without the overlay the installation alone is read.
    ComponentTable alone;
    ASSERT_TRUE(load_component_tables(app.path(), "en", alone, libraries).empty());
    EXPECT_EQ(alone[205].name, "Counter");
    EXPECT_TRUE(alone[206].name.empty());
}

TEST(FolderAcceptsFiles, OnlyAnExistingFolder)
{
    ScratchDir dir;
    EXPECT_TRUE(folder_accepts_files(dir.path()));
    EXPECT_FALSE(folder_accepts_files(dir / "missing"));
    EXPECT_FALSE(folder_accepts_files(dir.write("file.txt", "x")));
}
