#pragma once
// New, Load, Open, Import, Save and Save as, as the editor runs them: the project commands of the
// core with the unsaved-changes question before and the undo history after. One rule for the
// history: a design replaced by a file (whatever the reader could read of it) starts a fresh
// history; one the reader never touched keeps its own.

#include <QCoreApplication>

#include <filesystem>
#include <functional>
#include <string>

#include "app/design_lock.h"
#include "app/recent_designs.h"

namespace halvern {

struct Session;
class Prompts;
class DesignHistory;

class DesignFiles {
    Q_DECLARE_TR_FUNCTIONS(DesignFiles)
public:
    DesignFiles(Session& session, Prompts& prompts, DesignHistory& history)
        : session_(session), prompts_(prompts), history_(history)
    {
    }

    // Asks what to do with unsaved changes; false when the user cancels (or a save failed).
    bool offer_to_save();
    // Empties the design; false when the user kept the current one (the unsaved question).
    bool new_design();
    void save(bool ask_name);
    // Asks for a file and replaces the design with it.
    void load();
    // Replaces the design with this file, without asking for it (a file named on the command line).
    void open(const std::filesystem::path& file);
    // Asks for a file and appends its objects to the design, as one undo step.
    void import();
    // An entry of File > Recent: asks about unsaved changes, then opens it.
    void open_recent(const std::filesystem::path& file);
    // A copy of an unsaved design left by an editor that did not end: the design becomes that copy,
    // bound to the copy's own file and modified, so that Save writes where the user expects. False
    // when the copy could not be read whole (the user has been told): it must then be kept.
    bool restore(const std::filesystem::path& copy, const std::string& file_name);

    // Open in read-only mode: another editor holds the file, Save asks for a new name.
    bool read_only() const { return read_only_; }
    DesignLock& lock() { return lock_; }
    RecentDesigns& recent() { return recent_; }
    // Where a finished save is told to the user (the window's status bar): a text id and the file.
    void set_status(std::function<void(int text, const std::string& what)> tell) { tell_ = std::move(tell); }

private:
    // Opens `file` unless another editor holds it and the user declines to open it read-only.
    void open_checked(const std::filesystem::path& file);
    // After the design became another file (or none): the lock, the recent list, the title.
    void follow_file();

    Session& session_;
    Prompts& prompts_;
    DesignHistory& history_;
    DesignLock lock_;
    RecentDesigns recent_;
    bool read_only_ = false;
    std::function<void(int, const std::string&)> tell_;
};

} // namespace halvern
