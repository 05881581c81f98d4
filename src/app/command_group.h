#pragma once
// What the editor's command classes share: the design, its history, the prompts, the widget their
// dialogs are modal over, the plan once it exists and the status bar. The classes take these,
// never the main window, so a command can be run and tested without the window's other parts.

#include <functional>
#include <string>

class QWidget;

namespace halvern {

struct Session;
class DesignHistory;
class Prompts;
class PlanWidget;
class Pickers;

struct EditorServices {
    Session& session;
    DesignHistory& history;
    Prompts& prompts;
    QWidget* parent = nullptr;
    PlanWidget* plan = nullptr; // set once the plan area is built
    Pickers* pickers = nullptr;
    // Says in the status bar what was done: interface text `text`, then `what` (a file, a count).
    std::function<void(int text, const std::string& what)> tell;
};

class CommandGroup {
protected:
    explicit CommandGroup(EditorServices& services)
        : session_(services.session), history_(services.history), prompts_(services.prompts), services_(services)
    {
    }

    PlanWidget* plan() const { return services_.plan; }
    QWidget* parent() const { return services_.parent; }
    Pickers& pickers() const { return *services_.pickers; }
    void tell(int text, const std::string& what = {}) const
    {
        if (services_.tell)
            services_.tell(text, what);
    }
    // False while a gesture holds object numbers that an edit could change under it.
    bool edit_allowed() const;
    // After a dialog or a picker moved the import folder, the settings are stored.
    void store_settings_if_changed(const std::string& import_path_before) const;

    Session& session_;
    DesignHistory& history_;
    Prompts& prompts_;
    EditorServices& services_;
};

} // namespace halvern
