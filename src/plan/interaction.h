#pragma once
// The pointer interaction: pointer moves, button changes and keystrokes on the plan window become
// edits of the plan table, one `interact` call per change of pixel position or buttons and per
// keystroke. Each call runs its checks in a fixed order (palette, placing, hover, measuring, press
// on an object, lasso, held selection, drag and drop, turning, released rectangle, shortcuts,
// readout); redraws, cursor and texts go to the host, dialogs and file commands come back as a
// request. While a button is held only an outline (the ghost) follows the pointer; the release
// makes the change from the same computation and hands it to the host once, as one undo step.
// Words kept from the design: `survol` the hovered object; `ancx`/`ancy` where the held object's
// ghost stands; `org_x`/`org_y` the grab offset; `kk` the modifier code (2 Ctrl, 4 Alt); `loupe`
// the zoom tool, `mesure` the measuring tool; `depot_palette` a palette pick waiting to be placed;
// `mode_copie` a copying drag; `rot_memo` the angle of a turn; `flag_lasso` a rectangle is drawn.

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "library/component_table.h"
#include "plan/interaction_host.h"
#include "plan/live_overlay.h"
#include "plan/plan_table.h"
#include "plan/view_state.h"

namespace halvern {

// Modifier codes of `kk`.
inline constexpr int kk_none = 0;
inline constexpr int kk_ctrl = 2;
inline constexpr int kk_alt = 4;
inline constexpr int kk_ctrl_alt = 6;

// Button states.
inline constexpr int button_none = 0;
inline constexpr int button_left = 1;
inline constexpr int button_right = 2;
inline constexpr int button_both = 3; // taken as the left button

inline constexpr double hover_radius = 10;       // cm, strict
inline constexpr double lasso_margin = 5;        // cm an object's point stays inside a lasso
inline constexpr double selection_box_margin = 3; // cm around the selection a press still holds it
inline constexpr double footprint_min_pixels = 6; // a footprint is picked at least this wide on screen
inline constexpr double click_slop_pixels = 4;    // a right press and release closer than this is a click
inline constexpr int key_code_delete = 46;

struct PointerInput {
    double pixel_x = 0, pixel_y = 0; // client pixels of the plan window, palette column included
    int buttons = button_none;
    int kk = kk_none;
    std::string key;                 // the last keystroke's character, empty for a pointer change
    bool repeat = false;             // the keystroke is the repeat of a key held down
    bool shift = false;              // Shift held: a left press always draws a lasso (`kk` never sees it)
    bool double_click = false;       // this left press is the second of a double-click
    int area_width = 0, area_height = 0; // the plan window's drawing area, pixels
};

struct InteractionState {
    // The state the debug display shows, under the names it shows them by.
    bool flag_lasso = false;         // a lasso (or zoom) rectangle is being drawn
    double org_x = 0, org_y = 0;     // grab offset at a press, or the rectangle's first corner
    double ancx = -1, ancy = 0;      // where the held object's ghost stands; ancx -1: no anchor
    int survol = 0;                  // the hovered object, 0 = none
    bool depot_palette = false;      // a palette component waits to be placed
    bool mode_copie = false;         // the current drag copies the object
    bool rotation_en_cours = false;  // a right-button turn is under way
    bool mode_loupe = false;         // the zoom tool: the next rectangle zooms
    bool mode_mesure = false;        // the measuring tool
    double rot_memo = 0;             // the rotation being computed during a turn

    int selected_component = 0; // the library component that placing and appending use
    int palette_scroll = 0;     // cells the palette column is scrolled into its library

    // Kept between calls to tell a press from a held button, and for the hover after a deletion.
    int last_buttons = button_none;
    double last_x = 0, last_y = 0;

