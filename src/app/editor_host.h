#pragma once
// What the pointer interaction asks of the editor: redraws of the plan widget, the cursor, the
// status bar, messages, dialogs, saving and loading, and one undo step per finished gesture.

#include "plan/interaction_host.h"

namespace halvern {

class MainWindow;
class PlanWidget;

class EditorHost : public InteractionHost {
public:
    EditorHost(MainWindow& window, PlanWidget& plan) : window_(window), plan_(plan) {}

    void redraw() override;
    void redraw_live(const LiveOverlay& overlay) override;
    void palette_scrolled(int from, int to) override;
    void view_changed() override;
    void set_cursor(int slot) override;
    void show_status(const std::string& text) override;
    void show_readout(const Readout& readout) override;
    void show_message(const std::string& message) override;
    // The property dialogs open once the interaction call has returned, so that the interaction
    // never goes on over a table that a dialog changed under it: these give false, and the dialog
    // records its own undo step. The object editor comes with its own window; until then a press
    // with Ctrl in the palette changes nothing.
    bool open_object_properties(int object) override;
    bool open_group_properties() override;
    void open_object_editor(int component) override;
    void save_project() override;
    void load_project() override;
    void change_complete(PlanChange change) override;

private:
    MainWindow& window_;
    PlanWidget& plan_;
};

// The name of a change in the undo history.
const char* change_name(PlanChange change);

} // namespace halvern
