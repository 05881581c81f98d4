#include "plan/select_many.h"

#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

bool select_objects(PlanTable& plan, const std::vector<int>& objects)
{
    clear_selection(plan);
    plan.index_focus = 0;
    bool all = true;
    for (int i : objects) {
        if (!has_geometry(plan, i))
            continue;
        if (!select_object(plan, i)) {
            all = false;
            break;
        }
    }
    if (plan.nb_selection == 1) {
        plan.index_focus = plan.selection[1];
        clear_selection(plan);
    }
    return all;
}

bool select_all(PlanTable& plan)
{
    std::vector<int> shown;
    for (int i = 1; i <= plan.nb_objets; ++i)
        if (plan.obj_estompe[size_t(i)] != 0)
            shown.push_back(i);
    return select_objects(plan, shown);
}

bool nudge_objects(PlanTable& plan, float dx, float dy, const std::vector<int>& also)
{
    std::vector<int> moved;
    if (has_geometry(plan, plan.index_focus))
        moved.push_back(plan.index_focus);
    else
        for (int i : selected_objects(plan))
            if (has_geometry(plan, i))
                moved.push_back(i);
    if (moved.empty())
        return false;
    for (int i : also)
        if (has_geometry(plan, i))
            moved.push_back(i);
    for (int i : moved) {
        plan.obj_x[size_t(i)] += dx;
        plan.obj_y[size_t(i)] += dy;
    }
    return !moved.empty();
}

} // namespace halvern
