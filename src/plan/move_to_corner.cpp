#include "plan/move_to_corner.h"

#include <algorithm>

#include "plan/plan_ends.h"

namespace halvern {

bool move_to_corner(PlanTable& plan, const ComponentTable& components)
{
    double min_x = 9999999, min_y = 9999999;
    bool any = false;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!has_geometry(plan, i))
            continue;
        any = true;
        for (int e = 1; e <= 2; ++e) {
            PlanPoint p = end_point(plan, components, i, e);
            min_x = std::min(min_x, p.x);
            min_y = std::min(min_y, p.y);
        }
    }
    if (!any)
        return false;
    const double dx = corner_target - min_x, dy = corner_target - min_y;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        plan.obj_x[size_t(i)] = float(double(plan.obj_x[size_t(i)]) + dx);
        plan.obj_y[size_t(i)] = float(double(plan.obj_y[size_t(i)]) + dy);
    }
    return true;
}

} // namespace halvern
