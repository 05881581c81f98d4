#pragma once
// Every menu command of the editor as one row: its number, its French and English labels, the hint
// the status bar shows, its keys, and what says whether it is enabled or checked and what it does.
// The menus, the hints, the check marks and the shortcuts are all built from these rows, so a new
// command is one row, one handler and the two lines of its hint in the language files.

#include <span>

namespace halvern {

struct Session;
class DesignHistory;
class DesignFiles;
class EditCommands;
class ObjectCommands;
class ViewCommands;
class OutputCommands;
class MainWindow;

// What the rows' handlers reach.
struct CommandParts {
    Session& session;
    DesignHistory& history;
    DesignFiles& files;
    EditCommands& edit;
    ObjectCommands& objects;
    ViewCommands& view;
    OutputCommands& outputs;
    MainWindow& window; // its panels, its language and quitting
};

struct EditorCommand {
    int id = 0;
    const char* fr = "";
    const char* en = "";
    int hint = -1;         // the interface text the status bar shows over it, -1 for none
    const char* keys = ""; // Qt's portable key names, "; " between two keys
    bool (*enabled)(CommandParts&) = nullptr; // none: always enabled
    bool (*checked)(CommandParts&) = nullptr; // none: no check mark
    void (*run)(CommandParts&) = nullptr;     // none: greyed out, its window is not there yet
};

std::span<const EditorCommand> editor_commands();
// The row of command `id`, or none.
const EditorCommand* editor_command(int id);

// Download pages of the two outside tools (commands 2 and 3).
inline constexpr const char* octaga_page = "https://www.octaga.com/download-octaga-player/";
inline constexpr const char* capture_page = "https://www.screencapture.com/";

} // namespace halvern
