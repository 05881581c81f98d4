// The keyboard shortcuts of the plan: zoom, save and load, groups, the faces of the pictures, the
// front view, and appending a component at the focused object's end.

#include <algorithm>

#include "base/strings.h"
#include "plan/groups.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"

namespace halvern::interaction_detail {

namespace {

// Letters match in either case: with Ctrl held the window reports the key's letter, and Shift
// must not change what a shortcut does.
bool key_is(const std::string& key, std::string_view wanted) { return equals_ignore_case(key, wanted); }

void view_command(Call& call, void (*command)(ViewState&))
{
    command(call.c.view);
    call.host().view_changed();
    call.host().redraw();
}

// Recto: 0 <-> 1, 2 <-> 3. Verso: 0 <-> 2, 1 <-> 3.
void toggle_faces(Call& call, int face_bit)
{
    PlanTable& plan = call.plan();
    bool changed = false;
    auto toggle = [&](int i) {
        if (!has_geometry(plan, i))
            return;
        plan.obj_faces[size_t(i)] ^= face_bit;
        changed = true;
    };
    if (plan.nb_selection > 0) {
        for (int s = 1; s <= std::min(plan.nb_selection, max_selection); ++s)
            toggle(plan.selection[size_t(s)]);
    } else {
        toggle(plan.index_focus);
    }
    if (changed)
        call.host().change_complete(PlanChange::faces);
    call.host().redraw();
}

// Grouping and ungrouping add and delete group objects, which renumbers what a gesture holds:
// a gesture still under way ends first.
void group_command(Call& call, bool group)
{
    PlanTable& plan = call.plan();
    // A placement cut short leaves its new object where the press made it: that is a change too.
    if (call.s.placing)
        call.host().change_complete(PlanChange::placement);
    drop_gestures(call.s, plan);
    if (group) {
        // Grouping first purges groups left without members, which renumbers objects even when no
        // group is made: the change is handed over whenever the table lost or gained an object.
        const int before = plan.nb_objets;
        Result<int> made = group_selection(plan);
        if (!made)
            show_error(call, made.error());
        if ((made && *made > 0) || plan.nb_objets != before)
            call.host().change_complete(PlanChange::grouping);
    } else if (ungroup_selection(plan)) {
        call.host().change_complete(PlanChange::ungrouping);
    }
    refresh_hover(call.s, plan);
    call.host().redraw();
}

void append(Call& call, int p)
{
    const int component = call.s.selected_component;
    if (!ComponentTable::valid(component) || call.c.components[component].is_free())
        return;
    Result<int> added = append_object(call.plan(), call.c.components, component, p);
    if (!added) {
        show_error(call, added.error());
        return;
    }
    if (*added > 0) {
        call.host().change_complete(PlanChange::append);
        call.host().redraw();
    }
}

void front_view(Call& call, bool on)
{
    call.c.view.front_view = on;
    call.c.view.view_valid = false;
    call.host().redraw();
}

} // namespace

void shortcuts(Call& call)
{
    const std::string& key = call.in.key;
    const int kk = call.in.kk;
    const bool zoom_key = key == "+" || key_is(key, "k") || key_is(key, "m") || key == "0" || key == "à" || key == "À";
    // A held key repeats. Zooming may go on, but a toggle would flip the faces back and forth with
    // every repeat, and a command would run again: a key whose Shift was let go before it (Ctrl+
    // Shift+V, the paste) would turn the verso of the pasted copies.
    if (call.in.repeat && kk == kk_ctrl && !zoom_key)
        return;
    if (kk == kk_ctrl) {
        if (key == " ") {
            arm_zoom_tool(call.s, call.host());
        } else if (key == "+" || key_is(key, "k")) {
            view_command(call, zoom_in);
        } else if (key_is(key, "m")) {
            view_command(call, zoom_out);
        } else if (key == "0" || key == "à" || key == "À") {
            view_command(call, zoom_auto);
        } else if (key_is(key, "s")) {
            call.request.kind = InteractionRequest::Kind::save;
        } else if (key_is(key, "l")) {
            call.request.kind = InteractionRequest::Kind::load;
        } else if (key_is(key, "g")) {
            group_command(call, true);
        } else if (key_is(key, "u")) {
            group_command(call, false);
        } else if (key_is(key, "r")) {
            toggle_faces(call, 1);
        } else if (key_is(key, "v")) {
            toggle_faces(call, 2);
        }
    }
    if (key_is(key, "f"))
        front_view(call, true);
    else if (key_is(key, "t"))
        front_view(call, false);
    else if (kk == kk_none && (key == "+" || key_is(key, "k")))
        append(call, 0);
    else if (kk == kk_none && key_is(key, "m"))
        append(call, 1);
}

} // namespace halvern::interaction_detail
