// Start-up: settings, interface texts, the library, the cursors, the windows it opens.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QMenuBar>
#include <QProgressBar>

#include "app/main_window.h"
#include "app/session.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "app_test_support.h"

using namespace halvern;
using namespace halvern::testing;

namespace {

QStringList menu_titles(const MainWindow& window)
{
    QStringList titles;
    for (QAction* a : window.menuBar()->actions())
        titles << a->text();
    return titles;
}

} // namespace

TEST(StartUp, OpensTheMainWindowWithTheBaseProjectAndBothAuxiliaryWindows)
{
    InstallFolder folder;
    Editor editor(folder.path());
    MainWindow& window = *editor.window;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Halvern Visual Design[*]");
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_EQ(editor.session->project.file_name, ""); // the base project is no file to save to
    EXPECT_TRUE(window.aux_window_open(AuxWindow::component_list));
    EXPECT_TRUE(window.aux_window_open(AuxWindow::library));
    EXPECT_FALSE(window.aux_window_open(AuxWindow::diagnostic));
    EXPECT_EQ(window.component_list_window()->windowTitle(), "Component list");
    EXPECT_EQ(window.library_window()->windowTitle(), "Library");
    EXPECT_TRUE(editor.prompts.load_errors.empty());
    EXPECT_EQ(menu_titles(window), (QStringList{"File", "Edit", "Object", "Project", "Tools", "View", "?"}));
    EXPECT_EQ(window.zoom_box()->text(), "Auto");
    EXPECT_EQ(window.horizontal_bar()->minimum(), 0);
    EXPECT_EQ(window.horizontal_bar()->maximum(), 200);
    EXPECT_EQ(window.vertical_bar()->value(), 100);
}

TEST(StartUp, StoredLanguageDeLooksForItsTextsAndGivesEnglishMenus)
{
    InstallFolder folder;
    Editor editor(folder.path(), {{"lang", "de"}});
    EXPECT_EQ(editor.session->lang(), "de");
    EXPECT_EQ(menu_titles(*editor.window), (QStringList{"File", "Edit", "Object", "Project", "Tools", "View", "?"}));
    // There is no "de.txt": every text is the English one, and the user is told once.
    EXPECT_EQ(editor.window->component_list_window()->windowTitle(), "Component list");
    ASSERT_EQ(editor.prompts.messages.size(), 1u);
    EXPECT_NE(editor.prompts.messages[0].find("de.txt"), std::string::npos) << editor.prompts.messages[0];
    EXPECT_EQ(editor.action(command::new_project)->text(), "New");
}

TEST(StartUp, FrenchMenusForFrench)
{
    InstallFolder folder;
    Editor editor(folder.path(), {{"lang", "fr"}});
    EXPECT_EQ(menu_titles(*editor.window), (QStringList{"Fichier", "Edition", "objet", "projet", "Outils", "Affichage", "?"}));
    EXPECT_EQ(editor.window->component_list_window()->windowTitle(), "Liste des composants");
}

TEST(StartUp, TheLanguageOptionHoldsForTheRunWithoutReplacingTheStoredOne)
{
    // A stored language, and none stored at all (a first run: the stored one is the default).
    const struct {
        const char* stored; // nullptr: nothing stored
        const char* option;
        const char* kept;
        QStringList menus;
    } cases[] = {
        {"fr", "en", "fr", {"File", "Edit", "Object", "Project", "Tools", "View", "?"}},
        {nullptr, "fr", "en", {"Fichier", "Edition", "objet", "projet", "Outils", "Affichage", "?"}},
    };
    for (const auto& c : cases) {
        InstallFolder folder;
        std::map<std::string, std::string, std::less<>> values;
        if (c.stored)
            values["lang"] = c.stored;
        Editor editor(folder.path(), values, c.option);
        EXPECT_EQ(menu_titles(*editor.window), c.menus) << c.option;
        ASSERT_TRUE(editor.session->store_current_settings().ok());
        auto& stored = static_cast<MemorySettingsStore&>(*editor.session->store).values;
        EXPECT_EQ(stored["lang"], c.kept) << c.option;
        // Saving and opening designs store their folder, never the run's language.
        ScratchDir documents;
        editor.prompts.files.push_back(documents / "stand.qlm");
        editor.window->files().save(true);
        EXPECT_EQ(stored["doc_path"], documents.path().string());
        EXPECT_EQ(stored["lang"], c.kept) << c.option;
        editor.window->files().open(documents / "stand.qlm");
        EXPECT_EQ(stored["lang"], c.kept) << c.option;
        EXPECT_EQ(editor.session->lang(), c.option);
        // The user's own choice is stored and ends the option.
        editor.trigger(c.option == std::string("en") ? command::english : command::french);
        EXPECT_EQ(stored["lang"], c.option);
        EXPECT_FALSE(editor.session->lang_option);
    }
}

