#include "outputs/vrml_scene.h"

#include <charconv>

#include "base/numbers.h"
#include "base/strings.h"
#include "outputs/output_range.h"
#include "outputs/vrml_parts.h"
#include "plan/plan_ends.h"

namespace halvern {

std::filesystem::path default_picture(const std::filesystem::path& app_dir, std::string_view placeholder)
{
    return app_dir / "extlib" / "tex" / std::string(placeholder);
}

double plan_value(float value)
{
    // The float's shortest decimal, read as a double: fast, and the same digits format_number gives.
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    double out = 0;
    std::from_chars(buffer, end, out);
    return out;
}

Placeholder SceneBuild::text(std::string_view placeholder, const std::string& value) const
{
    return {placeholder, vrml_string_value(value, in.config_player), {}};
}

Placeholder SceneBuild::picture(std::string_view placeholder, const std::string& path) const
{
    // A placeholder left in the scene would name a file next to the scene that does not exist, and
    // readers refuse a scene whose picture is missing: an empty face shows the default picture.
    std::string shown = path.empty() ? default_picture(in.app_dir, placeholder).string() : path;
    return {placeholder, vrml_string_value(shown, in.config_player), std::move(shown)};
}

SceneBuild::Filled SceneBuild::fill(std::string_view fragment, const std::vector<Placeholder>& placeholders) const
{
    Filled out;
    out.text = substitute_placeholders(fragment, placeholders, &out.pictures);
    return out;
}

void SceneBuild::note_pictures(size_t start, const Filled& piece)
{
    for (const PictureUse& use : piece.pictures)
        pictures.push_back({start + use.at, use.length, use.picture});
}

void SceneBuild::place(std::string& scene, const Placement& at, const Filled& piece)
{
    note_pictures(append_block(scene, at, piece.text), piece);
}

void SceneBuild::place_nested(std::string& scene, const Placement& outer, const Placement& inner,
                              const Filled& piece)
{
    note_pictures(append_nested_block(scene, outer, inner, piece.text), piece);
}

void SceneBuild::append(std::string& scene, const Filled& piece)
{
    note_pictures(scene.size(), piece);
    scene += piece.text;
}

std::string apply_colours(std::string text, const Component& component,
                          const std::array<ColourSlot, object_colour_slots>& slots,
                          const std::array<bool, colour_slots>& given)
{
    static constexpr std::string_view material = "Material {";
    for (int m = 0; m < colour_slots; ++m) {
        const std::string& marker = component.color_src[size_t(m)];
        if (!given[size_t(m)] || marker.empty())
            continue;
        const size_t at = text.find(marker);
        if (at == std::string::npos)
            continue;
        const size_t open = text.find(material, at + marker.size());
        if (open == std::string::npos)
            continue;
        const size_t body = open + material.size();
        const size_t close = text.find('}', body);
        if (close == std::string::npos)
            continue;
        const ColourSlot& s = slots[size_t(m)];
        std::string fields;
        const auto rgb = [&fields](Rgb c) {
            append_vrml_number(fields, c.r / 255.0);
            append_vrml_number(fields, c.g / 255.0);
            append_vrml_number(fields, c.b / 255.0);
        };
        fields += crlf;
        fields += "diffuseColor";
        rgb(s.couleur);
        fields += crlf;
        fields += "ambientIntensity 1.0";
        fields += crlf;
        fields += "specularColor";
        rgb(s.speculaire);
        fields += crlf;
        fields += "shininess";
        append_vrml_number(fields, plan_value(s.brillance));
        fields += crlf;
        fields += "transparency";
        append_vrml_number(fields, plan_value(s.transparence));
        fields += crlf;
        text.replace(body, close - body, fields);
    }
    return text;
}

namespace {

void append_head(std::string& scene, SceneBuild& build)
{
    const double W = plan_value(build.in.stand.stand_largeur);
    const double D = plan_value(build.in.stand.stand_profondeur);
    scene += "#VRML V2.0 utf8";
    scene += crlf;
    scene += build.fragments.get("nav02");
    scene += crlf;
    std::string base = build.fragments.get("base");
    const std::pair<std::string_view, double> numbers[] = {
        {"wrl_posx", W / 2 + 1}, {"wrl_posy", D / 2 + 1},    {"wrl_lenx", W},  {"wrl_leny", D},
        {"wrl_camx", -1},        {"wrl_camy", D + 6},        {"wrl_camz", 4},  {"wrl_globx", -(W / 2 + 1)},
        {"wrl_globy", -(D / 2 + 1)},
    };
    for (const auto& [name, value] : numbers)
        base = replace_all(base, name, format_number(value));
    build.append(scene, build.fill(base, {build.picture("void_sol.jpg", build.in.stand.floor_texture)}));
    scene += crlf;
    scene += build.fragments.get("bigomni");
    scene += crlf;
}

// The last block ends with "," and a line end (the light does when nothing follows it); the
// closing brackets take their place and close the group the floor opened.
void append_end(std::string& scene)
{
    while (!scene.empty() && (scene.back() == '\r' || scene.back() == '\n' || scene.back() == ' '))
        scene.pop_back();
    if (!scene.empty() && scene.back() == ',')
        scene.pop_back();
    scene += "]}";
}

} // namespace

VrmlScene build_vrml_scene(const VrmlInputs& inputs, VrmlVariant variant, VrmlProgress* progress)
{
    VrmlScene result;
    if (auto in_range = check_output_range(inputs.plan, inputs.stand); !in_range) {
        result.refused = in_range.error().message;
        result.messages.push_back(*result.refused);
        return result;
    }
    VrmlFragments fragments(inputs.app_dir, variant, result.messages);
    SceneBuild build{inputs, variant, fragments, result.messages, result.pictures, {}, {}, {}};
    build.end_codes = computed_end_codes(inputs.plan, inputs.components);

    std::string& scene = result.text;
    scene.reserve(size_t(inputs.plan.nb_objets) * 4096 + 16384);
    append_head(scene, build);
    append_room(scene, build);
    const PlanTable& plan = inputs.plan;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (progress)
            progress->objects(i, plan.nb_objets);
        const int c = plan.comp(i);
        if (!ComponentTable::valid(c) || inputs.components[c].is_free())
            continue;
        const int library = inputs.components[c].library;
        if (library == 23)
            append_profile_piece(scene, build, i);
        else if (library == 0)
            append_modular_wall(scene, build, i);
        else if (library != group_library)
            append_library_object(scene, build, i);
    }
    append_end(scene);
    return result;
}

} // namespace halvern
