#include "app/editor_host.h"

#include <QPointer>
#include <QStatusBar>

#include <algorithm>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/prompts.h"
#include "app/session.h"

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
    case PlanChange::object_properties:
        return "Properties";
    case PlanChange::group_properties:
        return "Group properties";
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

bool EditorHost::open_object_properties(int object)
{
    // The object is named by its number and its component: should anything renumber the table
    // before the dialog opens, it opens on nothing rather than on another object.
    const int component = window_.session().plan.comp(object);
    QPointer<MainWindow> window(&window_);
    QMetaObject::invokeMethod(
        &window_,
        [window, object, component] {
            if (window && window->session().plan.valid(object) && window->session().plan.comp(object) == component)
                window->open_object_properties(object);
        },
        Qt::QueuedConnection);
    return false;
}

bool EditorHost::open_group_properties()
{
    // The interaction empties the selection when it returns; the dialog works on it as it was.
    const PlanTable& plan = window_.session().plan;
    std::vector<std::pair<int, int>> members;
    for (int s = 1; s <= std::min(plan.nb_selection, max_selection); ++s)
        members.emplace_back(plan.selection[size_t(s)], plan.comp(plan.selection[size_t(s)]));
    QPointer<MainWindow> window(&window_);
    QMetaObject::invokeMethod(
        &window_,
        [window, members] {
            if (!window)
                return;
            std::vector<int> objects;
            for (auto [i, component] : members)
                if (window->session().plan.valid(i) && window->session().plan.comp(i) == component)
                    objects.push_back(i);
            window->open_group_properties(objects);
        },
        Qt::QueuedConnection);
    return false;
}

void EditorHost::open_object_editor(int) {}

void EditorHost::save_project() { window_.save_design(false); }

void EditorHost::load_project() { window_.load_design(); }

void EditorHost::change_complete(PlanChange change) { window_.design_edited(QString::fromLatin1(change_name(change))); }

} // namespace halvern
