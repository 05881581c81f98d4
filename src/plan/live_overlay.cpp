#include "plan/live_overlay.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "geometry/component_drawing.h"

namespace halvern {

namespace {

constexpr double readout_points = 8;
constexpr double measure_points = 11; // read at a glance, while the hand is still on the mouse
constexpr int readout_line_pixels = 14;
constexpr int readout_right_room = 190; // the position texts start this far left of the right edge

Pixel pixel_of(const ViewState& view, PlanPoint p)
{
    const PixelPoint px = view.to_pixel(p.x, p.y);
    return {to_pixel(px.x), to_pixel(px.y)};
}

} // namespace

std::string measure_text(const MeasureLine& line)
{
    const double d = std::hypot(line.to.x - line.from.x, line.to.y - line.from.y);
    return "Distance " + format_number(round_half_away(d * 10) / 10) + " cm";
}

void draw_live_overlay(Canvas& canvas, const PlanTable& plan, const ComponentTable& components,
                       const ViewState& view, const LiveOverlay& overlay)
{
    const PlanView plan_view{view.zoom, view.decal_x, view.decal_y, true};
    for (const GhostObject& ghost : overlay.objects) {
        if (!has_geometry(plan, ghost.object))
            continue;
        const size_t i = size_t(ghost.object);
        ComponentLook look;
        look.x = ghost.x;
        look.y = ghost.y;
        look.angle = ghost.rot;
        look.component = plan.comp(ghost.object);
        look.detail = std::clamp(plan.obj_faces[i], 0, 3);
        look.object_width = plan.obj_largeur[i];
        look.object_depth = plan.obj_profondeur[i];
        look.end_code = ghost.end_code;
        draw_component(canvas, components, plan_view, look);
    }

    if (overlay.rectangle) {
        const PlanBox& r = *overlay.rectangle;
        const Pixel a = pixel_of(view, {r.left, r.top}), b = pixel_of(view, {r.right, r.bottom});
        canvas.set_colour(0, 0, 0);
        canvas.set_line(line_dot, 1);
        canvas.box({std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)}, false);
    }

    if (overlay.measure) {
        const Pixel a = pixel_of(view, overlay.measure->from), b = pixel_of(view, overlay.measure->to);
        canvas.set_colour(200, 0, 0);
        canvas.set_line(line_solid, 1);
        canvas.line(a, b);
        canvas.set_colour(0, 0, 0);
        canvas.text({b.x + 8, b.y + 8}, measure_text(*overlay.measure), measure_points);
    }

    if (overlay.note) {
        const Pixel at = pixel_of(view, overlay.note->at);
        canvas.set_colour(0, 0, 0);
        canvas.text({at.x + 14, at.y + 14}, overlay.note->text, measure_points);
    }
}

void draw_readout(Canvas& canvas, const Readout& readout, int area_width)
{
    canvas.set_colour(0, 0, 0);
    int y = 2;
    for (const std::string& line : readout.debug) {
        canvas.text({palette_width + 5, y}, line, readout_points);
        y += readout_line_pixels;
    }
    y = 2;
    const int x = std::max(palette_width + 5, area_width - readout_right_room);
    for (const std::string& line : readout.position) {
        canvas.text({x, y}, line, readout_points);
        y += readout_line_pixels;
    }
}

} // namespace halvern
