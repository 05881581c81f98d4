// Dragging the held object: its outline follows the pointer while the button is held; the release
// moves it there (or, with Alt, leaves it and drops a copy there) and snaps what was dropped.

#include "plan/carried_objects.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/snapping.h"

namespace halvern::interaction_detail {

namespace {

void end_drag(Call& call)
{
    InteractionState& s = call.s;
    const bool copied = s.mode_copie;
    call.plan().focus = false;
    s.mode_copie = false;
    s.placing = false;
    s.held.clear();
    s.carried.clear();
    // The dropped object now lies under the pointer: the next press, without a move between, picks it.
    refresh_hover(s, call.plan());
    // "Mode Copy" ends with the copy.
    if (copied)
        call.host().show_status(s.survol > 0 ? hover_status(call, s.survol) : std::string());
    call.host().redraw();
    call.host().set_cursor(cursor_move);
}

void drop(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    const GhostObject target = drag_ghost(s, plan, call.x, call.y).front();

    if (s.mode_copie) {
        const int original = plan.index_focus;
        Result<int> copy = copy_object(plan, float(target.x), float(target.y));
        if (!copy) {
            show_error(call, copy.error());
        } else {
            snap_dropped_object(plan, call.c.components, *copy, call.c.view.zoom);
            // What stands on the original is copied onto the copy, where the copy landed.
            if (Result<std::vector<int>> more = copy_carried(plan, s.carried, original, *copy); !more)
                show_error(call, more.error());
            call.host().change_complete(PlanChange::copy);
        }
        end_drag(call);
        return;
    }

    const int f = plan.index_focus;
    const Placement before = placement_of(plan, f);
    drop_object(plan, call.c.components, f, target.x, target.y, target.rot, call.c.view.zoom);
    // What it carries goes where the snapping took it, raised as much as it rose.
    follow_carrier(plan, s.carried, before, placement_of(plan, f));
    if (s.placing)
        call.host().change_complete(PlanChange::placement);
    else if (placement_of(plan, f) != before)
        call.host().change_complete(PlanChange::move);
    end_drag(call);
}

} // namespace

void drag_held_object(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (!plan.focus)
        return;
    if (!plan.valid(plan.index_focus)) {
        // The held object is gone (deleted under the pointer): nothing is left to drop.
        plan.focus = false;
        s.held.clear();
        return;
    }
    if (!call.left) {
        drop(call);
        return;
    }
    // A component just taken from the palette is placed, never copied: a copy would leave the new
    // object behind, unsnapped, where the press created it.
    const bool was_copy = s.mode_copie;
    s.mode_copie = call.in.kk == kk_alt && !s.placing;
    if (s.mode_copie) {
        call.host().set_cursor(cursor_copy);
        call.host().show_status("Mode Copy");
    } else {
        call.host().set_cursor(cursor_move);
        if (was_copy) // Alt let go: the drag moves again
            call.host().show_status(std::string());
    }
    LiveOverlay overlay;
    overlay.objects = drag_ghost(s, plan, call.x, call.y);
    s.ancx = overlay.objects.front().x;
    s.ancy = overlay.objects.front().y;
    call.host().redraw_live(overlay);
}

} // namespace halvern::interaction_detail
