#pragma once
// New, Load, Open, Import, Save and Save as, as the editor runs them: the project commands of the
// core with the unsaved-changes question before and the undo history after. One rule for the
// history: a design replaced by a file (whatever the reader could read of it) starts a fresh
// history; one the reader never touched keeps its own.

#include <QCoreApplication>

#include <filesystem>
#include <functional>
#include <string>

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
    // Where a finished save is told to the user (the window's status bar): a text id and the file.
    void set_status(std::function<void(int text, const std::string& what)> tell) { tell_ = std::move(tell); }

private:
    std::function<void(int, const std::string&)> tell_;
    Session& session_;
    Prompts& prompts_;
    DesignHistory& history_;
};

} // namespace halvern
