// The hover and the press on an object: picking it, its chain of joined objects or its group, and
// its property dialog.

#include <cmath>

#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

// Faded objects cannot be picked; group objects and objects being deleted have no outline to pick.
bool pickable(const PlanTable& plan, int i) { return plan.obj_estompe[size_t(i)] != 0 && has_geometry(plan, i); }

} // namespace

int hovered_object(const PlanTable& plan, double x, double y)
{
    int best = 0;
    double best_distance = hover_radius;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!pickable(plan, i))
            continue;
        const double d = std::hypot(double(plan.obj_x[size_t(i)]) - x, double(plan.obj_y[size_t(i)]) - y);
        // Strictly nearer, so that on a tie the lower number stays.
        if (d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    return best;
}

namespace interaction_detail {

std::string hover_status(const Call& call, int i)
{
    const Component& c = call.c.components[call.plan().comp(i)];
    const std::string library = LibraryTable::valid(c.library) ? call.c.libraries.name[size_t(c.library)] : "";
    return library + " : " + c.name;
}

namespace {

// Ctrl+Alt: every object of the pressed object's chain. A chain of one object stays the focus.
void select_chain(Call& call, int f)
{
    PlanTable& plan = call.plan();
    // The chains are those of the table as it is now, not as the last redraw found them.
    compute_chains(plan, call.c.components);
    const int chain = plan.obj_ilot[size_t(f)];
    clear_selection(plan);
    bool refused = false;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!pickable(plan, i) || plan.obj_ilot[size_t(i)] != chain)
            continue;
        Result<void> added = select_object(plan, i);
        if (!added && !refused) {
            show_error(call, added.error());
            refused = true;
        }
    }
    plan.index_focus = 0;
    if (plan.nb_selection == 1) {
        plan.index_focus = plan.selection[1];
        clear_selection(plan);
    } else {
        // Several objects are selected and none is held: a press inside them may hold them all.
        plan.focus = false;
        call.s.held.clear();
        call.host().redraw();
    }
}

} // namespace

void hover(Call& call)
{
    InteractionState& s = call.s;
    s.survol = call.in_column ? 0 : hovered_object(call.plan(), call.x, call.y);
    if (s.survol > 0)
        call.host().show_status(hover_status(call, s.survol));
    // The zoom tool keeps its own pointer shape until its rectangle is drawn.
    if (!s.mode_loupe)
        call.host().set_cursor(s.survol > 0 ? cursor_move : cursor_standard);
}

void press_on_object(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    // The zoom and measuring tools take every press in the plan for themselves.
    if (!call.left_pressed || call.in_column || s.mode_loupe || plan.focus || plan.focus_groupe)
        return;
    const int f = s.survol;
    if (!plan.valid(f) || !pickable(plan, f))
        return;
    const size_t F = size_t(f);
    plan.index_focus = f;
    plan.focus = true;
    s.rot_memo = plan.obj_rot[F];
    s.ancx = plan.obj_x[F];
    s.ancy = plan.obj_y[F];
    s.selected_component = plan.comp(f);
    clear_selection(plan);
    s.org_x = call.x - plan.obj_x[F];
    s.org_y = call.y - plan.obj_y[F];
    s.flag_lasso = false;
    s.mode_copie = false;
    s.placing = false;
    // A dragged object leaves its joints, so its outline is drawn as a lone one.
    s.held = {held_entry(plan, f, "OO")};

    if (call.in.kk == kk_ctrl) {
        plan.focus = false;
        s.held.clear();
        call.request = {InteractionRequest::Kind::object_properties, f, {}, 0};
    } else if (call.in.kk == kk_ctrl_alt) {
        select_chain(call, f);
    }

    const int g = plan.valid(plan.index_focus) ? plan.obj_groupe[size_t(plan.index_focus)] : 0;
    if (g > 0) {
        Result<void> picked = pick_group(plan, plan.index_focus);
        if (!picked)
            show_error(call, picked.error());
        plan.index_focus = 0;
        s.ancx = -1;
        plan.focus = false;
        plan.focus_groupe = false;
        s.flag_lasso = false;
        s.held.clear();
        call.host().redraw();
    }
}

} // namespace interaction_detail

} // namespace halvern
