// The Object menu's gestures of the plan and the plan's menu at a right click: what the right drag,
// the "+" and "m" keys and Ctrl+G/U do, for a hand that does not know them yet.

#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "base/ui_text_ids.h"
#include "dialogs/pickers.h"
#include "plan/dialog_fields.h"
#include "plan/plan_edit.h"
#include "platform/prompts.h"

namespace halvern {

namespace {

QString text_of(const Session& session, int entry) { return QString::fromStdString(session.text(entry)); }

} // namespace

void MainWindow::rotate_chosen(double degrees)
{
    if (!edit_allowed())
        return;
    PlanTable& plan = session_.plan;
    const bool selection = !(plan.valid(plan.index_focus)) && plan.nb_selection > 0;
    if (!plan.valid(plan.index_focus) && plan.nb_selection <= 0) {
        tell(ui::status_nothing_chosen);
        return;
    }
    if (turn_chosen(plan, session_.components, degrees, carried_along(plan_->state(), plan, session_.components)))
        history_.commit(text_of(session_, selection ? ui::step_turn_selection : ui::step_turn));
}

void MainWindow::rotate_by_typed()
{
    if (!edit_allowed())
        return;
    const PlanTable& plan = session_.plan;
    if (!plan.valid(plan.index_focus) && plan.nb_selection <= 0) {
        tell(ui::status_nothing_chosen);
        return;
    }
    std::optional<std::string> typed = pickers_->input_box(session_.text(ui::turn_prompt), "90");
    if (!typed)
        return;
    const std::optional<double> angle = typed_turn(*typed);
    if (!angle) {
        prompts_.warn("Halvern Visual Design", session_.text(ui::turn_refused) + " " + *typed);
        return;
    }
    rotate_chosen(*angle);
}

void MainWindow::append_at_end(int p)
{
    if (!edit_allowed())
        return;
    if (!session_.plan.valid(session_.plan.index_focus)) {
        tell(ui::status_nothing_chosen);
        return;
    }
    // Through the interaction, which hands the step to the undo history as the keys do.
    InteractionContext context = plan_->context();
    append_at_focus(plan_->state(), context, p);
}

void MainWindow::group_chosen(bool group)
{
    if (!edit_allowed())
        return;
    // Exactly the plan's Ctrl+G and Ctrl+U.
    plan_->key_typed(group ? "g" : "u", kk_ctrl);
}

void MainWindow::delete_chosen()
{
    if (!edit_allowed())
        return;
    if (!plan_->delete_pressed())
        tell(ui::status_nothing_chosen);
}

QMenu* MainWindow::context_menu(const InteractionRequest& request)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("plan_context_menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    connect(menu, &QMenu::hovered, this, &MainWindow::menu_hovered);
    // The menu bar's own actions, so that labels, keys and what they do are the same everywhere.
    auto shared = [&](int id) {
        if (QAction* a = command_action(id))
            menu->addAction(a);
    };
    auto own = [&](int id, int text) {
        // The menu bar's key is shown beside our own wording, without being bound twice.
        QString label = text_of(session_, text);
        if (QAction* bar = command_action(id); bar && !bar->shortcut().isEmpty())
            label += QLatin1Char('\t') + bar->shortcut().toString(QKeySequence::NativeText);
        QAction* a = menu->addAction(label);
        a->setObjectName(QStringLiteral("context_%1").arg(id));
        connect(a, &QAction::triggered, this, [this, id] { menu_event(id); });
    };
    if (request.object > 0 || !request.objects.empty()) {
        shared(command::properties);
        menu->addSeparator();
        shared(command::rotate_left);
        shared(command::rotate_right);
        shared(command::rotate_by);
        menu->addSeparator();
        shared(command::append_joined);
        shared(command::append_turned);
        menu->addSeparator();
        shared(command::duplicate);
        shared(command::copy);
        shared(command::delete_chosen);
        const PlanTable& plan = session_.plan;
        const bool grouped = plan.nb_selection > 0 && plan.valid(plan.selection[1]) && plan.obj_groupe[size_t(plan.selection[1])] > 0;
        shared(grouped ? command::ungroup : command::group);
        if (QAction* a = command_action(command::group))
            a->setEnabled(plan.nb_selection > 1);
        // Appending needs one focused object to append to.
        for (int id : {command::append_joined, command::append_turned})
            if (QAction* a = command_action(id))
                a->setEnabled(request.object > 0);
        menu->addSeparator();
        own(command::view_3d, ui::context_show_3d);
    } else {
        shared(command::paste);
        shared(command::select_all);
        menu->addSeparator();
        own(command::zoom_auto, ui::context_zoom_fit);
        own(command::project_form, ui::context_stand);
    }
    // The menu bar's entries are whole again once the menu is gone.
    connect(menu, &QObject::destroyed, this, [this] {
        for (int id : {command::group, command::append_joined, command::append_turned})
            if (QAction* a = command_action(id))
                a->setEnabled(true);
    });
    return menu;
}

void MainWindow::show_context_menu(const InteractionRequest& request, QPoint global)
{
    context_menu(request)->popup(global);
}

} // namespace halvern