    bool placing = false;   // the held object was just created from the palette
    bool measuring = false; // a measuring line is being drawn
    PlanPoint measure_from;
    // The last measurement stays on the plan, with its distance, until the next press.
    std::optional<MeasureLine> kept_measure;
    // The objects a drag of the selection or a turn holds, fixed at the press: their numbers and
    // the end codes their outlines keep while they are held.
    std::vector<GhostObject> held;
    // "Move carried objects with their carrier": what stands on a held object goes with it. Off, a
    // gesture changes exactly the objects it holds.
    bool carry = true;
    // What the single held object carries, fixed at the press; it follows the object's every move.
    std::vector<int> carried;
    bool turn_of_selection = false; // the turn holds the selection rather than the focused object
    PlanPoint turn_centre;
    // A right press that has not yet moved `click_slop_pixels` away: its release asks for the menu.
    bool right_click = false;
    double right_press_px = 0, right_press_py = 0;
};

struct InteractionContext {
    PlanTable& plan;
    const ComponentTable& components;
    const LibraryTable& libraries;
    ViewState& view;
    InteractionHost& host;
};

// One call of the interaction. What it returns (a dialog, a save, a load) is for the window to
// carry out after the call; a load must be followed by `table_replaced`.
InteractionRequest interact(InteractionState& state, InteractionContext& context, const PointerInput& input);

// The Delete key of the plan window: removes the focused object and the selected objects, ends a
// gesture that held them, and redraws. False when nothing was deleted.
bool delete_key(InteractionState& state, InteractionContext& context);

// The texts over the plan for a pointer at plan point (x, y), as the view and the state stand now.
Readout interaction_readout(const InteractionState& state, const PlanTable& plan, const ViewState& view, double x,
                            double y, int kk);

// Escape: a component picked in the palette and waiting to be placed is put back. False when
// nothing was waiting.
bool cancel_palette_pick(InteractionState& state, InteractionHost& host);

// Escape: whatever is armed or drawn ends without a change: a palette pick, the zoom tool and its
// rectangle, the measuring tool and its line, a lasso. False when nothing was armed.
bool cancel_armed(InteractionState& state, InteractionHost& host);

// The toolbar's zoom tool ("loupe"): the next rectangle drawn with the left button zooms.
void arm_zoom_tool(InteractionState& state, InteractionHost& host);
// The toolbar's measuring tool ("mesure"): one line from the next press to its release.
void arm_measuring_tool(InteractionState& state);

// After the table was replaced or renumbered outside the interaction (New, Load, Import, undo and
// redo): a held gesture ends and the hovered object is searched again, so that no stored number
// names another object than the user chose.
void table_replaced(InteractionState& state, PlanTable& plan);

// What the focused object, else the selection, carries when the switch is on; nothing when it is off.
std::vector<int> carried_along(const InteractionState& state, const PlanTable& plan, const ComponentTable& components);

// Where the held objects would stand if the button were released at plan point (x, y): the single
// held object of a drag or a placement (first) and what it carries, or the held selection. The
// drop applies exactly this.
std::vector<GhostObject> drag_ghost(const InteractionState& state, const PlanTable& plan, double x, double y);

// Where the turned objects stand for the current `rot_memo`. The end of the turn applies exactly this.
std::vector<GhostObject> turn_ghost(const InteractionState& state, const PlanTable& plan);

// The object whose footprint holds plan point (x, y): the turned `obj_largeur` by `obj_profondeur`
// rectangle (the outline's box for a component drawn from its own path), at least
// `footprint_min_pixels` across at `zoom`; faded objects and groups never; the one drawn last
// (the higher number) where several hold it. 0 when none.
int footprint_object(const PlanTable& plan, const ComponentTable& components, double zoom, double x, double y);

// What a press at plan point (x, y) picks: the hovered object where there is one; else, when the
// point lies outside the selection's box (enlarged by `selection_box_margin`, so that a press
// there still holds the selection), the object whose footprint holds it. 0 when none.
int picked_object(const PlanTable& plan, const ComponentTable& components, double zoom, double x, double y);

// What picking object f makes of the focus and the selection, as a press on it does: f alone is
// focused, or, for a member of a group, the group's members are selected and nothing is focused.
Result<void> take_pick(PlanTable& plan, int f);

// Turns the focused object about its middle, or the selection about the middle of its box, by
// `degrees` (clockwise on screen), without snapping; `also` (what they carry) turns with them.
// False when nothing was turned.
bool turn_chosen(PlanTable& plan, const ComponentTable& components, double degrees, const std::vector<int>& also = {});

// "+" and "m" of the plan as commands: a component at the focused object's end (p 0 joined, 1
// turned). With no palette component chosen, the focused object's own component is chosen first.
// False when nothing was added.
bool append_at_focus(InteractionState& state, InteractionContext& context, int p);

// The hovered object at plan point (x, y): the nearest reference point strictly closer than
// `hover_radius`, the lower number on a tie; faded objects and objects without an outline (groups)
// are never hovered. 0 when none.
int hovered_object(const PlanTable& plan, double x, double y);

} // namespace halvern
