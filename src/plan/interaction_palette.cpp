// Picking a component in the palette column, scrolling the column, and placing the picked
// component in the plan.

#include "plan/interaction_steps.h"
#include "plan/palette_hit.h"
#include "plan/plan_edit.h"

namespace halvern::interaction_detail {

void palette_press(Call& call)
{
    InteractionState& s = call.s;
    const PlanTable& plan = call.plan();
    // Only a new press acts: a button held over the column must not pick or scroll at every move.
    // A new press also replaces a pick that was not placed yet, so a wrong cell can be corrected.
    if (!call.left_pressed || !call.in_column || plan.focus || plan.focus_groupe)
        return;
    const PaletteHit hit = palette_hit(call.in.pixel_x, call.in.pixel_y, call.in.area_height,
                                       call.c.libraries.current_library, s.palette_scroll);
    switch (hit.kind) {
    case PaletteHit::Kind::cell:
        if (!palette_offers(call.c.components, hit.component))
            return;
        s.selected_component = hit.component;
        if (call.in.kk == kk_ctrl)
            call.host().open_object_editor(hit.component);
        s.depot_palette = true;
        return;
    case PaletteHit::Kind::scroll_back:
    case PaletteHit::Kind::scroll_forward: {
        const int from = s.palette_scroll;
        const int to = palette_scrolled(from, hit.kind == PaletteHit::Kind::scroll_back ? -1 : 1);
        if (to != from) {
            s.palette_scroll = to;
            call.host().palette_scrolled(from, to);
        }
        return;
    }
    default:
        return;
    }
}

void start_placing(Call& call)
{
    InteractionState& s = call.s;
    PlanTable& plan = call.plan();
    if (!s.depot_palette || !call.left || !(call.in.pixel_x > palette_width) || plan.focus || plan.focus_groupe)
        return;
    s.depot_palette = false;
    const int component = s.selected_component;
    if (!ComponentTable::valid(component) || call.c.components[component].is_free())
        return;
    Result<int> created = create_object(plan, call.c.components, component, float(call.x), float(call.y));
    if (!created) {
        show_error(call, created.error());
        return;
    }
    // The new object is held like a picked one, grabbed at its middle, until the release drops it.
    plan.focus = true;
    plan.focus_groupe = false;
    s.placing = true;
    s.mode_copie = false;
    s.flag_lasso = false;
    s.org_x = s.org_y = 0;
    s.rot_memo = 0;
    s.ancx = call.x;
    s.ancy = call.y;
    s.held = {held_entry(plan, *created, "OO")};
}

} // namespace halvern::interaction_detail
