#pragma once
// What the pointer interaction asks of the editor during a call: redraws of the plan widget, the
// cursor, the status bar, messages, and one undo step per finished gesture.

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
    void change_complete(PlanChange change) override;

private:
    MainWindow& window_;
    PlanWidget& plan_;
};

// The interface text that names a change in the undo history.
int change_name(PlanChange change);

} // namespace halvern
