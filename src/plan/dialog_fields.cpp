#include "plan/dialog_fields.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/numbers.h"
#include "geometry/point_path.h"
#include "plan/groups.h"

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

float dialog_number(const std::string& text)
{
    const double typed = parse_number_comma(text);
    return std::isfinite(typed) && std::fabs(typed) <= FLT_MAX ? float(typed) : 0.0f;
}

std::optional<double> dialog_number_in(const std::string& text, NumberRange range)
{
    const double typed = parse_number_comma(text);
    if (!std::isfinite(typed) || typed < range.min || typed > range.max)
        return std::nullopt;
    return typed;
}

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

GroupFields read_group_fields(const PlanTable& plan, const std::vector<int>& members)
{
    GroupFields f;
    std::optional<float> rot, lowest;
    for (int i : members) {
        if (!plan.valid(i) || plan.is_group(i))
            continue;
        if (!rot)
            rot = plan.obj_rot[size_t(i)];
        if (!lowest || plan.obj_elevation[size_t(i)] < *lowest)
            lowest = plan.obj_elevation[size_t(i)];
    }
    if (rot)
        f.rot = f.rot_shown = format_number(*rot);
    if (lowest)
        f.elevation = f.elevation_shown = format_number(*lowest);
    return f;
}

void apply_group_fields(PlanTable& plan, const ComponentTable& components, const std::vector<int>& members,
                        int group, const GroupFields& f)
{
    std::vector<int> kept;
    for (int i : members)
        if (plan.valid(i) && !plan.is_group(i))
            kept.push_back(i);
    // A box left as it was shown changes nothing, whatever rounding its text went through.
    const double raise = f.elevation.empty() || f.elevation == f.elevation_shown
        ? 0
        : double(dialog_number(f.elevation)) - double(dialog_number(f.elevation_shown));
    const double turn = f.rot.empty() || f.rot == f.rot_shown
        ? 0
        : double(dialog_rotation(f.rot)) - double(dialog_rotation(f.rot_shown));
    std::optional<PlanBox> box;
    if (turn != 0)
        for (int i : kept)
            include_footprint(box, plan, components, i);
    const double cx = box ? (box->left + box->right) / 2 : 0, cy = box ? (box->top + box->bottom) / 2 : 0;
    for (int i : kept) {
        const size_t k = size_t(i);
        if (!f.hauteur.empty())
            plan.obj_hauteur[k] = dialog_number(f.hauteur);
        if (raise != 0)
            plan.obj_elevation[k] = float(double(plan.obj_elevation[k]) + raise);
        if (turn != 0) {
            if (box) {
                const PointD p = rotate_point(cx, cy, plan.obj_x[k], plan.obj_y[k], turn);
                plan.obj_x[k] = float(p.x);
                plan.obj_y[k] = float(p.y);
            }
            plan.obj_rot[k] = float(normalize_degrees(double(plan.obj_rot[k]) + 3600 + turn));
        }
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
