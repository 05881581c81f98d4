#pragma once
// What the editor's widget tests share: a QApplication for the whole test binary, prompts that
// answer from a script and remember what they were asked, and an installation folder with the
// program's own interface files.

#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/menu_tables.h"
#include "platform/prompts.h"
#include "support/test_support.h"

class QAction;
class QWidget;

namespace halvern {
class MainWindow;
struct Session;
} // namespace halvern

namespace halvern::testing {

class ScriptedPrompts : public Prompts {
public:
    std::optional<std::filesystem::path> choose_open(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> choose_save(const FileDialogRequest& request) override;
    void load_error(LoadError code, const Error& detail) override;
    void note(const Error& note) override;
    void write_failed(const Error& error) override;
    UnsavedChoice ask_unsaved(const std::string& design_name) override;
    void inform(const std::string& title, const std::string& text) override;
    void warn(const std::string& title, const std::string& text) override;
    // Prints into this PDF file when one is given; otherwise the print is cancelled.
    bool choose_printer(QPrinter& printer) override;
    std::filesystem::path print_to;
    RestoreChoice ask_restore(const std::string& file_name, const std::string& time) override;
    bool ask_read_only(const std::string& file_name, const std::string& host, long long pid) override;
    bool open_page(const std::string& url) override;
    bool browser = true; // whether a page can be shown
    std::vector<std::string> pages;

    // Answers given in order; an empty queue answers "no file".
    std::deque<std::filesystem::path> files;
    UnsavedChoice unsaved_answer = UnsavedChoice::cancel;

    std::vector<FileDialogRequest> requests;
    std::vector<LoadError> load_errors;
    std::vector<std::string> messages; // notes, warnings and failed writes
    int unsaved_questions = 0;
    std::string unsaved_name; // the design the last question named

    RestoreChoice restore_answer = RestoreChoice::later;
    std::vector<std::string> restore_questions; // the file names offered
    bool read_only_answer = false;
    bool confirm(const std::string& title, const std::string& question) override;
    bool confirm_answer = false;
    std::vector<std::string> confirm_questions;
    std::vector<long long> read_only_questions; // the processes named
};

// An installation folder: the interface texts, icons, cursors and base project of the build's
// staged folder, and nothing in extlib.
class InstallFolder {
public:
    InstallFolder();
    const std::filesystem::path& path() const { return dir_.path(); }
    std::filesystem::path write(std::string_view name, std::string_view bytes) const { return dir_.write(name, bytes); }

private:
    ScratchDir dir_;
};

// A started editor over an installation folder, with settings kept in memory.
struct Editor {
    explicit Editor(const std::filesystem::path& app_dir, std::map<std::string, std::string, std::less<>> stored = {},
                    std::optional<std::string> lang_option = {});
    ~Editor();
    ScriptedPrompts prompts;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> window;

    QAction* action(int command) const;
    // Triggers a menu entry as a click would.
    void trigger(int command) const;
};

// The zoom command of a preset factor (1 for 100 %).
int zoom_command(double factor);

// Runs `act` on the modal window named `name` once it is the active one, within a few turns of the
// event loop (a window opened after the event that asked for it comes a little later); a window
// that never comes fails the test.
void when_window_opens(const QString& name, std::function<void(QWidget&)> act, int turns = 40);

// Places an object of a component and returns its number.
int place_object(Session& session, int component, float x, float y, float rot = 0);

} // namespace halvern::testing
