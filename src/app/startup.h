#pragma once
// Start-up in its order: the tables and settings, the interface texts, the catalogue and the
// library (with the splash showing the progress), the main window with the base project, the
// cursors, the component list, the plan and the library browser. Shutdown is the window's close.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace halvern {

struct Session;
class MainWindow;
class Prompts;
class LoadProgress;

// The initialisation of the session and the library load, while the splash shows the progress.
// Gives the notes of what the load skipped.
std::vector<Error> load_session(Session& session, LoadProgress* progress);

// The main window with the base project, shown; the cursors; the component list, the plan and the
// library browser; then the designs left unsaved by editors that did not end, and `design` (the one
// named on the command line). The load notes and a missing cursor file are reported through
// `prompts`, and start-up goes on.
std::unique_ptr<MainWindow> open_editor(Session& session, Prompts& prompts, const std::vector<Error>& load_notes,
                                        const std::optional<std::filesystem::path>& design = std::nullopt);

struct EditorLaunch {
    std::filesystem::path executable_dir;
    std::optional<std::string> app_dir_variable; // HALVERN_APP_DIR
    std::optional<std::string> app_dir_option;   // --app-dir
    std::optional<std::filesystem::path> design; // a design to open once the editor is up
    std::optional<std::string> lang_option;      // --lang: this run's language
    std::optional<std::chrono::milliseconds> autosave_interval; // HALVERN_AUTOSAVE_MS
};

// The unsaved designs of editors that did not end, offered one by one: Restore makes one the
// design (and ends the offers), Discard removes it, Later keeps it for the next start. Gives the
// file of the design restored ("" for one that had none), nothing when none was.
std::optional<std::string> offer_recovery(MainWindow& window, Prompts& prompts);

// The offers, then `design` when one is named: after its own unsaved work was restored it is open
// already, and loading it again would only ask whether to throw that work away.
void offer_recovery_then_open(MainWindow& window, Prompts& prompts,
                              const std::optional<std::filesystem::path>& design);

// The whole program with its windows; returns the exit code.
int run_editor(int argc, char** argv, const EditorLaunch& launch);

} // namespace halvern
