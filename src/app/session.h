#pragma once
// Everything the editor holds for one run, split by owner: the shell's flags and settings, the
// component and library tables, the design (plan table and stand settings), which file the design
// is, and the view. The windows read and change it; nothing in it points at a window.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "base/settings.h"
#include "base/shell_state.h"
#include "library/component_table.h"
#include "library/library_folders.h"
#include "library/library_loader.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"
#include "project/project_commands.h"
#include "project/project_state.h"
#include "plan/stand_settings.h"

namespace halvern {

struct PropertyContext;

struct Session {
    Session(std::filesystem::path app_dir, std::unique_ptr<SettingsStore> store);

    ShellState shell;
    ComponentTable components;
    LibraryTable libraries;
    PlanTable plan;
    StandSettings stand;
    ProjectState project;
    ViewState view;
    std::unique_ptr<SettingsStore> store;
    // A language given for this run ("--lang"): it wins over the stored one, which it does not
    // replace; a language command of the menus ends it.
    std::optional<std::string> lang_option;
    // The user's own folder that takes what an installation the user cannot write would have
    // taken (definition files), and that loading reads over the installation; empty for none.
    std::filesystem::path user_dir;
    // How an installation folder is judged writable; the real check when empty.
    std::function<bool(const std::filesystem::path&)> folder_writable;

    LibraryFolders library_folders() const { return {shell.app_dir, user_dir, folder_writable}; }

    const std::filesystem::path& app_dir() const { return shell.app_dir; }
    Settings& settings() { return shell.settings; }
    const std::string& lang() const { return shell.settings.lang; }
    std::string text(int entry) const { return shell.ui_text.get(entry); }

    void read_stored_settings();
    Result<void> store_current_settings();
    // The interface texts of the current language; a missing file leaves the placeholders.
    void load_interface_texts();

    // Start-up's initialisation: settings, interface texts, the built-in catalogue, settings again.
    void initialise();
    // The definition files of every library, then the price table (after `initialise`, or after
    // the catalogue was rebuilt for a new language). Gives the notes of what was skipped.
    std::vector<Error> load_library(LoadProgress* progress);
    // A new language: the catalogue in it, the library reloaded, its interface texts. The library
    // strip stays on the library it showed when that library still exists.
    std::vector<Error> change_language(const std::string& lang, LoadProgress* progress);

    // What the project file operations need; the dialogs and messages come from the window.
    ProjectContext project_context(ProjectDialogs& dialogs, ProjectMessages& messages);
    // The part of the run the property dialogs read and change.
    PropertyContext property_context();
};

} // namespace halvern
