// The plan's gestures as commands of the menus: turning what is chosen by a fixed angle and
// appending at the focused object's end, for a hand that does not know the right drag or the keys.

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "geometry/point_path.h"
#include "plan/carried_objects.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

using namespace interaction_detail;

bool turn_chosen(PlanTable& plan, const ComponentTable& components, double degrees, const std::vector<int>& also)
{
    if (!std::isfinite(degrees))
        return false;
    const int f = plan.index_focus;
    if (plan.valid(f) && has_geometry(plan, f)) {
        const Placement before = placement_of(plan, f);
        plan.obj_rot[size_t(f)] = float(normalize_degrees(double(before.rot) + 3600 + degrees));
        follow_carrier(plan, also, before, placement_of(plan, f));
        return plan.obj_rot[size_t(f)] != before.rot;
    }
    // The selection turns as one piece about the middle of its box, as a right drag turns it.
    const std::optional<PlanBox> box = selection_box(plan, components);
    if (!box)
        return false;
    const double cx = (box->left + box->right) / 2, cy = (box->top + box->bottom) / 2;
    bool changed = false;
    std::vector<int> turned = selected_objects(plan);
    turned.insert(turned.end(), also.begin(), also.end());
    for (int i : turned) {
        if (!plan.valid(i) || !has_geometry(plan, i))
            continue;
        const size_t k = size_t(i);
        const PointD p = rotate_point(cx, cy, plan.obj_x[k], plan.obj_y[k], degrees);
        const float x = float(p.x), y = float(p.y);
        const float rot = float(normalize_degrees(double(plan.obj_rot[k]) + 3600 + degrees));
        changed = changed || x != plan.obj_x[k] || y != plan.obj_y[k] || rot != plan.obj_rot[k];
        plan.obj_x[k] = x;
        plan.obj_y[k] = y;
        plan.obj_rot[k] = rot;
    }
    return changed;
}

bool append_at_focus(InteractionState& state, InteractionContext& context, int p)
{
    PlanTable& plan = context.plan;
    // Mid-gesture the focused object is held; the gesture finishes first.
    if (plan.focus || plan.focus_groupe || state.rotation_en_cours || !plan.valid(plan.index_focus))
        return false;
    const auto chosen = [&](int component) {
        return ComponentTable::valid(component) && !context.components[component].is_free();
    };
    if (!chosen(state.selected_component))
        state.selected_component = plan.comp(plan.index_focus);
    if (!chosen(state.selected_component))
        return false;
    Result<int> added = append_object(plan, context.components, state.selected_component, p);
    if (!added) {
        show_error(context, added.error());
        return false;
    }
    if (*added <= 0)
        return false;
    refresh_hover(state, plan);
    context.host.change_complete(PlanChange::append);
    context.host.redraw();
    return true;
}

} // namespace halvern
