// The 3D commands of the editor: the three views hand temp/temp.wrl to the viewer, the export asks
// for a file and copies the pictures beside it.

#include <gtest/gtest.h>

#include <QAction>

#include "app/app_test_support.h"
#include "app/main_window.h"
#include "app/menu_tables.h"
#include "app/session.h"

namespace fs = std::filesystem;
using namespace halvern;
using namespace halvern::testing;

namespace {

struct SceneEditor : ::testing::Test {
    SceneEditor()
    {
        const fs::path stage = stage_dir();
        for (const auto& entry : fs::directory_iterator(stage / "lib"))
            if (entry.path().extension() == ".dat")
                fs::copy_file(entry.path(), install.path() / "lib" / entry.path().filename());
        fs::copy(stage / "extlib" / "tex", install.path() / "extlib" / "tex", fs::copy_options::recursive);
        editor = std::make_unique<Editor>(install.path());
        place_object(*editor->session, 3, 300, 200);
        editor->window->set_scene_opener([this](const fs::path& file) {
            opened.push_back(file);
            return viewer_found;
        });
    }
    InstallFolder install;
    std::unique_ptr<Editor> editor;
    std::vector<fs::path> opened;
    bool viewer_found = true;
};

} // namespace

TEST_F(SceneEditor, TheViewsWriteTheTemporarySceneAndOpenIt)
{
    for (int command : {command::view_3d, command::structure_3d, command::coloured_3d}) {
        ASSERT_TRUE(editor->action(command)->isEnabled());
        editor->trigger(command);
    }
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened.back(), install.path() / "temp" / "temp.wrl");
    const std::string scene = read_bytes(opened.back());
    EXPECT_EQ(scene.rfind("#VRML V2.0 utf8", 0), 0u);
    EXPECT_NE(scene.find("for the coloured view"), std::string::npos); // the last one was the coloured view
    EXPECT_TRUE(editor->prompts.messages.empty());

    viewer_found = false;
    editor->trigger(command::view_3d);
    ASSERT_EQ(editor->prompts.messages.size(), 1u);
    EXPECT_NE(editor->prompts.messages[0].find("Problem with the 3D player"), std::string::npos);
    EXPECT_TRUE(fs::exists(install.path() / "temp" / "temp.wrl")); // the scene stays
}

TEST_F(SceneEditor, TheExportAsksForAFileAndCopiesThePictures)
{
    ScratchDir out;
    editor->trigger(command::export_3d); // cancelled: nothing written
    EXPECT_TRUE(fs::is_empty(out.path()));
    editor->prompts.files.push_back(out / "stand");
    editor->trigger(command::export_3d);
    ASSERT_FALSE(editor->prompts.requests.empty());
    EXPECT_EQ(editor->prompts.requests.back().filter, "VRML|*.wrl;");
    EXPECT_TRUE(fs::exists(out / "stand.wrl"));
    EXPECT_TRUE(fs::exists(out / "void_sol.jpg"));
    EXPECT_EQ(editor->session->settings().export_path, out.path().string());
    EXPECT_TRUE(opened.empty());
}

TEST(SceneCommands, MissingFragmentsAreNamed)
{
    InstallFolder install;
    Editor editor(install.path());
    editor.window->set_scene_opener([](const fs::path&) { return true; });
    editor.trigger(command::view_3d);
    ASSERT_FALSE(editor.prompts.messages.empty());
    EXPECT_NE(editor.prompts.messages[0].find("nav02.dat introuvable"), std::string::npos);
}
