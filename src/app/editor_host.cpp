#include "app/editor_host.h"

#include <QStatusBar>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "platform/prompts.h"

namespace halvern {

int change_name(PlanChange change)
{
    switch (change) {
    case PlanChange::placement:
        return ui::step_place;
    case PlanChange::move:
        return ui::step_move;
    case PlanChange::copy:
        return ui::step_copy;
    case PlanChange::selection_move:
        return ui::step_move_selection;
    case PlanChange::turn:
        return ui::step_turn;
    case PlanChange::selection_turn:
        return ui::step_turn_selection;
    case PlanChange::deletion:
        return ui::step_delete;
    case PlanChange::grouping:
        return ui::step_group;
    case PlanChange::ungrouping:
        return ui::step_ungroup;
    case PlanChange::append:
        return ui::step_append;
    case PlanChange::faces:
        return ui::step_pictures;
    }
    return ui::step_edit;
}

void EditorHost::redraw() { plan_.redraw(); }

void EditorHost::redraw_live(const LiveOverlay& overlay) { plan_.redraw_live(overlay); }

void EditorHost::palette_scrolled(int from, int to) { plan_.slide_palette(from, to); }

void EditorHost::view_changed() { window_.history().notify(Change::view); }

void EditorHost::set_cursor(int slot) { window_.set_cursor(slot); }

void EditorHost::show_status(const std::string& text)
{
    window_.statusBar()->showMessage(QString::fromStdString(text));
}

void EditorHost::show_readout(const Readout& readout) { plan_.show_readout(readout); }

void EditorHost::show_message(const std::string& message) { window_.prompts().warn("Halvern Visual Design", message); }

void EditorHost::change_complete(PlanChange change)
{
    window_.history().commit(QString::fromStdString(window_.session().text(change_name(change))));
}

} // namespace halvern
