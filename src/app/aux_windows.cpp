#include "app/main_window.h"

// The helper windows beside the plan: the component list and the library live in docks, the
// diagnostic window floats; each is made the first time it is asked for.

#include <QDockWidget>
#include <QScreen>

#include "app/component_list_window.h"
#include "app/diagnostic_window.h"
#include "app/library_window.h"
#include "app/session.h"
#include "base/ui_text_ids.h"

namespace halvern {

void MainWindow::open_aux_window(AuxWindow which)
{
    const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    switch (which) {
    case AuxWindow::component_list:
        if (!component_list_) {
            component_list_ = new ComponentListWindow(session_, history_.notifier(), this);
            connect(component_list_, &ComponentListWindow::copied, this, [this] { tell(ui::status_list_copied); });
            connect(component_list_, &ComponentListWindow::export_csv_requested, this,
                    [this] { outputs_.export_quote_csv(); });
            connect(component_list_, &ComponentListWindow::export_xlsx_requested, this,
                    [this] { outputs_.export_quote_xlsx(); });
            component_list_dock_ = make_dock(component_list_, QStringLiteral("dock_component_list"));
        }
        component_list_dock_->show();
        component_list_dock_->raise();
        break;
    case AuxWindow::diagnostic:
        if (!diagnostic_)
            diagnostic_ = new DiagnosticWindow(session_, history_.notifier(), this);
        diagnostic_->move(screen.right() - 800, screen.bottom() - 150 - diagnostic_->height());
        diagnostic_->show();
        break;
    case AuxWindow::library:
        if (!library_window_) {
            library_window_ = new LibraryWindow(session_, history_.notifier(), this);
            connect(library_window_, &LibraryWindow::edit_requested, this, [this](int component) {
                carry_out({InteractionRequest::Kind::object_editor, 0, {}, component});
            });
            connect(library_window_, &LibraryWindow::arm_requested, this, [this](int component) {
                edit_.arm_component(component);
            });
            library_dock_ = make_dock(library_window_, QStringLiteral("dock_library"));
            if (component_list_dock_ && dockWidgetArea(component_list_dock_) == Qt::RightDockWidgetArea &&
                !component_list_dock_->isFloating())
            {
                splitDockWidget(component_list_dock_, library_dock_, Qt::Vertical);
                // The list needs a few rows; the library's cells want the room.
                resizeDocks({component_list_dock_, library_dock_}, {height() * 2 / 5, height() * 3 / 5}, Qt::Vertical);
            }
        }
        library_dock_->show();
        library_dock_->raise();
        break;
    }
    refresh_status();
    update_menu_checks();
}

QWidget* MainWindow::aux_window(AuxWindow which) const
{
    switch (which) {
    case AuxWindow::component_list:
        return component_list_dock_;
    case AuxWindow::diagnostic:
        return diagnostic_;
    case AuxWindow::library:
        return library_dock_;
    }
    return nullptr;
}

void MainWindow::close_aux_window(AuxWindow which)
{
    if (QWidget* window = aux_window(which))
        window->close();
}

bool MainWindow::aux_window_open(AuxWindow which) const
{
    const QWidget* window = aux_window(which);
    // A dock behind another one's tab is open all the same.
    if (which != AuxWindow::diagnostic)
        return window && !window->isHidden();
    return window && window->isVisible();
}

} // namespace halvern
