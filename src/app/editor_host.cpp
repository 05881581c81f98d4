#include "app/editor_host.h"

#include <QStatusBar>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/prompts.h"

namespace halvern {

const char* change_name(PlanChange change)
{
    switch (change) {
    case PlanChange::placement:
        return "Place";
    case PlanChange::move:
        return "Move";
    case PlanChange::copy:
        return "Copy";
    case PlanChange::selection_move:
        return "Move the selection";
    case PlanChange::turn:
        return "Turn";
    case PlanChange::selection_turn:
        return "Turn the selection";
    case PlanChange::deletion:
        return "Delete";
    case PlanChange::grouping:
        return "Group";
    case PlanChange::ungrouping:
        return "Ungroup";
    case PlanChange::append:
        return "Append";
    case PlanChange::faces:
        return "Pictures";
    }
    return "Edit";
}

void EditorHost::redraw() { plan_.redraw(); }

void EditorHost::redraw_live(const LiveOverlay& overlay) { plan_.redraw_live(overlay); }

void EditorHost::palette_scrolled(int from, int to) { plan_.slide_palette(from, to); }

void EditorHost::view_changed() { window_.view_changed(); }

void EditorHost::set_cursor(int slot) { window_.set_cursor(slot); }

void EditorHost::show_status(const std::string& text)
{
    window_.statusBar()->showMessage(QString::fromStdString(text));
}

void EditorHost::show_readout(const Readout& readout) { plan_.show_readout(readout); }

void EditorHost::show_message(const std::string& message) { window_.prompts().warn("Halvern Visual Design", message); }

void EditorHost::change_complete(PlanChange change) { window_.design_edited(QString::fromLatin1(change_name(change))); }

} // namespace halvern
