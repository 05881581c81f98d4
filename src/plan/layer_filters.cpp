#include "plan/layer_filters.h"

#include "plan/plan_edit.h"

namespace halvern {

bool faded_by_filters(const PlanTable& plan, const ComponentTable& components, const ViewState& view, int i)
{
    if (!view.filter_elevation && plan.obj_elevation[size_t(i)] > 0)
        return true;
    const int c = plan.comp(i);
    // Group objects (library 100) and numbers outside the table belong to no library.
    if (c == group_component || !ComponentTable::valid(c))
        return false;
    const int library = components[c].library;
    if (!view.filter_vek && library == 0)
        return true;
    if (!view.filter_acc_vek && (library == 1 || library == 11 || library == 12 || library == 13))
        return true;
    if (!view.filter_stand && library >= 2 && library <= 7)
        return true;
    return false;
}

void apply_layer_filters(PlanTable& plan, const ComponentTable& components, const ViewState& view)
{
    for (int i = 1; i <= plan.nb_objets; ++i)
        plan.obj_estompe[size_t(i)] = faded_by_filters(plan, components, view, i) ? 0.0f : -1.0f;
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    clear_selection(plan);
}

} // namespace halvern
