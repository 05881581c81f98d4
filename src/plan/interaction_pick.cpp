// The hover and the press on an object: picking it, its chain of joined objects or its group, and
// its property dialog.

#include <algorithm>
#include <cmath>

#include "geometry/canvas_adapters.h"
#include "geometry/component_drawing.h"
#include "plan/carried_objects.h"
#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

// Faded objects cannot be picked; group objects and objects being deleted have no outline to pick.
bool pickable(const PlanTable& plan, int i) { return plan.obj_estompe[size_t(i)] != 0 && has_geometry(plan, i); }

// A footprint in the object's own frame, unturned, about its reference point.
struct LocalBox {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// Pixels per centimetre the outline of a path is measured at: fine enough for a tenth of a
// millimetre of error to be lost in the six-pixel minimum, coarse enough for any stand.
constexpr double outline_measure_zoom = 8;

// A component drawn from its own path may reach well outside its table size: the box of what is
// drawn is what the user sees and clicks.
std::optional<LocalBox> outline_box(const PlanTable& plan, const ComponentTable& components, int i)
{
    const Component& c = components[plan.comp(i)];
    if (c.library == 0 || c.library == 23 || (c.shape != shape_turtle_path && c.shape != shape_point_list))
        return std::nullopt;
    BoundsCanvas bounds;
    ComponentLook look;
    look.component = plan.comp(i);
    look.object_width = plan.obj_largeur[size_t(i)];
    look.object_depth = plan.obj_profondeur[size_t(i)];
    draw_component(bounds, components, PlanView{outline_measure_zoom, 0, 0, false}, look);
    if (bounds.empty())
        return std::nullopt;
    const double z = outline_measure_zoom;
    return LocalBox{bounds.left() / z, bounds.top() / z, (bounds.right() + 1) / z, (bounds.bottom() + 1) / z};
}

bool footprint_holds(const PlanTable& plan, const ComponentTable& components, int i, double min_cm, double x, double y)
{
    const size_t k = size_t(i);
    LocalBox box;
    if (std::optional<LocalBox> drawn = outline_box(plan, components, i)) {
        box = *drawn;
    } else {
        const double w = std::max(0.0, double(plan.obj_largeur[k])) / 2, d = std::max(0.0, double(plan.obj_profondeur[k])) / 2;
        box = {-w, -d, w, d};
    }
    // Thin walls and small posts stay a target the hand can hit at any zoom.
    auto widen = [&](double& low, double& high) {
        const double missing = min_cm - (high - low);
        if (missing > 0) {
            low -= missing / 2;
            high += missing / 2;
        }
    };
    widen(box.left, box.right);
    widen(box.top, box.bottom);
    // The pointer in the object's own frame: the object's turn taken back.
    constexpr double degrees = 0.017453292519943295;
    const double a = plan.obj_rot[k] * degrees, ca = std::cos(a), sa = std::sin(a);
    const double dx = x - plan.obj_x[k], dy = y - plan.obj_y[k];
    const double lx = dx * ca + dy * sa, ly = -dx * sa + dy * ca;
    return lx >= box.left && lx <= box.right && ly >= box.top && ly <= box.bottom;
}

} // namespace

int footprint_object(const PlanTable& plan, const ComponentTable& components, double zoom, double x, double y)
{
    if (!(zoom > 0) || !std::isfinite(zoom))
        return 0;
    const double min_cm = footprint_min_pixels / zoom;
    // The one drawn last lies on top of the others: the search runs from the end of the table.
    for (int i = plan.nb_objets; i >= 1; --i)
        if (pickable(plan, i) && ComponentTable::valid(plan.comp(i)) && footprint_holds(plan, components, i, min_cm, x, y))
            return i;
    return 0;
}

int picked_object(const PlanTable& plan, const ComponentTable& components, double zoom, double x, double y)
{
    if (const int hovered = hovered_object(plan, x, y); hovered > 0)
        return hovered;
    if (plan.nb_selection > 0) {
        if (const std::optional<PlanBox> box = interaction_detail::selection_box(plan, components)) {
            const double m = selection_box_margin;
            if (x > box->left - m && x < box->right + m && y > box->top - m && y < box->bottom + m)
                return 0;
        }
    }
    return footprint_object(plan, components, zoom, x, y);
}

Result<void> take_pick(PlanTable& plan, int f)
{
    if (!plan.valid(f))
        return {};
    plan.index_focus = f;
    clear_selection(plan);
    if (plan.obj_groupe[size_t(f)] <= 0)
        return {};
    Result<void> picked = pick_group(plan, f);
    plan.index_focus = 0;
    return picked;
}

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
        call.s.carried.clear();
        call.host().redraw();
    }
}

} // namespace

void hover(Call& call)
{
    InteractionState& s = call.s;
    s.survol = call.in_column ? 0 : hovered_object(call.plan(), call.x, call.y);
    // What a press would pick here is named and shown by the pointer, also where only its
    // footprint lies under the pointer.
    const int target = s.survol > 0 || call.in_column ? s.survol : picked_object(call.plan(), call.c.components, call.c.view.zoom, call.x, call.y);
    if (target > 0)
        call.host().show_status(hover_status(call, target));
    // The zoom tool keeps its own pointer shape until its rectangle is drawn.
    if (!s.mode_loupe)
        call.host().set_cursor(target > 0 ? cursor_move : cursor_standard);
}

void press_on_object(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    // The zoom and measuring tools take every press in the plan for themselves.
    if (!call.left_pressed || call.in_column || s.mode_loupe || plan.focus || plan.focus_groupe)
        return;
    const int f = call.pick;
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
    s.carried = s.carry ? carried_objects(plan, call.c.components, {f}) : std::vector<int>{};

    // A double-click opens the dialog as Ctrl+click does: its first click already picked the object.
    if (call.in.kk == kk_ctrl || call.in.double_click) {
        plan.focus = false;
        s.held.clear();
        s.carried.clear();
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
        s.carried.clear();
        call.host().redraw();
    }
}

} // namespace interaction_detail

} // namespace halvern
