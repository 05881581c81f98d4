// The main window's side of the object editor: opening it, and showing what it changed.

#include "app/main_window.h"
#include "app/plan_widget.h"
#include "app/session.h"
#include "dialogs/object_editor.h"

namespace halvern {

void MainWindow::open_component_editor(int component)
{
    open_object_editor(
        session_.components, component, session_.app_dir(), session_.shell.ui_text, prompts_,
        [this] { component_types_changed(); },
        [this](int n) {
            open_aux_window(AuxWindow::library);
            if (library_window_)
                library_window_->show_preview(n);
        },
        this);
}

void MainWindow::component_types_changed()
{
    // The plan, its palette column and the library window draw from the table; the outline cache
    // sees the record change.
    history_.notify(Change::library);
}

} // namespace halvern
