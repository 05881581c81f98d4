// The plan's menu at a right click: the menu bar's own actions for an object or a selection, and a
// few for the empty plan.

#include <QAction>
#include <QMenu>

#include "app/main_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"

namespace halvern {

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
        QString label = QString::fromStdString(session_.text(text));
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

} // namespace halvern
