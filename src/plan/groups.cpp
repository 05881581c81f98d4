#include "plan/groups.h"

#include <algorithm>
#include <cmath>

#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

Result<int> group_selection(PlanTable& plan)
{
    purge_groups(plan);
    Result<int> entry = append_entry(plan);
    if (!entry)
        return entry;
    const int g = *entry;
    plan.obj_comp[size_t(g)] = float(group_component);
    for (int s = 1; s <= plan.nb_selection; ++s) {
        const int i = plan.selection[size_t(s)];
        // Groups never nest, and an object keeps the group it already has.
        if (plan.valid(i) && i != g && !plan.is_group(i) && plan.obj_groupe[size_t(i)] == 0)
            plan.obj_groupe[size_t(i)] = g;
    }
    const int before = plan.nb_objets;
    purge_groups(plan);
    return plan.nb_objets == before ? g : 0;
}

bool ungroup_selection(PlanTable& plan)
{
    if (plan.nb_selection < 1)
        return false;
    const int first = plan.selection[1];
    if (!plan.valid(first))
        return false;
    const int g = plan.obj_groupe[size_t(first)];
    if (g <= 0)
        return false;
    for (int s = 1; s <= plan.nb_selection; ++s)
        if (plan.valid(plan.selection[size_t(s)]))
            plan.obj_groupe[size_t(plan.selection[size_t(s)])] = 0;
    if (plan.valid(g) && plan.is_group(g))
        delete_object(plan, g);
    return true;
}

void ungroup_all(PlanTable& plan)
{
    for (int i = 1; i <= plan.nb_objets; ++i) {
        plan.obj_groupe[size_t(i)] = 0;
        if (plan.is_group(i))
            plan.obj_comp[size_t(i)] = float(marked_for_deletion);
    }
    delete_marked(plan);
}

Result<void> pick_group(PlanTable& plan, int member)
{
    if (!plan.valid(member))
        return {};
    const int g = plan.obj_groupe[size_t(member)];
    if (g <= 0)
        return {};
    clear_selection(plan);
    plan.index_focus = 0;
    plan.focus = false;
    Result<void> outcome;
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (plan.obj_groupe[size_t(i)] == g && !plan.is_group(i)) {
            Result<void> added = select_object(plan, i);
            if (!added && outcome)
                outcome = added;
        }
    return outcome;
}

void include_footprint(std::optional<PlanBox>& box, const PlanTable& plan, const ComponentTable& components, int i)
{
    if (!has_geometry(plan, i))
        return;
    constexpr double degrees = 0.017453292519943295;
    const Component& c = components[plan.comp(i)];
    const double a = plan.obj_rot[size_t(i)] * degrees, ca = std::cos(a), sa = std::sin(a);
    for (double sx : {-0.5, 0.5})
        for (double sy : {-0.5, 0.5}) {
            const double dx = sx * c.width, dy = sy * c.depth;
            const double x = plan.obj_x[size_t(i)] + dx * ca - dy * sa;
            const double y = plan.obj_y[size_t(i)] + dx * sa + dy * ca;
            if (!box)
                box = PlanBox{x, y, x, y};
            box->left = std::min(box->left, x);
            box->right = std::max(box->right, x);
            box->top = std::min(box->top, y);
            box->bottom = std::max(box->bottom, y);
        }
}

std::optional<PlanBox> group_box(const PlanTable& plan, const ComponentTable& components, int group)
{
    std::optional<PlanBox> box;
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (plan.obj_groupe[size_t(i)] == group)
            include_footprint(box, plan, components, i);
    return box;
}

} // namespace halvern
