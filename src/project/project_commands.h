#pragma once
// The five operations on project files: Save, Save as, Load, Import, and the base project read at
// start-up. The editor plugs in its file choosers and message boxes through two small interfaces,
// and redraws the plan after each command (after a load or an import it also clears view_valid).

#include <filesystem>
#include <optional>
#include <string>

#include "base/load_error.h"
#include "base/result.h"
#include "base/settings.h"
#include "base/ui_text.h"
#include "library/component_table.h"
#include "plan/plan_table.h"
#include "project/project_format.h"
#include "project/project_reader.h"
#include "project/project_state.h"
#include "plan/stand_settings.h"

namespace halvern {

// What a file chooser is asked to show.
struct FileDialogRequest {
    std::string title;             // an interface text
    std::string folder;            // where it opens
    std::string default_extension; // without the dot
    std::string filter;            // "Quilma File|*.qlm"
    std::string suggested_name;    // may be empty
};

class ProjectDialogs {
public:
    virtual ~ProjectDialogs() = default;
    // The chosen file; nothing or an empty path when the user gave no name.
    virtual std::optional<std::filesystem::path> choose_open(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> choose_save(const FileDialogRequest& request) = 0;
};

class ProjectMessages {
public:
    virtual ~ProjectMessages() = default;
    // Error 1 (objects of missing components left out: once per read, however many) or error 2 (a
    // file that cannot be read, or ends early) of load_error; `detail` names the file and line.
    virtual void load_error(LoadError code, const Error& detail) = 0;
    // Something the read replaced or refused while it went on (a stand size, the capacity, the
    // settings store).
    virtual void note(const Error& note) = 0;
    // A write failed; the previous file is intact.
    virtual void write_failed(const Error& error) = 0;
};

// Everything the operations read and change.
struct ProjectContext {
    PlanTable& plan;
    StandSettings& stand;
    ProjectState& state;
    Settings& settings; // doc_path follows Save, Save as and Load
    SettingsStore& store;
    const ComponentTable& components;
    const UiText& ui_text;
    std::filesystem::path app_dir;
    ProjectDialogs& dialogs;
    ProjectMessages& messages;
};

enum class CommandOutcome {
    done,
    cancelled, // no name given: nothing changed
    failed,    // reported through the messages; a read keeps what it read
};

// What a load did. When the reader ran (the file could be read, if only in part) the design was
// replaced by what it read, and `read` says how far it got; otherwise the design is untouched.
struct LoadOutcome {
    CommandOutcome outcome = CommandOutcome::cancelled;
    std::optional<ProjectReadResult> read;

    bool replaced() const { return read.has_value(); }
};

// Menu 98: writes to the project file, or asks like Save as when the design has none.
CommandOutcome save_project(ProjectContext& context);
// Menu 96: asks for a name (".qlm" appended unless the name holds it), then writes.
CommandOutcome save_project_as(ProjectContext& context);
// Writes the design in the current format; on success the design is that file and the document
// path its folder. An empty path does nothing.
CommandOutcome write_project(ProjectContext& context, const std::filesystem::path& path);

// The file chooser of Load; nothing when the user gave no name.
std::optional<std::filesystem::path> ask_design_to_load(ProjectContext& context);
// Menu 99: asks for a file and replaces the design with it. A file that cannot be read at all
// leaves the design as it was.
LoadOutcome load_project_command(ProjectContext& context);
// Replaces the design with this file, of whichever format its first line says, without asking
// for it (a file named on the command line).
LoadOutcome open_project(ProjectContext& context, const std::filesystem::path& path);
// Replaces the design with a copy kept aside (an unsaved design written while the editor ran); the
// design becomes `file_name` again, the file the copy was made of, so that Save writes where the
// user expects. The copy's folder never becomes the document folder. A copy that cannot be read
// whole leaves the design with no file.
LoadOutcome recover_project(ProjectContext& context, const std::filesystem::path& copy,
                            const std::string& file_name);
// Menu 94: asks for a file and appends its objects to the design. Never changes the project file.
CommandOutcome import_project_command(ProjectContext& context);

// How a load adopts its file: a file of the current format that was read whole becomes the project
// file; one that failed leaves the design with no project file, so that Save asks and the damaged
// file is never overwritten. A file of the old format replaces the stand values (not the wall
// mask) also on import, and never becomes the project file; after a load, Save as offers its
// name with ".qlm".

// Start-up: "lib/base.qlm" of the installation folder replaces the design; the design then has no
// project file and the plain title.
CommandOutcome load_base_project(ProjectContext& context);
std::filesystem::path base_project_path(const std::filesystem::path& app_dir);

} // namespace halvern
