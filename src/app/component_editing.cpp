// The editor's side of the object editor: opening it, and showing what it changed.

#include "app/design_history.h"
#include "app/object_commands.h"
#include "app/session.h"
#include "dialogs/object_editor.h"

namespace halvern {

void ObjectCommands::open_component_editor(int component, const std::function<void(int)>& show_in_library)
{
    // The plan, its palette column and the library window draw from the table; the outline cache
    // sees the record change. The component table is no part of the design's undo.
    open_object_editor(
        session_.components, component, session_.library_folders(), session_.shell.ui_text, prompts_,
        [this] { history_.notify(Change::library); }, show_in_library, parent());
}

} // namespace halvern
