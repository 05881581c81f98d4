// Rectangles drawn with the left button on empty plan: the lasso that selects, or, with the zoom
// tool, the rectangle the view zooms to. Also the measuring tool's line.

#include <algorithm>

#include "plan/interaction_steps.h"
#include "plan/plan_edit.h"
#include "plan/plan_ends.h"

namespace halvern::interaction_detail {

namespace {

// Pixels of the drawing area kept free beside and under a zoomed rectangle.
constexpr double zoom_side_room = 75;
constexpr double zoom_bottom_room = 50;
constexpr double zoom_guard_room = 95;
constexpr double zoom_guard_limit = 400;

PlanBox normalised(double x1, double y1, double x2, double y2)
{
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

// Zooms so that the rectangle fills the plan area and centres it there. A rectangle too small for
// a sensible zoom leaves the view alone. False when nothing changed.
bool zoom_to_rectangle(ViewState& view, const PlanBox& box, double width, double height)
{
    const double dx = box.right - box.left, dy = box.bottom - box.top;
    if (!(dx > 0 && dy > 0) || !((width - zoom_guard_room) / dx < zoom_guard_limit))
        return false;
    double zoom = (width - zoom_side_room) / dx;
    if ((height - zoom_bottom_room) / dy < zoom)
        zoom = (height - zoom_bottom_room) / dy;
    if (!(zoom > 0))
        return false;
    // The redraw would otherwise fit the whole stand again at once.
    view.zoom_auto = false;
    view.zoom = zoom;
    const double cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    view.decal_x = float((width - palette_width) / (2 * zoom) - cx);
    view.decal_y = float(height / (2 * zoom) - cy);
    view.view_valid = false;
    return true;
}

bool lassoed(const PlanTable& plan, int i, const PlanBox& box)
{
    if (plan.obj_estompe[size_t(i)] == 0 || !has_geometry(plan, i))
        return false;
    const double x = plan.obj_x[size_t(i)], y = plan.obj_y[size_t(i)];
    return x - lasso_margin >= box.left && x + lasso_margin <= box.right && y - lasso_margin >= box.top &&
           y + lasso_margin <= box.bottom;
}

void lasso(Call& call, const PlanBox& box)
{
    PlanTable& plan = call.plan();
    clear_selection(plan);
    bool refused = false;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!lassoed(plan, i, box))
            continue;
        Result<void> added = select_object(plan, i);
        if (!added && !refused) {
            show_error(call, added.error());
            refused = true;
        }
    }
    plan.focus = false;
    plan.index_focus = 0;
    call.s.ancx = -1;
    // One object alone is simply focused.
    if (plan.nb_selection == 1) {
        plan.index_focus = plan.selection[1];
        clear_selection(plan);
    }
}

} // namespace

void press_on_empty(Call& call)
{
    InteractionState& s = call.s;
    const PlanTable& plan = call.plan();
    if (!call.left_pressed || call.in_column || plan.focus || plan.focus_groupe || call.request)
        return;
    if (call.pick > 0 && !s.mode_loupe)
        return;
    s.flag_lasso = true;
    s.org_x = call.x;
    s.org_y = call.y;
    s.ancx = -1;
}

void show_rectangle(Call& call)
{
    if (!call.s.flag_lasso || !call.left)
        return;
    LiveOverlay overlay;
    overlay.rectangle = normalised(call.s.org_x, call.s.org_y, call.x, call.y);
    call.host().redraw_live(overlay);
}

void release_rectangle(Call& call)
{
    InteractionState& s = call.s;
    if (!s.flag_lasso || call.left || call.plan().focus_groupe)
        return;
    s.flag_lasso = false;
    const PlanBox box = normalised(s.org_x, s.org_y, call.x, call.y);
    call.host().set_cursor(cursor_standard);
    if (s.mode_loupe) {
        s.mode_loupe = false;
        if (zoom_to_rectangle(call.c.view, box, call.in.area_width, call.in.area_height))
            call.host().view_changed();
    } else {
        lasso(call, box);
    }
    call.host().redraw();
}

bool measure(Call& call)
{
    InteractionState& s = call.s;
    const PlanTable& plan = call.plan();
    if (!s.measuring) {
        // The armed tool waits for a press of its own; a gesture already under way finishes first.
        if (!s.mode_mesure || plan.focus || plan.focus_groupe || s.flag_lasso || s.rotation_en_cours)
            return false;
        if (!call.left_pressed || call.in_column)
            return true;
        s.measuring = true;
        s.measure_from = {call.x, call.y};
    }
    if (call.left) {
        LiveOverlay overlay;
        overlay.measure = MeasureLine{s.measure_from, {call.x, call.y}};
        call.host().redraw_live(overlay);
    } else {
        // One measurement per activation of the tool; its line stays until the next press.
        s.measuring = false;
        s.mode_mesure = false;
        s.kept_measure = MeasureLine{s.measure_from, {call.x, call.y}};
        call.host().redraw();
    }
    return true;
}

} // namespace halvern::interaction_detail
