#pragma once
// The steps of one interaction call, shared by the files that hold them. Internal to the
// interaction: only interaction.cpp calls them, in their fixed order.

#include <optional>

#include "base/result.h"
#include "plan/groups.h"
#include "plan/interaction.h"

namespace halvern::interaction_detail {

// One call's input as the steps read it.
struct Call {
    Call(InteractionState& state, InteractionContext& context, const PointerInput& input)
        : s(state), c(context), in(input)
    {
    }
    InteractionState& s;
    InteractionContext& c;
    const PointerInput& in;
    int buttons = button_none; // both buttons already taken as the left one
    double x = 0, y = 0;       // the pointer in plan centimetres
    bool left = false, right = false;
    bool left_pressed = false, right_pressed = false; // the button went down since the last call
    bool in_column = false; // the pointer is over the palette column
    int pick = 0;           // what a left press here picks (0 with Shift: a lasso)
    InteractionRequest request; // what the window is to do after the call

    PlanTable& plan() const { return c.plan; }
    InteractionHost& host() const { return c.host; }
};

// Palette pick and palette scrolling, on a press in the column.
void palette_press(Call& call);
// A picked component is created under the pointer and held.
void start_placing(Call& call);

// The hover, with its status text and pointer shape (no button held).
void hover(Call& call);
// The status text naming object `i`: its library and component.
std::string hover_status(const Call& call, int i);
// A left press on the hovered object: pick it, its chain or its group; Ctrl opens its dialog.
void press_on_object(Call& call);

// The measuring tool; true when it took the call.
bool measure(Call& call);

// A left press on empty plan starts a rectangle; the held rectangle is shown; its release lassoes
// or zooms.
void press_on_empty(Call& call);
void show_rectangle(Call& call);
void release_rectangle(Call& call);

// A press inside the selection's box holds it (Ctrl: the group dialog); its release moves it.
void press_inside_selection(Call& call);
void drop_selection(Call& call);

// The held object's ghost follows the pointer; the release moves or copies it and snaps it.
void drag_held_object(Call& call);

// A right-button turn of the focused object or of the selection.
void turn(Call& call);
// A right press and release that stayed in place: the context menu of what it picks.
void right_click(Call& call);

// The keyboard shortcuts of the plan.
void shortcuts(Call& call);

// Shared helpers.
std::optional<PlanBox> selection_box(const PlanTable& plan, const ComponentTable& components);
// The selected objects with the end codes their outlines keep while they are held together, and
// what they carry when the switch is on.
std::vector<GhostObject> held_selection(const InteractionState& state, const PlanTable& plan,
                                        const ComponentTable& components);
void show_error(Call& call, const Error& error);
void show_error(InteractionContext& context, const Error& error);
// After the table lost or gained objects: the hovered object is searched again where the pointer
// last was, so that it never names another object than the one under the pointer.
void refresh_hover(InteractionState& state, const PlanTable& plan);
// Every held gesture ends without changing the table.
void drop_gestures(InteractionState& state, PlanTable& plan);
// The end code a held object's outline is drawn with: its recto override, or `computed`.
GhostObject held_entry(const PlanTable& plan, int i, const std::string& computed);

} // namespace halvern::interaction_detail
