// Holding the selection with a press inside its box and dropping it where the pointer is released.

#include <algorithm>

#include "plan/carried_objects.h"
#include "plan/groups.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern::interaction_detail {

std::optional<PlanBox> selection_box(const PlanTable& plan, const ComponentTable& components)
{
    std::optional<PlanBox> box;
    for (int s = 1; s <= std::min(plan.nb_selection, max_selection); ++s)
        include_footprint(box, plan, components, plan.selection[size_t(s)]);
    return box;
}

std::vector<GhostObject> held_selection(const InteractionState& state, const PlanTable& plan,
                                        const ComponentTable& components)
{
    std::vector<GhostObject> held;
    std::vector<int> roots;
    const std::vector<std::string> codes = computed_end_codes(plan, components);
    for (int s = 1; s <= std::min(plan.nb_selection, max_selection); ++s) {
        const int i = plan.selection[size_t(s)];
        if (has_geometry(plan, i)) {
            held.push_back(held_entry(plan, i, codes[size_t(i)]));
            roots.push_back(i);
        }
    }
    // What the selection carries (a group's carrier too) goes with it as if it were selected.
    if (state.carry)
        for (int i : carried_objects(plan, components, roots))
            held.push_back(held_entry(plan, i, codes[size_t(i)]));
    return held;
}

void press_inside_selection(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (!call.left_pressed || plan.nb_selection <= 0 || plan.focus_groupe || plan.focus || call.in_column ||
        s.mode_loupe || call.request || call.in.shift)
        return;
    const std::optional<PlanBox> box = selection_box(plan, call.c.components);
    if (!box)
        return;
    const double m = selection_box_margin;
    if (!(call.x > box->left - m && call.x < box->right + m && call.y > box->top - m && call.y < box->bottom + m))
        return;
    // The press belongs to the selection, not to a lasso started from the same point.
    s.flag_lasso = false;
    if (call.in.kk == kk_ctrl) {
        call.request = InteractionRequest{InteractionRequest::Kind::group_properties, 0, selected_objects(plan), 0};
        clear_selection(plan);
        call.host().redraw();
        return;
    }
    call.host().set_cursor(cursor_move);
    plan.focus_groupe = true;
    s.org_x = call.x;
    s.org_y = call.y;
    s.held = held_selection(s, plan, call.c.components);
}

void drop_selection(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (!plan.focus_groupe)
        return;
    const std::vector<GhostObject> ghost = drag_ghost(s, plan, call.x, call.y);
    if (call.left) {
        call.host().redraw_live({ghost, {}, {}, {}});
        return;
    }
    bool moved = false;
    for (const GhostObject& g : ghost) {
        const size_t i = size_t(g.object);
        const float x = float(g.x), y = float(g.y);
        moved = moved || x != plan.obj_x[i] || y != plan.obj_y[i];
        plan.obj_x[i] = x;
        plan.obj_y[i] = y;
    }
    s.ancx = -1;
    s.held.clear();
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    refresh_hover(s, plan);
    if (moved)
        call.host().change_complete(PlanChange::selection_move);
    call.host().redraw();
}

} // namespace halvern::interaction_detail
