// The still layer of the plan: what lies under the objects and moves only with the view.

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "plan/render_parts.h"

namespace halvern::render_detail {

namespace {

constexpr int white = make_colour(255, 255, 255);
constexpr int floor_grey = make_colour(220, 220, 220);
constexpr int fine_grid_grey = make_colour(230, 230, 230);
constexpr int coarse_grid_grey = make_colour(210, 210, 210);
constexpr int wall_grey = make_colour(158, 158, 158);

constexpr double wall_half_thickness = 4; // cm either side of the floor's edge

PixelRect box_between(Pixel a, Pixel b)
{
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
}

// Lines every `step` centimetres of plan, fixed to the plan while it scrolls: at pixel
// zoom (step k + (offset mod step)) for k = 0, 1, ..., the offset rounded to whole centimetres
// first. Only the lines that can touch the window are drawn, each running across the plan area
// and a little past the window so that its ends never show inside it.
void grid_lines(const Context& ctx, double step, int width)
{
    Canvas& c = ctx.c();
    const double zoom = ctx.view.zoom;
    if (!(zoom > 0) || !std::isfinite(zoom))
        return;
    const int step_cm = int(step);
    const int x0 = ctx.column() ? palette_width : 0;
    const PixelRect& w = ctx.window;
    const int margin = width + 2;
    const int left = std::max(x0, w.x - margin), right = std::min(ctx.options.width, w.x + w.width + margin);
    const int top = std::max(0, w.y - margin), bottom = std::min(ctx.options.height, w.y + w.height + margin);
    if (left >= right || top >= bottom)
        return;

    auto draw = [&](int phase, double from_px, double to_px, bool vertical) {
        const double first = std::max(0.0, std::floor((from_px / zoom - phase) / step) - 1);
        const double last = std::ceil((to_px / zoom - phase) / step) + 1;
        for (double k = first; k <= last; ++k) {
            const double at = zoom * (step * k + phase);
            if (vertical) {
                const int x = to_pixel(x0 + at);
                if (x >= left && x <= right)
                    c.grid_line({x, top}, {x, bottom});
            } else {
                const int y = to_pixel(at);
                if (y >= top && y <= bottom)
                    c.grid_line({left, y}, {right, y});
            }
        }
    };
    const int phase_y = round_to_int(ctx.view.decal_y) % step_cm;
    const int phase_x = round_to_int(ctx.view.decal_x) % step_cm;
    draw(phase_y, top, bottom, false);
    draw(phase_x, left - x0, right - x0, true);
}

void wall_bar(const Context& ctx, double x0, double y0, double x1, double y1)
{
    ctx.c().box(box_between(ctx.pixel(x0, y0), ctx.pixel(x1, y1)), true);
}

} // namespace

void draw_background(const Context& ctx)
{
    Canvas& c = ctx.c();
    const StandSettings& stand = ctx.scene.stand;
    const int x0 = ctx.column() ? palette_width : 0;

    c.set_line(line_solid, 1);
    c.set_colour_value(white);
    const int left = std::max(x0, ctx.window.x);
    c.box({left, ctx.window.y, ctx.window.x + ctx.window.width - left, ctx.window.height}, true);

    const double far_x = 100 + 100.0 * double(stand.stand_largeur);
    const double far_y = 100 + 100.0 * double(stand.stand_profondeur);
    c.set_colour_value(floor_grey);
    c.box(box_between(ctx.pixel(100, 100), ctx.pixel(far_x, far_y)), true);

    c.set_colour_value(fine_grid_grey);
    c.set_line(line_solid, 1);
    grid_lines(ctx, 10, 1);

    const int coarse_width = std::max(1, round_to_int(ctx.view.zoom));
    c.set_colour_value(coarse_grid_grey);
    c.set_line(line_solid, coarse_width);
    grid_lines(ctx, 100, coarse_width);

    // Walls and open frames stand on the floor's edges: back is the edge at y = 100, front the far
    // one, left x = 100, right the far x. Header bands hang above and leave the plan as it is.
    c.set_line(line_solid, 1);
    c.set_colour_value(wall_grey);
    const int murs = stand.stand_murs;
    const double h = wall_half_thickness;
    auto bit = [murs](int n) { return (murs >> n) & 1; };
    if (bit(1) || bit(6))
        wall_bar(ctx, 100 - h, 100 - h, far_x + h, 100 + h);
    if (bit(0) || bit(7))
        wall_bar(ctx, 100 - h, far_y - h, far_x + h, far_y + h);
    if (bit(3) || bit(4))
        wall_bar(ctx, 100 - h, 100 - h, 100 + h, far_y + h);
    if (bit(2) || bit(5))
        wall_bar(ctx, far_x - h, 100 - h, far_x + h, far_y + h);
}

} // namespace halvern::render_detail
