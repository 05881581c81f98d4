// Turning with the right button: the focused object about its own middle, or the selection about
// the middle of its box. Half the pointer's way in pixels (across plus down) is the angle in
// degrees; without a modifier key the angle is cut to a multiple of 5 degrees.

#include <cmath>

#include "base/numbers.h"
#include "geometry/point_path.h"
#include "plan/carried_objects.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

double turned_angle(double raw, int kk)
{
    double angle = raw;
    // Cut toward zero, so that turning left mirrors turning right.
    if (kk == kk_none)
        angle = std::trunc(std::trunc(angle) / 5) * 5;
    if (angle < 0)
        angle += 36000;
    return normalize_degrees(round_to_int(angle));
}

} // namespace

std::vector<GhostObject> turn_ghost(const InteractionState& state, const PlanTable& plan)
{
    std::vector<GhostObject> ghost;
    if (!state.turn_of_selection) {
        if (state.held.empty() || !plan.valid(state.held.front().object))
            return ghost;
        GhostObject g = state.held.front();
        g.x = plan.obj_x[size_t(g.object)];
        g.y = plan.obj_y[size_t(g.object)];
        g.rot = state.rot_memo;
        const Placement before = placement_of(plan, g.object);
        const Placement after{before.x, before.y, float(g.rot), before.elevation};
        ghost.push_back(std::move(g));
        // What it carries turns with it about its middle.
        for (int i : state.carried) {
            if (!plan.valid(i))
                continue;
            const Placement p = carried_placement(plan, i, before, after);
            ghost.push_back({i, p.x, p.y, p.rot, interaction_detail::held_entry(plan, i, "OO").end_code});
        }
        return ghost;
    }
    const PlanPoint c = state.turn_centre;
    for (const GhostObject& held : state.held) {
        if (!plan.valid(held.object))
            continue;
        const size_t i = size_t(held.object);
        GhostObject g = held;
        const PointD p = rotate_point(c.x, c.y, plan.obj_x[i], plan.obj_y[i], state.rot_memo);
        g.x = p.x;
        g.y = p.y;
        g.rot = normalize_degrees(double(plan.obj_rot[i]) + 3600 + state.rot_memo);
        ghost.push_back(std::move(g));
    }
    return ghost;
}

namespace interaction_detail {

namespace {

bool start_turn(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    const int f = plan.index_focus;
    PlanPoint base;
    double base_rot = 0;
    if (has_geometry(plan, f)) {
        s.held = {held_entry(plan, f, end_code(plan, call.c.components, f, 1))};
        s.carried = s.carry ? carried_objects(plan, call.c.components, {f}) : std::vector<int>{};
        base = {plan.obj_x[size_t(f)], plan.obj_y[size_t(f)]};
        base_rot = plan.obj_rot[size_t(f)];
        s.turn_of_selection = false;
    } else if (plan.nb_selection > 0) {
        // A selection turns about the middle of its box; its angle starts from nothing.
        const std::optional<PlanBox> box = selection_box(plan, call.c.components);
        s.held = held_selection(s, plan, call.c.components);
        s.carried.clear();
        if (!box || s.held.empty()) {
            s.held.clear();
            return false;
        }
        s.turn_centre = {(box->left + box->right) / 2, (box->top + box->bottom) / 2};
        s.turn_of_selection = true;
    } else {
        return false;
    }
    s.org_x = call.x - base.x;
    s.org_y = call.y - base.y;
    s.rot_memo = base_rot;
    s.rotation_en_cours = true;
    return true;
}

void finish_turn(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    const bool selection = s.turn_of_selection;
    bool changed = false;
    for (const GhostObject& g : turn_ghost(s, plan)) {
        const size_t i = size_t(g.object);
        const float x = float(g.x), y = float(g.y), rot = float(g.rot);
        changed = changed || x != plan.obj_x[i] || y != plan.obj_y[i] || rot != plan.obj_rot[i];
        plan.obj_x[i] = x;
        plan.obj_y[i] = y;
        plan.obj_rot[i] = rot;
    }
    s.rotation_en_cours = false;
    s.held.clear();
    s.carried.clear();
    refresh_hover(s, plan);
    if (changed)
        call.host().change_complete(selection ? PlanChange::selection_turn : PlanChange::turn);
    call.host().redraw();
}


void cancel_turn(Call& call)
{
    call.s.rotation_en_cours = false;
    call.s.held.clear();
    call.s.carried.clear();
    call.host().redraw();
}

// A right press is a click until the pointer strays `click_slop_pixels` from where it went down.
void track_right_click(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (call.right_pressed) {
        s.right_click = !call.in_column && !plan.focus && !plan.focus_groupe && !s.flag_lasso && !s.measuring;
        s.right_press_px = call.in.pixel_x;
        s.right_press_py = call.in.pixel_y;
    } else if (s.right_click && std::hypot(call.in.pixel_x - s.right_press_px, call.in.pixel_y - s.right_press_py) >=
                                    click_slop_pixels) {
        s.right_click = false;
    }
}

} // namespace

void turn(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    track_right_click(call);
    bool started = false;
    if (call.right_pressed && !call.in_column && !s.rotation_en_cours && !plan.focus && !plan.focus_groupe &&
        !s.flag_lasso)
        started = start_turn(call);
    if (!s.rotation_en_cours)
        return;
    if (!call.right) {
        // A click is not a turn: its release asks for the menu and leaves the angle alone.
        if (s.right_click)
            cancel_turn(call);
        else
            finish_turn(call);
        return;
    }
    if (!started && !s.held.empty()) {
        // The angle grows from the turned object's own values (nothing for a selection).
        const bool selection = s.turn_of_selection;
        const size_t f = size_t(s.held.front().object);
        const double base_x = selection ? 0 : plan.obj_x[f], base_y = selection ? 0 : plan.obj_y[f];
        const double base_rot = selection ? 0 : plan.obj_rot[f];
        const double raw = base_rot + call.c.view.zoom * ((call.x - base_x - s.org_x) + (call.y - base_y - s.org_y)) / 2;
        s.rot_memo = turned_angle(raw, call.in.kk);
    }
    call.host().set_cursor(cursor_rotate);
    // The angle the release will give, beside the pointer.
    call.host().redraw_live({turn_ghost(s, plan), {}, {}, PointerNote{{call.x, call.y}, format_number(s.rot_memo) + "\xC2\xB0"}});
}

void right_click(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (!s.right_click || call.right)
        return;
    s.right_click = false;
    if (call.buttons != button_none || call.in_column)
        return;
    InteractionRequest menu{InteractionRequest::Kind::context_menu, 0, {}, 0};
    if (const int f = picked_object(plan, call.c.components, call.c.view.zoom, call.x, call.y); f > 0) {
        // What the menu acts on is picked as a left press picks it, without holding it.
        if (Result<void> picked = take_pick(plan, f); !picked)
            show_error(call, picked.error());
        menu.object = plan.index_focus;
        menu.objects = selected_objects(plan);
    } else if (plan.nb_selection > 0) {
        const std::optional<PlanBox> box = selection_box(plan, call.c.components);
        const double m = selection_box_margin;
        if (box && call.x > box->left - m && call.x < box->right + m && call.y > box->top - m && call.y < box->bottom + m)
            menu.objects = selected_objects(plan);
    }
    call.request = std::move(menu);
    call.host().redraw();
}

} // namespace interaction_detail

} // namespace halvern
