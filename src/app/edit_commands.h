#pragma once
// The Edit menu and the standard keys of the plan: copy, cut, paste at the pointer, duplicate,
// select all, undo and redo, the arrow keys that nudge, and components dropped or armed from the
// library. Each change is one undo step; the plan's own keys (Ctrl+V turns the verso picture,
// Alt+drag copies) stay as they are.

#include <QPointF>
#include <Qt>

#include <vector>

#include "app/command_group.h"
#include "project/object_clipboard.h"

namespace halvern {

class EditCommands : public CommandGroup {
public:
    explicit EditCommands(EditorServices& services) : CommandGroup(services) {}

    // Copy and cut put the focused object or the selection on the clipboard; paste puts the
    // clipboard's objects at the pointer; duplicate puts a copy beside the originals. What was
    // pasted or duplicated becomes the selection (the focus when it is one object).
    void copy(bool cut);
    void paste();
    void duplicate();
    void select_everything();
    void undo_redo(bool undo);
    // An arrow key moves the focused object or the selection by 1 cm, 10 cm with Shift. False for
    // any other key.
    bool nudge(int key, Qt::KeyboardModifiers modifiers);
    // A component from the library: dropped at a pixel of the plan (placed and snapped as a palette
    // pick is), or armed to be placed by the next press on the plan.
    void drop_component(int component, QPointF at);
    void arm_component(int component);

    static constexpr float nudge_cm = 1;
    static constexpr float nudge_large_cm = 10;
    static constexpr double paste_offset_cm = 20;

private:
    // The focused object, else the selection, and what they carry when the switch is on.
    std::vector<int> chosen_with_carried() const;
    void place_copies(const std::vector<CopiedObject>& objects, double dx, double dy, int step);
};

} // namespace halvern
