#include "plan/plan_edit.h"

#include "base/numbers.h"
#include "plan/plan_ends.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace halvern {

namespace {

constexpr double degrees_to_radians = 0.017453292519943295;

Error table_full()
{
    return make_error("the plan holds at most " + std::to_string(max_objects) + " objects; nothing was added");
}

// Object numbers stored in the table come from files too: only a number in 1..nb_objets names an
// object.
bool names_object(const PlanTable& plan, std::int32_t n) { return n >= 1 && n <= plan.nb_objets; }

// The selection's count as far as the list can hold.
int selection_count(const PlanTable& plan) { return std::clamp(plan.nb_selection, 0, max_selection); }

bool has_members(const PlanTable& plan, int group)
{
    for (int j = 1; j <= plan.nb_objets; ++j)
        if (plan.obj_groupe[size_t(j)] == group && !plan.is_group(j))
            return true;
    return false;
}

// After a deletion every stored object number must still name the object it named before.
void renumber_references(PlanTable& plan, int k)
{
    // A member of the deleted object (it was a group) is in no group now.
    for (int i = 1; i <= plan.nb_objets; ++i)
        plan.obj_groupe[size_t(i)] = renumbered_after_deletion(plan.obj_groupe[size_t(i)], k);

    if (plan.index_focus == k)
        plan.focus = false;
    plan.index_focus = renumbered_after_deletion(plan.index_focus, k);

    int kept = 0;
    for (int s = 1; s <= selection_count(plan); ++s) {
        const int n = renumbered_after_deletion(plan.selection[size_t(s)], k);
        if (n != 0)
            plan.selection[size_t(++kept)] = n;
    }
    plan.nb_selection = kept;
    if (kept == 0)
        plan.focus_groupe = false;
}

} // namespace

Result<int> append_entry(PlanTable& plan)
{
    if (plan.full())
        return table_full();
    const size_t i = size_t(++plan.nb_objets);
    plan.for_each_object_array([i](auto& array) { array[i] = {}; });
    plan.obj_estompe[i] = -1.0f;
    return int(i);
}

Result<int> create_object(PlanTable& plan, const ComponentTable& components, int component, float x, float y)
{
    if (!ComponentTable::valid(component))
        return make_error("there is no component " + std::to_string(component) + "; nothing was added");
    Result<int> entry = append_entry(plan);
    if (!entry)
        return entry;
    const size_t i = size_t(*entry);
    const Component& c = components[component];
    plan.index_focus = int(i);
    plan.obj_comp[i] = float(component);
    plan.obj_rot[i] = 0;
    plan.obj_x[i] = x;
    plan.obj_y[i] = y;
    plan.obj_estompe[i] = -1.0f;
    plan.obj_elevation[i] = float(c.elevation);
    plan.obj_hauteur[i] = c.library == 0 ? plan.hauteur_defaut : float(c.height);
    plan.obj_profondeur[i] = float(c.depth);
    plan.obj_largeur[i] = float(c.width);
    plan.obj_faces[i] = plan.faces_defaut;
    plan.nb_selection = 0;
    return int(i);
}

Result<int> copy_object(PlanTable& plan, float x, float y)
{
    const int f = plan.index_focus;
    if (!plan.valid(f))
        return make_error("no object is focused; nothing was copied");
    Result<int> copy = copy_object_from(plan, f, x, y);
    if (copy)
        plan.index_focus = *copy;
    return copy;
}

Result<int> copy_object_from(PlanTable& plan, int f, float x, float y)
{
    if (!plan.valid(f))
        return make_error("there is no object " + std::to_string(f) + "; nothing was copied");
    Result<int> entry = append_entry(plan);
    if (!entry)
        return entry;
    const size_t i = size_t(*entry), from = size_t(f);
    for_each_copy_rule(plan, [&](std::string_view, CopyRule alt_drag, CopyRule, auto& array) {
        if (alt_drag == CopyRule::keep)
            array[i] = array[from];
    });
    plan.obj_x[i] = x;
    plan.obj_y[i] = y;
    return int(i);
}

Result<int> append_object(PlanTable& plan, const ComponentTable& components, int component, int p)
{
    const int f = plan.index_focus;
    if (!plan.valid(f) || !ComponentTable::valid(component) || component == group_component)
        return 0;
    const double r = plan.obj_rot[size_t(f)];
    const double style_new = components[component].style;
    const int focus_comp = plan.comp(f);
    const double style_focus = ComponentTable::valid(focus_comp) ? components[focus_comp].style : 0.0;
    double t = 0;
    if (style_new == 0) {
        const double d = style_focus == 1 ? 15 : 0;
        t = (p == 0 ? r - 30 : r - 120) + d;
    } else if (style_new == 1) {
        const double d = style_focus == 0 ? -15 : 0;
        t = (p == 0 ? r : r - 90) + d;
    } else {
        return 0;
    }
    Result<int> entry = append_entry(plan);
    if (!entry)
        return entry;
    const size_t i = size_t(*entry);
    const Component& c = components[component];
    const double lf = component_width(plan, components, f);
    const double ln = c.width;
    plan.obj_x[i] = float(double(plan.obj_x[size_t(f)]) + lf / 2 * std::cos(r * degrees_to_radians) +
                          ln / 2 * std::cos(t * degrees_to_radians));
    plan.obj_y[i] = float(double(plan.obj_y[size_t(f)]) + lf / 2 * std::sin(r * degrees_to_radians) +
                          ln / 2 * std::sin(t * degrees_to_radians));
    plan.obj_rot[i] = float(t);
    plan.obj_estompe[i] = -1.0f;
    plan.obj_comp[i] = float(component);
    plan.obj_hauteur[i] = plan.hauteur_defaut;
    plan.obj_faces[i] = plan.faces_defaut;
    // Sized and raised as the component, as a placed object is, rather than left at zero width.
    plan.obj_elevation[i] = float(c.elevation);
    plan.obj_profondeur[i] = float(c.depth);
    plan.obj_largeur[i] = float(c.width);
    plan.index_focus = int(i);
    return int(i);
}

