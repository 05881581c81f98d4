#include "project/empty_design.h"

namespace halvern {

void start_empty_design(PlanTable& plan, ProjectState& state)
{
    plan.nb_objets = 0;
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    plan.nb_selection = 0;
    state.forget();
}

} // namespace halvern
