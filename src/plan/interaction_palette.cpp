// Picking a component in the palette column, scrolling the column, and placing the picked
// component in the plan.

#include "plan/interaction_steps.h"
#include "plan/palette.h"
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
    // The layout the column was drawn with, so a press lands on the cell the user sees.
    const PaletteLayout layout = palette_layout(call.c.components, call.c.libraries,
                                                PaletteState{s.palette_scroll, 0}, int(call.in.area_height));
    const PaletteHit hit = palette_hit(layout, call.in.pixel_x, call.in.pixel_y);
    switch (hit.kind) {
    case PaletteHit::Kind::cell:
        if (hit.component < 0) // an empty cell
            return;
        s.selected_component = hit.component;
        if (call.in.kk == kk_ctrl)
            call.request = {InteractionRequest::Kind::object_editor, 0, {}, hit.component};
        s.depot_palette = true;
        call.host().redraw(); // the picked cell is marked
        return;
    case PaletteHit::Kind::scroll_back:
    case PaletteHit::Kind::scroll_forward: {
        PaletteState palette{s.palette_scroll, 0};
        const int from = palette.offset;
        if (scroll_palette(palette, hit.kind == PaletteHit::Kind::scroll_back ? -1 : 1)) {
            s.palette_scroll = palette.offset;
            call.host().palette_scrolled(from, palette.offset);
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
    s.carried.clear(); // a new object carries nothing
}

} // namespace halvern::interaction_detail
