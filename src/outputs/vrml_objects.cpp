// The frame-structure pieces of library 23, and the objects of every other library, drawn from
// their own ".dat" geometry.

#include <array>

#include "base/text_file.h"
#include "outputs/vrml_fragment_names.h"
#include "outputs/vrml_parts.h"

namespace halvern {

namespace {

const std::string* component_geometry(SceneBuild& build, int c)
{
    if (auto found = build.component_geometry.find(c); found != build.component_geometry.end())
        return &found->second;
    if (build.geometry_missing.count(c))
        return nullptr;
    const Component& component = build.in.components[c];
    std::string name = component.file_name;
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".lib") == 0)
        name.replace(name.size() - 4, 4, ".dat");
    else
        name.clear();
    Result<std::string> text = name.empty() ? Result<std::string>(make_error("no file"))
                                            : read_file_bytes(build.in.app_dir / "extlib"
                                                              / std::to_string(component.library) / name);
    if (!text) {
        build.geometry_missing[c] = true;
        return nullptr;
    }
    return &build.component_geometry.emplace(c, std::move(text).value()).first->second;
}

} // namespace

void append_profile_piece(std::string& scene, SceneBuild& build, int i)
{
    const PlanTable& plan = build.in.plan;
    const size_t I = size_t(i);
    const int c = plan.comp(i);
    const double L = build.in.components[c].width;
    const double X = plan_value(plan.obj_x[I]) / 100, Z = plan_value(plan.obj_y[I]) / 100;
    const double E = plan_value(plan.obj_elevation[I]), H = plan_value(plan.obj_hauteur[I]);
    const double R = scene_rotation(plan_value(plan.obj_rot[I]));
    const std::string_view part = profile_part_name(c);
    const bool straight = c == 2300 || c == 2301;

    if (c == 2317) {
        for (double y : {E, E + 40})
            build.block(scene, {X, y / 100, Z, Scale{L / 100, 1, 1}, R},
                         build.fragments.get("lattix_traverse_droite"));
        return;
    }
    if (!straight && part.empty())
        return; // the pieces without geometry of their own
    for (int k = 0; k <= 1; ++k) {
        const Placement at{X, ((H - lattix_bar_height) * k + E) / 100, Z,
                           Scale{straight ? L / 100 : 1, 1, 1}, R};
        build.block(scene, at, build.fragments.get(straight ? std::string_view("lattix_traverse_droite") : part));
    }
    if (plan.obj_faces[I] != 1 || build.variant != VrmlVariant::full)
        return;
    const Placement outer{X, E / 100, Z, std::nullopt, R};
    Placement inner{0, 0, 0, Scale{1, H / 100, 1}, std::nullopt};
    std::string_view face;
    if (straight) {
        inner.z = 0.005;
        inner.scale = Scale{(L * 10 + 37) / 1000, H / 100, 1};
        face = build.fragments.get("matrice_lattix");
    } else {
        inner.z = bend_face_offsets[size_t(c - first_bend_component)];
        face = build.fragments.get(std::string(part) + "v");
    }
    build.place_nested(scene, outer, inner, build.fill(face, {build.picture("void.jpg", plan.obj_visuel_recto[I])}));
}

void append_library_object(std::string& scene, SceneBuild& build, int i)
{
    const PlanTable& plan = build.in.plan;
    const size_t I = size_t(i);
    const int c = plan.comp(i);
    const std::string* geometry = component_geometry(build, c);
    if (!geometry)
        return; // a component without 3D geometry is left out of the scene
    const Component& component = build.in.components[c];
    // The structure views show no printed picture: every face shows its default picture there.
    const bool pictures = build.variant == VrmlVariant::full;
    const std::string recto = pictures ? plan.obj_visuel_recto[I] : std::string();
    const std::string verso = pictures ? plan.obj_visuel_verso[I] : std::string();
    // The colours go in first: where they go is found by the component's own markers, which a text
    // or a path put into the geometry must not be able to imitate.
    std::array<bool, colour_slots> given{};
    for (int m = 0; m < colour_slots; ++m)
        given[size_t(m)] = build.in.slot_given ? build.in.slot_given(i, m) : plan.colours[I][size_t(m)].given;
    const std::string coloured = apply_colours(*geometry, component, plan.colours[I], given);
    // "void_" followed by a name is a picture of the shared texture folder.
    const std::string tex = (build.in.app_dir / "extlib" / "tex").string() + "/void_";
    Placeholder shared_texture = build.text("void_", tex);
    shared_texture.picture = tex;
    const SceneBuild::Filled filled = build.fill(coloured, {
                                                               build.text("void_text", plan.obj_texte[I]),
                                                               build.picture("void_strat.jpg", recto),
                                                               build.picture("void.jpg", recto),
                                                               build.picture("void2.jpg", verso),
                                                               shared_texture,
                                                           });
    const double sx = component.resize_x == 1 ? plan_value(plan.obj_largeur[I]) / 100 : 1;
    const double sy = component.resize_z == 1 ? plan_value(plan.obj_hauteur[I]) / 100 : 1;
    const double sz = component.resize_y == 1 ? plan_value(plan.obj_profondeur[I]) / 100 : 1;
    build.place(scene,
                {plan_value(plan.obj_x[I]) / 100, plan_value(plan.obj_elevation[I]) / 100,
                 plan_value(plan.obj_y[I]) / 100, Scale{sx, sy, sz}, scene_rotation(plan_value(plan.obj_rot[I]))},
                filled);
}

} // namespace halvern
