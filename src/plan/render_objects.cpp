// Each object on the plan: its outline, the mark of the focus and the selection, the helpers the
// View menu switches on, the group boxes and the duplicate marks; and the front view.

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "geometry/point_path.h"
#include "plan/panel_size.h"
#include "plan/render_parts.h"
#include "plan/snapping.h"

namespace halvern::render_detail {

namespace {

constexpr double faded_intensity = 0.4;

constexpr int selection_blue = make_colour(0, 90, 255);
constexpr int magnet_red = make_colour(255, 0, 0);
constexpr int angle_text_blue = make_colour(0, 0, 200);
constexpr int angle_error_red = make_colour(230, 0, 0);
constexpr int group_blue = make_colour(0, 0, 160);
constexpr int doublon_yellow = make_colour(255, 255, 0);

constexpr double magnet_mark_radius = 3;  // pixels
constexpr double angle_error_radius = 6;  // pixels
constexpr double angle_text_inset = 14;   // pixels from the end towards the object's centre
constexpr double angle_text_points = 7;
constexpr double duplicate_radius = 6;    // times the zoom

double intensity_of(const PlanTable& plan, int i) { return is_faded(plan, i) ? faded_intensity : 1.0; }

const Component* component_of(const Context& ctx, int i)
{
    const int n = ctx.scene.plan.comp(i);
    return ComponentTable::valid(n) ? &ctx.scene.components[n] : nullptr;
}

int scaled(const Context& ctx, double pixels) { return std::max(1, round_to_int(pixels * ctx.scale())); }

PixelRect circle_box(Pixel centre, int radius) { return {centre.x - radius, centre.y - radius, 2 * radius, 2 * radius}; }

// The marks at ends and magnets: the same few rings hundreds of times, kept as pictures with the
// labels where the window keeps them.
void ring(const Context& ctx, PixelRect box)
{
    if (ctx.options.labels)
        ctx.options.labels->draw_ring(ctx.c(), box);
    else
        ctx.c().ellipse(box, false);
}

void coloured(Canvas& c, int colour, double intensity)
{
    c.set_colour(colour_red(colour), colour_green(colour), colour_blue(colour), intensity);
}

// The turned footprint of object i (component width by depth) in pixels.
std::array<Pixel, 4> footprint(const Context& ctx, int i, const Component& c)
{
    const PlanTable& plan = ctx.scene.plan;
    const double x = plan.obj_x[size_t(i)], y = plan.obj_y[size_t(i)];
    const Rotation turn(plan.obj_rot[size_t(i)]);
    const double w = c.width / 2, d = c.depth / 2;
    const std::array<PointD, 4> corners = {{{x - w, y - d}, {x + w, y - d}, {x + w, y + d}, {x - w, y + d}}};
    std::array<Pixel, 4> out;
    for (size_t k = 0; k < 4; ++k) {
        PointD p = turn.apply(x, y, corners[k].x, corners[k].y);
        out[k] = ctx.pixel(p.x, p.y);
    }
    return out;
}

bool selected(const PlanTable& plan, int i)
{
    const int count = std::clamp(plan.nb_selection, 0, max_selection);
    for (int k = 1; k <= count; ++k)
        if (plan.selection[size_t(k)] == i)
            return true;
    return false;
}

const std::string& height_text(const Context& ctx, float hauteur, std::string& scratch)
{
    if (!ctx.texts)
        return scratch = format_number(hauteur) + " cm";
    auto [at, fresh] = ctx.texts->heights.try_emplace(std::bit_cast<std::uint32_t>(hauteur));
    if (fresh)
        at->second = format_number(hauteur) + " cm";
    return at->second;
}

const std::string& panel_text(const Context& ctx, double width_mm, double hauteur_cm, std::string& scratch)
{
    if (!ctx.texts)
        return scratch = panel_size_text(width_mm, hauteur_cm);
    const std::pair key{std::bit_cast<std::uint64_t>(width_mm), std::bit_cast<std::uint64_t>(hauteur_cm)};
    auto [at, fresh] = ctx.texts->panel_sizes.try_emplace(key);
    if (fresh)
        at->second = panel_size_text(width_mm, hauteur_cm);
    return at->second;
}

// The label's lines, one for each switch that is on, `line_height` apart, into `lines` (whose
// strings keep their room from one object to the next); how many there are.
size_t label_lines(const Context& ctx, int i, const Component& c, double line_height, std::vector<LabelLine>& lines)
{
    const PlanTable& plan = ctx.scene.plan;
    const ViewState& v = ctx.view;
    size_t n = 0;
    std::string scratch;
    auto add = [&](const std::string& text) {
        if (lines.size() <= n)
            lines.emplace_back();
        lines[n].offset = {scaled(ctx, 6), to_pixel(scaled(ctx, 4) + line_height * double(n))};
        lines[n].text.assign(text);
        ++n;
    };
    if (v.aff_noms)
        add(plan.obj_texte[size_t(i)].empty() ? c.name : plan.obj_texte[size_t(i)]);
    const double height = c.library == 0 ? built_in_height(plan.obj_hauteur[size_t(i)]) : plan.obj_hauteur[size_t(i)];
    if (v.aff_hauteurs)
        add(height_text(ctx, float(height), scratch));
    if (v.aff_largeur_panneaux && c.library == 0 && c.panel != 0) {
        const int faces = plan.obj_faces[size_t(i)];
        const std::string& computed = ctx.facts.end_codes[size_t(i)];
        for (int face = 1; face <= 2; ++face)
            if (faces == face || faces == 3) {
                const std::string code = end_code_with_override(plan, i, face, computed);
                add(panel_text(ctx, face_picture_width_mm(c.width, code), height, scratch));
            }
    }
    return n;
}

// How object i is drawn: on the plan at its place, or in the front view at its height.
ComponentLook look_of(const Context& ctx, int i, bool front_view)
{
    const PlanTable& plan = ctx.scene.plan;
    ComponentLook look;
    look.x = plan.obj_x[size_t(i)];
    look.y = front_view ? plan.obj_hauteur[size_t(i)] : plan.obj_y[size_t(i)];
    look.angle = plan.obj_rot[size_t(i)];
    look.component = plan.comp(i);
    look.detail = std::clamp(plan.obj_faces[size_t(i)], 0, 3);
    look.intensity = intensity_of(plan, i);
    look.object_width = plan.obj_largeur[size_t(i)];
    look.object_depth = plan.obj_profondeur[size_t(i)];
    look.front_view = front_view;
    if (size_t(i) < ctx.facts.end_codes.size() && ctx.facts.end_codes[size_t(i)].size() == 2)
        look.end_code = ctx.facts.end_codes[size_t(i)];
    return look;
}

} // namespace

void draw_object(const Context& ctx, int i)
{
    if (ctx.options.outlines)
        ctx.options.outlines->draw(ctx.c(), ctx.scene.components, ctx.plan_view, look_of(ctx, i, false));
    else
        draw_component(ctx.c(), ctx.scene.components, ctx.plan_view, look_of(ctx, i, false));
}

void draw_selection_mark(const Context& ctx, int i)
{
    if (!ctx.options.selection_marks)
        return;
    const PlanTable& plan = ctx.scene.plan;
    const bool focused = plan.index_focus == i;
    if (!focused && !selected(plan, i))
        return;
    const Component* c = component_of(ctx, i);
    if (!c)
        return;
    Canvas& canvas = ctx.c();
    coloured(canvas, selection_blue, 1);
    canvas.set_line(focused ? line_solid : line_dash, scaled(ctx, focused ? 2 : 1));
    const auto corners = footprint(ctx, i, *c);
    canvas.polygon(corners, false);
    canvas.set_line(line_solid, 1);
}

void draw_object_helpers(const Context& ctx, int i)
{
    const PlanTable& plan = ctx.scene.plan;
    const ComponentTable& components = ctx.scene.components;
    const Component* c = component_of(ctx, i);
    if (!c)
        return;
    const ViewState& v = ctx.view;
    Canvas& canvas = ctx.c();
    const double intensity = intensity_of(plan, i);
    canvas.set_line(line_solid, 1);

    if (v.aff_debug) {
        coloured(canvas, magnet_red, intensity);
        const int r = scaled(ctx, magnet_mark_radius);
        for (int k = 0; k < magnet_slots; ++k)
            if (magnet_exists(*c, k)) {
                PlanPoint p = magnet_position(plan, components, i, k);
                ring(ctx, circle_box(ctx.pixel(p.x, p.y), r));
            }
    }

    const auto& angles = ctx.facts.joint_angles[size_t(i)];
    if (v.aff_marqueur_angle) {
        coloured(canvas, angle_text_blue, intensity);
        const Pixel centre = ctx.pixel(plan.obj_x[size_t(i)], plan.obj_y[size_t(i)]);
        for (int e = 1; e <= 2; ++e) {
            const int angle = angles[size_t(e - 1)];
            if (angle < 0)
                continue;
            const PlanPoint end = end_point(plan, components, i, e);
            const Pixel at = ctx.pixel(end.x, end.y);
            // Inside the object along its axis, so that the two ends' numbers of a joint do not meet.
            double dx = centre.x - at.x, dy = centre.y - at.y;
            const double length = std::hypot(dx, dy);
            const double inset = std::min(angle_text_inset * ctx.scale(), length / 2);
            if (length > 0)
                dx = dx / length * inset, dy = dy / length * inset;
            const double size = angle_text_points * ctx.scale();
            canvas.text({to_pixel(at.x + dx - text_pixels(size) * 0.6), to_pixel(at.y + dy - text_pixels(size) * 0.6)},
                        std::to_string(angle) + "\xC2\xB0", size);
        }
    }

    if (v.aff_erreur_angle && !is_faded(plan, i) && c->library == 0) {
        coloured(canvas, angle_error_red, 1);
        canvas.set_line(line_solid, scaled(ctx, 2));
        const int r = scaled(ctx, angle_error_radius);
        for (int e = 1; e <= 2; ++e) {
            if (joint_angle_allowed(angles[size_t(e - 1)]))
                continue;
            const PlanPoint end = end_point(plan, components, i, e);
            ring(ctx, circle_box(ctx.pixel(end.x, end.y), r));
        }
        canvas.set_line(line_solid, 1);
    }

    if (v.aff_noms || v.aff_hauteurs || v.aff_largeur_panneaux) {
        const double size = label_points * (v.aff_grande_etiquette ? big_label_factor : 1.0) * ctx.scale();
        const double line_height = text_pixels(size) * 1.2;
        std::vector<LabelLine> own;
        std::vector<LabelLine>& lines = ctx.texts ? ctx.texts->lines : own;
        // Counted first: filling the lines may move them.
        const size_t count = label_lines(ctx, i, *c, line_height, lines);
        const std::span<const LabelLine> label(lines.data(), count);
        const Pixel at = ctx.pixel(plan.obj_x[size_t(i)], plan.obj_y[size_t(i)]);
        coloured(canvas, colour_black, intensity);
        if (ctx.options.labels)
            ctx.options.labels->draw(canvas, at, label, size);
        else
            draw_label(canvas, at, label, size);
    }
}

void draw_group_box(const Context& ctx, int group)
{
    if (size_t(group) >= ctx.facts.group_boxes.size() || !ctx.facts.group_boxes[size_t(group)])
        return;
    const PlanBox& box = *ctx.facts.group_boxes[size_t(group)];
    const Pixel a = ctx.pixel(box.left, box.top), b = ctx.pixel(box.right, box.bottom);
    Canvas& canvas = ctx.c();
    coloured(canvas, group_blue, 1);
    canvas.set_line(line_dash, 1);
    canvas.box({a.x, a.y, b.x - a.x, b.y - a.y}, false);
    canvas.set_line(line_solid, 1);
    const double size = label_points * ctx.scale();
    const std::string& name = ctx.scene.plan.obj_texte[size_t(group)];
    canvas.text({a.x, to_pixel(a.y - text_pixels(size) * 1.3)}, name.empty() ? "Groupe" : "Groupe " + name, size);
}

void draw_duplicate_mark(const Context& ctx, int i)
{
    const PlanTable& plan = ctx.scene.plan;
    const PixelPoint centre = ctx.view.to_pixel(plan.obj_x[size_t(i)], plan.obj_y[size_t(i)], ctx.column());
    const double radius = duplicate_radius * ctx.view.zoom;
    std::array<Pixel, 3> corners;
    for (size_t k = 0; k < 3; ++k) {
        // One corner straight up, the others 120 degrees round from it.
        const double a = (-90.0 + 120.0 * double(k)) * 0.017453292519943295;
        corners[k] = {to_pixel(centre.x + radius * std::cos(a)), to_pixel(centre.y + radius * std::sin(a))};
    }
    Canvas& canvas = ctx.c();
    canvas.set_line(line_solid, 1);
    canvas.set_colour_value(doublon_yellow);
    canvas.polygon(corners, true);
    canvas.set_colour_value(colour_black);
    canvas.polygon(corners, false);
    const double size = label_points * ctx.scale();
    canvas.text({to_pixel(centre.x + radius + 3 * ctx.scale()), to_pixel(centre.y - text_pixels(size) * 0.6)},
                "DOUBLON", size);
}

void draw_front_view(const Context& ctx)
{
    Canvas& canvas = ctx.c();
    canvas.set_colour_value(colour_white);
    canvas.box(ctx.window, true);
    const PlanTable& plan = ctx.scene.plan;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!is_drawn(plan, i))
            continue;
        const ComponentLook look = look_of(ctx, i, true);
        draw_component(canvas, ctx.scene.components, ctx.plan_view, look);
    }
}

} // namespace halvern::render_detail
