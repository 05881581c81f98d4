#include "plan/dialog_fields.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "base/numbers.h"

namespace halvern {

ObjectFields read_object_fields(const PlanTable& plan, int i)
{
    const size_t k = size_t(i);
    ObjectFields f;
    f.texte = plan.obj_texte[k];
    f.elevation = format_number(plan.obj_elevation[k]);
    f.hauteur = format_number(plan.obj_hauteur[k]);
    f.profondeur = format_number(plan.obj_profondeur[k]);
    f.largeur = format_number(plan.obj_largeur[k]);
    f.rot = format_number(plan.obj_rot[k]);
    const int faces = plan.obj_faces[k];
    f.tex1 = faces == 1 || faces == 3;
    f.tex2 = faces == 2 || faces == 3;
    f.force_recto = plan.obj_force_recto[k];
    f.force_verso = plan.obj_force_verso[k];
    f.visuel_recto = plan.obj_visuel_recto[k];
    f.visuel_verso = plan.obj_visuel_verso[k];
    return f;
}

float dialog_number(const std::string& text) { return float(parse_number_comma(text)); }

float dialog_rotation(const std::string& text)
{
    const double typed = parse_number_comma(text);
    if (!std::isfinite(typed))
        return 0;
    const float kept = float(normalize_degrees(typed));
    // A value a hair below 360 that single precision rounds up to 360 is a full turn.
    return kept >= 360.0f ? 0.0f : kept;
}

std::optional<double> typed_turn(std::string text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    for (char& c : text)
        if (c == ',')
            c = '.';
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+' && end - begin > 1 && begin[1] != '-') // from_chars takes a minus sign only
        ++begin;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value) || std::fabs(value) > max_typed_turn)
        return std::nullopt;
    return value;
}

int faces_from_ticks(int face_type, bool recto, bool verso)
{
    switch (face_type) {
    case 1:
        return recto ? 1 : 0;
    case 2:
        return verso ? 2 : 0;
    case 3:
        return (recto ? 1 : 0) + (verso ? 2 : 0);
    default:
        return 0;
    }
}

void apply_object_fields(PlanTable& plan, int i, int face_type, const ObjectFields& f)
{
    const size_t k = size_t(i);
    plan.obj_texte[k] = f.texte;
    plan.obj_elevation[k] = dialog_number(f.elevation);
    plan.obj_hauteur[k] = dialog_number(f.hauteur);
    plan.obj_profondeur[k] = dialog_number(f.profondeur);
    plan.obj_largeur[k] = dialog_number(f.largeur);
    plan.obj_rot[k] = dialog_rotation(f.rot);
    plan.obj_faces[k] = faces_from_ticks(face_type, f.tex1, f.tex2);
    const bool recto = face_type == 1 || face_type == 3;
    const bool verso = face_type == 2 || face_type == 3;
    if (recto) {
        plan.obj_force_recto[k] = f.force_recto;
        plan.obj_visuel_recto[k] = f.visuel_recto;
    }
    if (verso) {
        plan.obj_force_verso[k] = f.force_verso;
        plan.obj_visuel_verso[k] = f.visuel_verso;
    }
    for (size_t slot = 0; slot < f.colours.size(); ++slot) {
        if (!f.colours[slot])
            continue;
        ColourSlot& target = plan.colours[k][slot];
        target = *f.colours[slot];
        target.given = true;
    }
}

double ellipse_perimeter(double largeur, double profondeur)
{
    const double a = largeur / 2, b = profondeur / 2;
    const double root = std::sqrt(std::max(0.0, (3 * a + b) * (a + 3 * b)));
    return std::numbers::pi * (3 * (a + b) - root);
}

int common_group(const PlanTable& plan, const std::vector<int>& members)
{
    int group = 0;
    for (int i : members) {
        const int g = plan.valid(i) ? plan.obj_groupe[size_t(i)] : 0;
        if (g <= 0 || (group != 0 && g != group))
            return 0;
        group = g;
    }
    return plan.valid(group) && plan.is_group(group) ? group : 0;
}

void apply_group_fields(PlanTable& plan, const std::vector<int>& members, int group, const GroupFields& f)
{
    for (int i : members) {
        if (!plan.valid(i) || plan.is_group(i))
            continue;
        const size_t k = size_t(i);
        if (!f.hauteur.empty())
            plan.obj_hauteur[k] = dialog_number(f.hauteur);
        if (!f.elevation.empty())
            plan.obj_elevation[k] = dialog_number(f.elevation);
        if (!f.rot.empty())
            plan.obj_rot[k] = dialog_rotation(f.rot);
        if (!f.visuel_recto.empty())
            plan.obj_visuel_recto[k] = f.visuel_recto;
        if (!f.visuel_verso.empty())
            plan.obj_visuel_verso[k] = f.visuel_verso;
    }
    if (!f.nouveau_nom.empty() && plan.valid(group) && plan.is_group(group))
        plan.obj_texte[size_t(group)] = f.nouveau_nom;
}

HeightList height_list_of(const Component& component)
{
    if (component.library == 0)
        return HeightList::frames;
    if (component.library == 23 || component.library == 24)
        return HeightList::modules;
    return HeightList::none;
}

} // namespace halvern
