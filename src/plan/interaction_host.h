#pragma once
// What the pointer interaction asks of the window it runs in. The editor implements it over its
// plan widget and undo stack; tests implement it by recording the calls. Dialogs and file commands
// are not asked for during a call: the call returns them as a request (InteractionRequest) that
// the window carries out once the interaction is back in a settled state.

#include <string>
#include <vector>

#include "plan/live_overlay.h"

namespace halvern {

// Pointer shapes, by their slot in the cursor table.
inline constexpr int cursor_standard = 0;
inline constexpr int cursor_zoom = 3;
inline constexpr int cursor_move = 4;
inline constexpr int cursor_copy = 5;
inline constexpr int cursor_rotate = 6;

// The kinds of change a gesture or a shortcut hands over once it is complete; each is one step
// for the undo stack.
enum class PlanChange {
    placement,        // a component from the palette was placed
    move,             // one object dragged and dropped
    copy,             // one object copied by an Alt drag
    selection_move,   // the held selection dropped
    turn,             // one object turned
    selection_turn,   // the selection turned about its centre
    deletion,         // the Delete key
    grouping,         // Ctrl+G
    ungrouping,       // Ctrl+U
    append,           // "+", "k" or "m"
    faces,            // Ctrl+R or Ctrl+V
};

// What the window is to do after an interaction call returned: open a dialog or run a file
// command. A dialog opened inside the call would change the table under the call's feet; carried
// out afterwards, it finds the interaction with no gesture held and no stored number to go stale.
struct InteractionRequest {
    enum class Kind {
        none,
        object_properties, // Ctrl+press on an object: its property dialog
        group_properties,  // Ctrl+press inside the selection: the group dialog on `objects`
        object_editor,     // Ctrl+click on a palette cell: the editor of `component`
        context_menu,      // a right click: the menu of `object`, of the selection `objects`, or of the plan
        save,              // Ctrl+S
        load,              // Ctrl+L
    };
    Kind kind = Kind::none;
    int object = 0;           // object_properties; context_menu: the focused object it acts on
    std::vector<int> objects; // group_properties, context_menu: the selection as it was
    int component = 0;        // object_editor

    explicit operator bool() const { return kind != Kind::none; }
};

class InteractionHost {
public:
    virtual ~InteractionHost() = default;

    // The full redraw of the plan.
    virtual void redraw() = 0;
    // The last full picture with `overlay` drawn over it (draw_live_overlay), while a button is held.
    virtual void redraw_live(const LiveOverlay& overlay) = 0;
    // The palette column slides from one scroll offset to the next and is redrawn.
    virtual void palette_scrolled(int from, int to) = 0;
    // The zoom or the offsets changed: scroll bars from the offsets, zoom box, menu check marks.
    // A redraw follows separately.
    virtual void view_changed() = 0;

    virtual void set_cursor(int slot) = 0;
    // The status box of the window.
    virtual void show_status(const std::string& text) = 0;
    // The texts over the top right of the plan (draw_readout), given on every call.
    virtual void show_readout(const Readout& readout) = 0;
    // A refusal the user must see, such as a full table.
    virtual void show_message(const std::string& message) = 0;

    // A gesture's change is complete: called once, at its end.
    virtual void change_complete(PlanChange change) = 0;
};

} // namespace halvern
