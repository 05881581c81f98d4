#pragma once
// The Object menu: the plan's gestures as commands (turns, appends, groups, deleting), the property
// dialogs, the stand form, the small pickers, and the object editor on a component type. Each OK or
// choice is one undo step; a cancelled dialog or a dismissed picker changes nothing.

#include <QString>

#include <functional>
#include <vector>

#include "app/command_group.h"

namespace halvern {

class ObjectCommands : public CommandGroup {
public:
    explicit ObjectCommands(EditorServices& services) : CommandGroup(services) {}

    // Turning what is chosen by a fixed or a typed angle, appending at the focused object's end
    // (p 0 joined, 1 turned), grouping, deleting. With nothing chosen the status bar says so.
    void rotate_chosen(double degrees);
    void rotate_by_typed();
    void append_at_end(int p);
    void group_chosen(bool group);
    void delete_chosen();
    void move_to_corner();
    // "Move carried objects with their carrier", kept in the settings.
    void switch_carrying();
    bool carrying() const;
    void ungroup_everything();

    // The property dialogs: OK is one undo step, Cancel changes nothing. Each gives whether it was
    // applied. The group dialog works on the objects given (the selection when it was asked for).
    bool open_object_properties(int object);
    bool open_group_properties(const std::vector<int>& members);
    // The stand form (command 10 and the "projet" button).
    bool open_stand_form();
    // The "prop" button: the focused object's dialog, else the selection's.
    void open_properties();
    // The small pickers of the Object menu, on the focused object (103 also on the selection).
    void change_height();
    void change_faces();
    void raise_from_ground();
    void add_face_picture();

    // Runs a dialog as one undo step (none when it changed nothing) and keeps the import folder a
    // picture chosen inside it moved to; gives what the dialog gave.
    bool run_dialog_step(int step, const std::function<bool()>& run);
    // The property dialogs alone, without their undo step (the plan's Ctrl+click runs them).
    bool show_object_properties(int object);
    bool show_group_properties(const std::vector<int>& members);
    // The object editor on a component type; `show_in_library` shows a type it saved.
    void open_component_editor(int component, const std::function<void(int)>& show_in_library);

private:
    void changed(int step);
};

} // namespace halvern
