// The modular walls of the built-in library: posts, junction pieces and feet at both ends of every
// module of the stack, a frame at every module boundary, and the printed faces.

#include <array>
#include <cmath>
#include <numbers>

#include "base/strings.h"
#include "outputs/bill_of_materials.h"
#include "outputs/vrml_fragment_names.h"
#include "outputs/vrml_parts.h"
#include "plan/panel_size.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

constexpr double floor_gap = 0.03; // the feet lift the frames this far off the floor (m)

std::string_view post_fragment(int module)
{
    for (const PostFragment& post : post_fragments)
        if (post.module == module)
            return post.name;
    return default_post_fragment;
}

std::string_view frame_fragment(int component)
{
    return component >= 0 && component < int(frame_fragments.size()) ? frame_fragments[size_t(component)]
                                                                      : frame_fragments[0];
}

// The panel visual of a built-in panel (components 0 .. 2) for a face and its end code.
std::string_view panel_fragment(int component, int face, std::string_view code)
{
    static const std::array<std::string, panel_end_codes.size()> rectos = [] {
        std::array<std::string, panel_end_codes.size()> names;
        for (size_t k = 0; k < names.size(); ++k)
            names[k] = "purple_1" + to_lower_ascii(panel_end_codes[k]);
        return names;
    }();
    if (component == 0) {
        if (face == 2)
            return code == "RC" ? "purple_2rc" : "purple_2cc";
        for (size_t k = 0; k < panel_end_codes.size(); ++k)
            if (code == panel_end_codes[k])
                return rectos[k];
        return "purple_1oo";
    }
    if (component == 1)
        return face == 2 ? "lime_2cc" : (code == "OC" ? "lime_1oc" : "lime_1cc");
    return face == 2 ? "brown_2cc" : (code == "OO" ? "brown_1oo" : "brown_1cc");
}

double fabric_shift(const std::string& code)
{
    if (code == "CO") return 0.014;
    if (code == "OC") return -0.014;
    if (code == "RC") return 0.015;
    if (code == "CR") return -0.015;
    if (code == "RO") return 0.03;
    if (code == "OR") return -0.03;
    return 0;
}

void append_faces(std::string& scene, SceneBuild& build, int i, double H)
{
    const PlanTable& plan = build.in.plan;
    const size_t I = size_t(i);
    const int c = plan.comp(i);
    const int faces = plan.obj_faces[I];
    if (build.variant != VrmlVariant::full || faces == 0 || c > 8)
        return;
    const double L = build.in.components[c].width;
    const double X = plan_value(plan.obj_x[I]) / 100, Z = plan_value(plan.obj_y[I]) / 100;
    const double E = plan_value(plan.obj_elevation[I]);
    const double R = scene_rotation(plan_value(plan.obj_rot[I]));
    for (int face = 1; face <= 2; ++face) {
        const bool printed = face == 1 ? (faces == 1 || faces == 3) : (faces == 2 || faces == 3);
        if (!printed)
            continue;
        const std::string code = end_code_with_override(plan, i, face, build.end_codes[I]);
        const std::string& picture = face == 1 ? plan.obj_visuel_recto[I] : plan.obj_visuel_verso[I];
        Placement at{X, E / 100 + 0.01, Z, std::nullopt, R};
        if (c <= 2) {
            at.scale = Scale{1, H / 100, 1};
            build.place(scene, at,
                        build.fill(build.fragments.get(panel_fragment(c, face, code)), {build.picture("void.jpg", picture)}));
        } else {
            const SceneBuild::Filled text =
                build.fill(build.fragments.get(face == 1 ? "matrice_1" : "matrice_2"), {build.picture("void.jpg", picture)});
            double f = face_picture_width_mm(L, code);
            if (code == "RR")
                f += 0.001;
            Placement inner{fabric_shift(code), 0, 0, Scale{f / 1000, H / 100, 1}, std::nullopt};
            build.place_nested(scene, at, inner, text);
        }
    }
}

} // namespace

void append_modular_wall(std::string& scene, SceneBuild& build, int i)
{
    const PlanTable& plan = build.in.plan;
    const ComponentTable& components = build.in.components;
    const size_t I = size_t(i);
    const int c = plan.comp(i);
    const double L = components[c].width;
    const double x = plan_value(plan.obj_x[I]), y = plan_value(plan.obj_y[I]);
    const double rot = plan_value(plan.obj_rot[I]);
    const double dx = L * std::cos(rot * std::numbers::pi / 180) / 2;
    const double dy = L * std::sin(rot * std::numbers::pi / 180) / 2;
    const double H = built_in_height(plan_value(plan.obj_hauteur[I]));
    const double E = plan_value(plan.obj_elevation[I]) / 100;
    const double R = scene_rotation(rot);
    const std::vector<int>& stack = module_stack(H);
    const auto module_height = [&](int module) { return ComponentTable::valid(module) ? components[module].width : 0; };

    double lv = 0;
    for (int module : stack) {
        const double h = module_height(module);
        lv += h;
        for (int sign : {-1, 1}) {
            const double ex = (x + sign * dx) / 100, ez = (y + sign * dy) / 100;
            build.block(scene, {ex, (lv - h / 2) / 100 + E + floor_gap, ez, std::nullopt, std::nullopt},
                         build.fragments.get(post_fragment(module)));
            build.block(scene, {ex, lv / 100 + E + floor_gap, ez, std::nullopt, R}, build.fragments.get("red"));
        }
    }
    for (int sign : {-1, 1})
        build.block(scene, {(x + sign * dx) / 100, E + floor_gap, (y + sign * dy) / 100, std::nullopt, R},
                     build.fragments.get("grey"));
    lv = 0;
    for (size_t k = 0; k <= stack.size(); ++k) {
        if (k > 0)
            lv += module_height(stack[k - 1]);
        build.block(scene, {x / 100, lv / 100 + E + floor_gap, y / 100, std::nullopt, R},
                     build.fragments.get(frame_fragment(c)));
    }
    append_faces(scene, build, i, H);
}

} // namespace halvern
