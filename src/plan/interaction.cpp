#include "plan/interaction.h"

#include "base/numbers.h"
#include "plan/carried_objects.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"

namespace halvern {

using namespace interaction_detail;

namespace {

std::string flag_text(bool flag) { return flag ? "-1" : "0"; }

// Plan positions to a millimetre, zoom and offsets as they are.
std::string cm_text(double value) { return format_number(round_half_away(value * 10) / 10); }
std::string short_text(double value) { return format_number(round_half_away(value * 100) / 100); }

} // namespace

Readout interaction_readout(const InteractionState& s, const PlanTable& plan, const ViewState& view, double x,
                            double y, int kk)
{
    Readout r;
    r.position = {
        "X :" + cm_text(x - 100) + " cm x Y :" + cm_text(y - 100) + " cm",
        "zoom :" + short_text(view.zoom),
        "topx :" + format_number(view.decal_x),
        "topy :" + format_number(view.decal_y),
    };
    if (view.aff_debug) {
        r.debug = {
            "   x=" + format_number(round_half_away(x)) + "   y=" + short_text(y) + "   ancx=" + short_text(s.ancx) +
                "   ancy=" + short_text(s.ancy) + "   org_x=" + short_text(s.org_x) + "   org_y=" +
                short_text(s.org_y) + "   focus=" + flag_text(plan.focus) + "   focus_groupe=" +
                flag_text(plan.focus_groupe),
            "flag_lasso=" + flag_text(s.flag_lasso) + "        kk=" + std::to_string(kk),
        };
    }
    return r;
}

InteractionRequest interact(InteractionState& state, InteractionContext& context, const PointerInput& input)
{
    Call call{state, context, input};
    call.buttons = input.buttons == button_both ? button_left : input.buttons;
    const int before = state.last_buttons;
    const PixelPoint at = context.view.to_plan(input.pixel_x, input.pixel_y);
    call.x = at.x;
    call.y = at.y;
    call.left = call.buttons == button_left;
    call.right = call.buttons == button_right;
    call.left_pressed = call.left && before != button_left;
    call.right_pressed = call.right && before != button_right;
    call.in_column = input.pixel_x < palette_width;
    state.last_buttons = call.buttons;
    state.last_x = call.x;
    state.last_y = call.y;
    if (call.left_pressed || call.right_pressed)
        state.kept_measure.reset();
    // Shift keeps the press for a lasso, also over an object; the hover found what else it picks.
    if (call.left_pressed && !call.in_column && !input.shift)
        call.pick = state.survol > 0 ? state.survol
                                     : picked_object(context.plan, context.components, context.view.zoom, call.x, call.y);

    if (state.mode_loupe)
        context.host.set_cursor(cursor_zoom);
    palette_press(call);
    start_placing(call);
    if (call.buttons == button_none)
        hover(call);
    if (!measure(call)) {
        press_on_object(call);
        press_on_empty(call);
        press_inside_selection(call);
        drop_selection(call);
        drag_held_object(call);
        turn(call);
        right_click(call);
        show_rectangle(call);
        release_rectangle(call);
    }
    if (!input.key.empty())
        shortcuts(call);
    context.host.show_readout(interaction_readout(state, context.plan, context.view, call.x, call.y, input.kk));
    return std::move(call.request);
}

bool delete_key(InteractionState& state, InteractionContext& context)
{
    const bool deleted = delete_focused_and_selected(context.plan, carried_along(state, context.plan, context.components));
    drop_gestures(state, context.plan);
    refresh_hover(state, context.plan);
    if (deleted)
        context.host.change_complete(PlanChange::deletion);
    context.host.redraw();
    return deleted;
}

void arm_zoom_tool(InteractionState& state, InteractionHost& host)
{
    state.mode_loupe = true;
    host.set_cursor(cursor_zoom);
}

void arm_measuring_tool(InteractionState& state) { state.mode_mesure = true; }

bool cancel_palette_pick(InteractionState& state, InteractionHost& host)
{
    if (!state.depot_palette)
        return false;
    state.depot_palette = false;
    host.redraw(); // the cell is no longer marked
    return true;
}

bool cancel_armed(InteractionState& state, InteractionHost& host)
{
    const bool armed = state.depot_palette || state.mode_loupe || state.mode_mesure || state.measuring ||
                       state.flag_lasso || state.kept_measure;
    if (!armed)
        return false;
    state.kept_measure.reset();
    // A rectangle or a line being drawn is dropped; the release that follows finds nothing to do.
    state.depot_palette = state.mode_loupe = state.mode_mesure = state.measuring = state.flag_lasso = false;
    host.set_cursor(cursor_standard);
    host.redraw();
    return true;
}

void table_replaced(InteractionState& state, PlanTable& plan)
{
    drop_gestures(state, plan);
    refresh_hover(state, plan);
}

std::vector<int> carried_along(const InteractionState& state, const PlanTable& plan, const ComponentTable& components)
{
    return state.carry ? carried_by_chosen(plan, components) : std::vector<int>{};
}

std::vector<GhostObject> drag_ghost(const InteractionState& state, const PlanTable& plan, double x, double y)
{
    std::vector<GhostObject> ghost;
    if (plan.focus && plan.valid(plan.index_focus)) {
        const int f = plan.index_focus;
        GhostObject g = state.held.empty() ? held_entry(plan, f, "OO") : state.held.front();
        g.object = f;
        g.x = x - state.org_x;
        g.y = y - state.org_y;
        g.rot = state.rot_memo;
        const Placement before = placement_of(plan, f);
        const Placement after{float(g.x), float(g.y), float(g.rot), before.elevation};
        ghost.push_back(std::move(g));
        for (int i : state.carried) {
            if (!plan.valid(i))
                continue;
            const Placement p = carried_placement(plan, i, before, after);
            ghost.push_back({i, p.x, p.y, p.rot, held_entry(plan, i, "OO").end_code});
        }
    } else if (plan.focus_groupe) {
        const double dx = x - state.org_x, dy = y - state.org_y;
        for (const GhostObject& held : state.held) {
            if (!plan.valid(held.object))
                continue;
            GhostObject g = held;
            g.x = plan.obj_x[size_t(held.object)] + dx;
            g.y = plan.obj_y[size_t(held.object)] + dy;
            g.rot = plan.obj_rot[size_t(held.object)];
            ghost.push_back(std::move(g));
        }
    }
    return ghost;
}

namespace interaction_detail {

void show_error(InteractionContext& context, const Error& error) { context.host.show_message(error.message); }
void show_error(Call& call, const Error& error) { show_error(call.c, error); }

void refresh_hover(InteractionState& state, const PlanTable& plan)
{
    state.survol = hovered_object(plan, state.last_x, state.last_y);
}

void drop_gestures(InteractionState& state, PlanTable& plan)
{
    plan.focus = false;
    plan.focus_groupe = false;
    state.flag_lasso = false;
    state.mode_copie = false;
    state.rotation_en_cours = false;
    state.placing = false;
    state.measuring = false;
    state.held.clear();
    state.carried.clear();
    state.ancx = -1;
}

GhostObject held_entry(const PlanTable& plan, int i, const std::string& computed)
{
    const size_t k = size_t(i);
    return {i, plan.obj_x[k], plan.obj_y[k], plan.obj_rot[k], end_code_with_override(plan, i, 1, computed)};
}

} // namespace interaction_detail

} // namespace halvern