bool delete_object(PlanTable& plan, int k)
{
    if (!plan.valid(k))
        return false;
    const int n = plan.nb_objets;
    const std::int32_t group = plan.obj_groupe[size_t(k)];
    plan.for_each_object_array([k, n](auto& array) {
        std::move(array.begin() + k + 1, array.begin() + n + 1, array.begin() + k);
    });
    --plan.nb_objets;
    renumber_references(plan, k);

    // A group whose last member went is removed, so that no member can later point at whatever
    // object takes the group's number.
    const int g = renumbered_after_deletion(group, k);
    if (plan.valid(g) && plan.is_group(g) && !has_members(plan, g))
        delete_object(plan, g);
    return true;
}

void delete_marked(PlanTable& plan)
{
    // A deletion that also removes an emptied group in front of the walk moves a marked object
    // behind the walk; walking again until a pass finds nothing catches it.
    bool again = true;
    while (again) {
        again = false;
        for (int i = 1; i <= plan.nb_objets;) {
            if (plan.is_marked(i)) {
                delete_object(plan, i);
                again = true;
            } else {
                ++i;
            }
        }
    }
}

void purge_groups(PlanTable& plan)
{
    const int n = plan.nb_objets;
    std::vector<int> members(size_t(n) + 1, 0);
    for (int j = 1; j <= n; ++j) {
        const std::int32_t g = plan.obj_groupe[size_t(j)];
        if (!plan.is_group(j) && names_object(plan, g))
            ++members[size_t(g)];
    }
    // From the last to the first, so that each deletion leaves the numbers still to visit alone.
    for (int i = n; i >= 1; --i)
        if (plan.is_group(i) && members[size_t(i)] == 0)
            delete_object(plan, i);
}

bool delete_focused_and_selected(PlanTable& plan, const std::vector<int>& also)
{
    // Everything is marked before anything is deleted: deleting first would renumber the objects
    // that the other list names.
    bool any = false;
    for (int n : also)
        if (plan.valid(n) && !plan.is_group(n)) {
            plan.obj_comp[size_t(n)] = float(marked_for_deletion);
            any = true;
        }
    if (plan.valid(plan.index_focus)) {
        plan.obj_comp[size_t(plan.index_focus)] = float(marked_for_deletion);
        any = true;
    }
    for (int s = 1; s <= selection_count(plan); ++s) {
        const int n = plan.selection[size_t(s)];
        if (plan.valid(n)) {
            plan.obj_comp[size_t(n)] = float(marked_for_deletion);
            any = true;
        }
    }
    if (any)
        delete_marked(plan);
    plan.index_focus = 0;
    plan.focus = false;
    plan.focus_groupe = false;
    plan.nb_selection = 0;
    return any;
}

Result<void> select_object(PlanTable& plan, int i)
{
    if (!plan.valid(i))
        return make_error("there is no object " + std::to_string(i) + " to select");
    if (is_selected(plan, i))
        return {};
    if (selection_count(plan) >= max_selection)
        return make_error("the selection holds at most " + std::to_string(max_selection) +
                          " objects; object " + std::to_string(i) + " was not selected");
    plan.nb_selection = selection_count(plan) + 1;
    plan.selection[size_t(plan.nb_selection)] = i;
    return {};
}

void clear_selection(PlanTable& plan)
{
    plan.nb_selection = 0;
    plan.focus_groupe = false;
}

std::vector<int> selected_objects(const PlanTable& plan)
{
    std::vector<int> members;
    for (int k = 1; k <= std::min(plan.nb_selection, max_selection); ++k)
        members.push_back(plan.selection[size_t(k)]);
    return members;
}

bool is_selected(const PlanTable& plan, int i)
{
    for (int s = 1; s <= selection_count(plan); ++s)
        if (plan.selection[size_t(s)] == i)
            return true;
    return false;
}

int renumbered_after_deletion(int n, int k)
{
    if (n == k)
        return 0;
    return n > k ? n - 1 : n;
}

float normalize_loaded_rotation(float rot)
{
    return float(normalize_degrees(round_to_int(double(rot) + 3600.0)));
}

} // namespace halvern
