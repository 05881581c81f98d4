// The palette column at the left of the window and the status texts at its top right.

#include <algorithm>
#include <string>

#include "base/numbers.h"
#include "geometry/outline_cache.h"
#include "plan/design_checks.h"
#include "plan/render_parts.h"

namespace halvern::render_detail {

namespace {

constexpr double palette_zoom = 0.5;
constexpr int cell_room = 70; // pixels a component may take in its 75-pixel cell
constexpr int library_name_characters = 11;
constexpr int no_3d_red = make_colour(200, 0, 0);
constexpr int armed_fill = make_colour(204, 224, 255);
constexpr int armed_edge = make_colour(40, 100, 220);
constexpr double status_points = 8;
constexpr int status_width = 190; // pixels the status texts take left of the right edge
// Room right of the column that a kept column picture keeps for texts running over its edge.
constexpr int column_overflow = 120;

// The first characters of a UTF-8 text, whole characters only.
std::string first_characters(const std::string& text, int count)
{
    size_t end = 0;
    int seen = 0;
    while (end < text.size()) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80) {
            if (seen == count)
                break;
            ++seen;
        }
        ++end;
    }
    return text.substr(0, end);
}

void draw_cell(const Context& ctx, const PaletteCell& cell, int slide)
{
    const Component& c = ctx.scene.components[cell.component];
    // Components drawn at half size, and larger ones made to fit their cell rather than spill
    // over the plan.
    const double w = c.width == 0 ? 100 : c.width, d = c.depth == 0 ? 100 : c.depth;
    const double zoom = std::min({palette_zoom, cell_room / std::abs(w), cell_room / std::abs(d)});
    ComponentLook look;
    look.x = (cell.rect.x + cell.rect.width / 2.0) / zoom;
    look.y = (cell.rect.y + slide + cell.rect.height / 2.0) / zoom;
    look.component = cell.component;
    look.object_width = c.width;
    look.object_depth = c.depth;
    draw_component(ctx.c(), ctx.scene.components, PlanView{zoom, 0, 0, false}, look);
    if (exported_without_3d(c)) {
        ctx.c().set_colour_value(no_3d_red);
        ctx.c().text({3, cell.rect.y + slide + 2}, "NO 3D", palette_text_points);
    }
}

} // namespace

void draw_palette(const Context& ctx)
{
    Canvas& c = ctx.c();
    const int height = ctx.options.height;
    const PaletteState state = ctx.options.palette ? *ctx.options.palette : PaletteState{};
    const PaletteLayout layout = palette_layout(ctx.scene.components, ctx.scene.libraries, state, height);

    c.set_line(line_solid, 1);
    c.set_colour_value(colour_white);
    c.box({0, 0, palette_width, height}, true);
    c.set_colour_value(colour_black);
    c.line({palette_width, 0}, {palette_width, height});
    c.line({0, 20}, {palette_width, 20});

    const LibraryTable& libraries = ctx.scene.libraries;
    if (LibraryTable::valid(libraries.current_library)) {
        c.text({3, 4}, first_characters(libraries.name[size_t(libraries.current_library)], library_name_characters),
               palette_text_points);
    }

    for (const PaletteCell& cell : layout.cells) {
        if (!cell.pickable)
            continue;
        if (cell.component == state.armed) {
            // The picked cell stays marked until the component is placed or the pick is put back.
            const PixelRect r{cell.rect.x + 2, cell.rect.y + state.slide + 2, cell.rect.width - 4, cell.rect.height - 4};
            c.set_colour_value(armed_fill);
            c.box(r, true);
            c.set_colour_value(armed_edge);
            c.box(r, false);
            c.set_colour_value(colour_black);
        }
        draw_cell(ctx, cell, state.slide);
    }

    c.set_line(line_solid, 1);
    c.set_colour_value(colour_black);
    c.text({22, layout.foot_top + 2}, "-     +", palette_text_points);
    c.text({3, layout.foot_top + 18}, "Haut." + format_number(ctx.scene.plan.hauteur_defaut) + "cm",
           palette_text_points);
}

void draw_kept_palette(const Context& ctx, KeptDrawing& kept)
{
    // Everything the column is drawn from: its size and state, the library's name, the default
    // height, and each cell with what its component's drawing reads.
    const int height = ctx.options.height;
    const PaletteState state = ctx.options.palette ? *ctx.options.palette : PaletteState{};
    const PaletteLayout layout = palette_layout(ctx.scene.components, ctx.scene.libraries, state, height);
    const LibraryTable& libraries = ctx.scene.libraries;
    std::string key = std::to_string(height) + ',' + std::to_string(state.offset) + ',' + std::to_string(state.slide) +
                      ',' + std::to_string(state.armed) + ',' + std::to_string(layout.foot_top) + ',' +
                      std::to_string(libraries.current_library) + ',' + format_number(ctx.scene.plan.hauteur_defaut);
    if (LibraryTable::valid(libraries.current_library))
        key += '\0' + libraries.name[size_t(libraries.current_library)] + '\0';
    for (const PaletteCell& cell : layout.cells) {
        key += ';' + std::to_string(cell.component) + ',' + std::to_string(int(cell.pickable));
        key += ',' + std::to_string(cell.rect.x) + ',' + std::to_string(cell.rect.y) + ',' +
               std::to_string(cell.rect.width) + ',' + std::to_string(cell.rect.height);
        if (cell.pickable) {
            const Component& c = ctx.scene.components[cell.component];
            key += ',' + std::to_string(drawing_fingerprint(c)) + ',' + std::to_string(int(exported_without_3d(c)));
        }
    }
    // The column sets its own colours and lines: it starts from the same state whatever the plan
    // left, so that only the smoothness is part of what it is drawn from.
    ctx.c().set_state({colour_black, line_solid, 1, ctx.c().smooth()});
    kept.draw(ctx.c(), key, {0, 0, palette_width + column_overflow, height}, [&](Canvas& canvas) {
        Context on_picture = ctx;
        on_picture.canvas = &canvas;
        draw_palette(on_picture);
    });
}

void draw_status(const Context& ctx)
{
    Canvas& c = ctx.c();
    const ViewState& v = ctx.view;
    const int x = std::max(palette_width + 4, ctx.options.width - status_width);
    const double line = text_pixels(status_points) * 1.25;
    std::vector<std::string> lines;
    if (ctx.options.pointer) {
        const PlanPoint& p = *ctx.options.pointer;
        lines.push_back("X :" + format_number(round_half_away(p.x - 100)) + " cm x Y :"
                        + format_number(round_half_away(p.y - 100)) + " cm");
    }
    lines.push_back("zoom :" + format_number(round_half_away(v.zoom * 100) / 100));
    lines.push_back("topx :" + format_number(v.decal_x));
    lines.push_back("topy :" + format_number(v.decal_y));
    c.set_colour_value(colour_black);
    for (size_t k = 0; k < lines.size(); ++k)
        c.text({x, to_pixel(2 + line * double(k))}, lines[k], status_points);
}

} // namespace halvern::render_detail