TEST(StartUp, AMissingTextShowsItsNumber)
{
    InstallFolder folder;
    folder.write("lib/en.txt", "0=Halvern Visual Design\r\n93=Library\r\n");
    Editor editor(folder.path());
    EXPECT_EQ(editor.window->component_list_window()->windowTitle(), "[72]");
    EXPECT_EQ(editor.window->library_window()->windowTitle(), "Library");
}

TEST(StartUp, AMissingCursorIsReportedOnceAndTheOthersAreUsed)
{
    InstallFolder folder;
    std::filesystem::remove(folder.path() / "lib/cur/zoom.cur");
    Editor editor(folder.path());
    ASSERT_EQ(editor.prompts.load_errors, std::vector<LoadError>{LoadError::file_not_found});
    EXPECT_NE(editor.prompts.messages.back().find("zoom.cur"), std::string::npos);
    const CursorTable& cursors = editor.window->cursors();
    EXPECT_FALSE(cursors.entries[3].has_value());
    EXPECT_EQ(cursors.at(3).shape(), Qt::ArrowCursor);
    ASSERT_TRUE(cursors.entries[4].has_value());
    EXPECT_EQ(cursors.at(4).shape(), Qt::BitmapCursor);
    EXPECT_TRUE(editor.window->isVisible());
}

TEST(StartUp, SettingsWithACommaAndAnUnreadableNumber)
{
    InstallFolder folder;
    Editor editor(folder.path(), {{"config_player", "1,0"}, {"view_qualite", "x"}, {"doc_path", "/somewhere"}});
    EXPECT_EQ(editor.session->shell.settings.config_player, 1);
    EXPECT_EQ(editor.session->shell.settings.view_qualite, 0);
    EXPECT_EQ(editor.session->shell.settings.doc_path, "/somewhere");
    EXPECT_EQ(editor.session->shell.settings.import_path, folder.path().string());
}

TEST(StartUp, TheSplashShowsTheVersionAndTheLibraryProgress)
{
    InstallFolder folder;
    std::filesystem::copy(source_dir() / "tests/fixtures/preview_library/extlib", folder.path() / "extlib",
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    SplashWindow splash(SplashWindow::Kind::startup);
    EXPECT_EQ(splash.findChild<QLabel*>("splash_version")->text(), "Beta 1.11 Build 9100");
    EXPECT_EQ(SplashWindow(SplashWindow::Kind::reload).findChild<QLabel*>("splash_version")->text(),
              "AlphaV 1.11 Build 9100");

    Session session(folder.path(), std::make_unique<MemorySettingsStore>());
    EXPECT_TRUE(load_session(session, &splash).empty());
    EXPECT_EQ(splash.progress()->minimum(), 1);
    EXPECT_EQ(splash.progress()->maximum(), 1);
    EXPECT_EQ(splash.progress()->value(), 1);
    EXPECT_EQ(splash.findChild<QLabel*>("splash_library")->text(), "Shapes");
    EXPECT_EQ(session.libraries.name[1], "Shapes");
    EXPECT_FALSE(session.components[100].is_free());
}

TEST(StartUp, LibraryNotesAreShownAndStartUpGoesOn)
{
    InstallFolder folder;
    folder.write("extlib/lib.index", "1,0,Good\r\n250,1,Out of the table\r\n");
    Editor editor(folder.path());
    ASSERT_FALSE(editor.prompts.messages.empty());
    EXPECT_NE(editor.prompts.messages.front().find("lib.index"), std::string::npos);
    EXPECT_TRUE(editor.window->isVisible());
}
