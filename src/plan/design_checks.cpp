#include "plan/design_checks.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/ui_text_ids.h"
#include "plan/carried_objects.h"
#include "plan/duplicates.h"
#include "plan/end_grid.h"
#include "plan/face_proportion.h"
#include "plan/footprint_overlaps.h"
#include "plan/hidden_findings.h"
#include "plan/plan_ends.h"
#include "plan/snapping.h"

namespace halvern {

namespace {

constexpr std::string_view kind_keys[check_kind_count] = {"outside", "overlap",    "duplicate", "angle",    "picture",
                                                          "proportion", "component", "no3d", "floating"};

// An object the checks of placement look at: it has geometry and its component is in the library
// (an object of a missing component is that check's finding, and has no size to check).
bool placed(const CheckInput& in, int i)
{
    return has_geometry(in.plan, i) && !in.components[in.plan.comp(i)].is_free();
}

Finding finding(CheckKind kind, int object, Severity severity, std::string text, int end = 0, int other = 0)
{
    Finding f;
    f.kind = kind;
    f.object = object;
    f.end = end;
    f.other = other;
    f.severity = severity;
    f.text = std::move(text);
    return f;
}

std::string face_name(const UiText& texts, int face) { return texts.get(face == 2 ? ui::faces_verso : ui::faces_recto); }

} // namespace

std::string_view check_kind_key(CheckKind kind)
{
    const int k = int(kind);
    return k >= 0 && k < check_kind_count ? kind_keys[k] : std::string_view("?");
}

std::optional<CheckKind> check_kind_from_key(std::string_view key)
{
    for (int k = 0; k < check_kind_count; ++k)
        if (kind_keys[k] == key)
            return CheckKind(k);
    return std::nullopt;
}

std::string_view severity_key(Severity severity) { return severity == Severity::error ? "error" : "warning"; }

std::string check_kind_title(CheckKind kind, const UiText& texts)
{
    // The entries after the first eight headings were taken when the ninth kind came.
    if (kind == CheckKind::floating)
        return texts.get(ui::check_kind_floating);
    return texts.get(ui::check_kind_first + int(kind));
}

bool exported_without_3d(const Component& c) { return !c.has_3d && c.library != 0 && c.library != 23; }

std::vector<Finding> check_outside_floor(const CheckInput& in)
{
    Footprint floor;
    floor.half_w = 50.0 * in.stand.stand_largeur;
    floor.half_d = 50.0 * in.stand.stand_profondeur;
    floor.x = 100 + floor.half_w;
    floor.y = 100 + floor.half_d;
    std::vector<Finding> out;
    if (!std::isfinite(floor.x + floor.y))
        return out;
    for (int i = 1; i <= in.plan.nb_objets; ++i) {
        if (!placed(in, i))
            continue;
        const Footprint f = footprint_of(in.plan, in.components, i);
        if (!f.usable)
            continue;
        const double left = floor.x - floor.half_w, right = floor.x + floor.half_w;
        const double top = floor.y - floor.half_d, bottom = floor.y + floor.half_d;
        // How far the object reaches past each side of the floor, and into it.
        const double beyond = std::max({left - f.left, f.right - right, top - f.top_y, f.bottom_y - bottom});
        if (!(beyond > check_tolerance))
            continue;
        // The floor's sides and the object's own are the separating axes of the two rectangles.
        bool apart = std::min(f.right, right) - std::max(f.left, left) <= check_tolerance
                     || std::min(f.bottom_y, bottom) - std::max(f.top_y, top) <= check_tolerance;
        for (int side = 0; side < 2 && !apart; ++side) {
            const double ux = side == 0 ? f.cos_a : -f.sin_a, uy = side == 0 ? f.sin_a : f.cos_a;
            const double floor_reach = floor.half_w * std::fabs(ux) + floor.half_d * std::fabs(uy);
            const double own_reach = side == 0 ? f.half_w : f.half_d;
            const double gap = std::fabs((floor.x - f.x) * ux + (floor.y - f.y) * uy);
            apart = floor_reach + own_reach - gap <= check_tolerance;
        }
        out.push_back(apart ? finding(CheckKind::outside_floor, i, Severity::error, in.texts.get(ui::check_wholly_outside))
                            : finding(CheckKind::outside_floor, i, Severity::warning,
                                      in.texts.get(ui::check_partly_outside)));
    }
    return out;
}

std::vector<Finding> check_overlaps(const CheckInput& in)
{
    std::vector<Finding> out;
    // The object placed later stands in the one that was there before it.
    for (const auto& [i, j] : find_overlaps(in.plan, in.components))
        out.push_back(finding(CheckKind::overlap, j, Severity::error,
                              in.texts.get(ui::check_overlaps_object) + " " + std::to_string(i), 0, i));
    std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) { return a.object < b.object; });
    return out;
}

std::vector<Finding> check_duplicates(const CheckInput& in)
{
    std::vector<Finding> out;
    for (int i : find_duplicates(in.plan, in.components, FadedObjects::checked))
        out.push_back(finding(CheckKind::duplicate, i, Severity::error, in.texts.get(ui::check_duplicate)));
    return out;
}

std::vector<Finding> check_joint_angles(const CheckInput& in)
{
    std::vector<Finding> out;
    const EndTable ends = make_end_table(in.plan, in.components);
    const EndGrid grid(ends, in.plan.nb_objets);
    for (int i = 1; i <= in.plan.nb_objets; ++i) {
        if (!placed(in, i) || in.components[in.plan.comp(i)].library != 0)
            continue;
        for (int e = 1; e <= 2; ++e) {
            const int angle = joint_angle(in.plan, i, e, grid.find_neighbour(in.plan, i, e, NeighbourFilter::any));
            if (!joint_angle_allowed(angle))
                out.push_back(finding(CheckKind::joint_angle, i, Severity::error,
                                      in.texts.get(ui::check_angle_at_end) + " " + std::to_string(e) + ": "
                                          + std::to_string(angle) + "\xC2\xB0",
                                      e));
        }
    }
    return out;
}

bool is_tiling_texture(const std::string& picture, const std::vector<std::filesystem::path>& folders)
{
    if (picture.empty())
        return false;
    const std::filesystem::path file = std::filesystem::path(picture).lexically_normal();
    for (const std::filesystem::path& folder : folders) {
        if (folder.empty())
            continue;
        const std::filesystem::path inside = file.lexically_relative(folder.lexically_normal());
        if (!inside.empty() && *inside.begin() != ".." && inside != ".")
            return true;
    }
    return false;
}

std::vector<Finding> check_pictures(const CheckInput& in)
{
    std::vector<Finding> unreadable, proportion;
    if (!in.pictures)
        return {};
    for (int i = 1; i <= in.plan.nb_objets; ++i) {
        if (!placed(in, i))
            continue;
        for (int face = 1; face <= 2; ++face) {
            const std::string& file = (face == 1 ? in.plan.obj_visuel_recto : in.plan.obj_visuel_verso)[size_t(i)];
            // A face that does not carry its picture leaves the file unused.
            if (file.empty() || (in.plan.obj_faces[size_t(i)] & face) == 0)
                continue;
            const auto size = in.pictures->size_of(file);
            if (!size || (*size)[0] <= 0 || (*size)[1] <= 0) {
                unreadable.push_back(finding(CheckKind::picture_unreadable, i, Severity::error,
                                             in.texts.get(ui::check_picture_unreadable) + " " + file + " ("
                                                 + face_name(in.texts, face) + ")",
                                             face));
                continue;
            }
            if (is_tiling_texture(file, in.texture_folders))
                continue;
            const double own = double((*size)[1]) / double((*size)[0]);
            const std::optional<double> normal = face_picture_size(in.plan, in.components, i, face).proportion();
            if (proportion_off(own, normal))
                proportion.push_back(finding(CheckKind::picture_proportion, i, Severity::warning,
                                             in.texts.get(ui::check_picture_proportion) + " " + proportion_text(own)
                                                 + " (" + in.texts.get(ui::proportion_normal) + " "
                                                 + proportion_text(*normal) + ", " + face_name(in.texts, face) + ")",
                                             face));
        }
    }
    unreadable.insert(unreadable.end(), proportion.begin(), proportion.end());
    return unreadable;
}

std::vector<Finding> check_components(const CheckInput& in)
{
    std::vector<Finding> missing, no_3d;
    for (int i = 1; i <= in.plan.nb_objets; ++i) {
        if (in.plan.is_group(i) || in.plan.is_marked(i))
            continue;
        const int n = in.plan.comp(i);
        if (!ComponentTable::valid(n) || in.components[n].is_free())
            missing.push_back(finding(CheckKind::component_missing, i, Severity::error,
                                      in.texts.get(ui::check_component_missing) + " " + std::to_string(n)));
        else if (exported_without_3d(in.components[n]))
            no_3d.push_back(finding(CheckKind::no_3d, i, Severity::warning, in.texts.get(ui::check_no_3d)));
    }
    // Left out while reading: no object of the plan stands for them (object 0).
    std::vector<Finding> left_out;
    for (const LeftOutObject& o : in.left_out)
        left_out.push_back(finding(CheckKind::component_missing, 0, Severity::error,
                                   in.texts.get(ui::check_component_missing) + " " + std::to_string(o.component)));
    missing.insert(missing.begin(), left_out.begin(), left_out.end());
    missing.insert(missing.end(), no_3d.begin(), no_3d.end());
    return missing;
}

namespace {

// One of the object's magnets lies on a magnet of another object: it hangs there (a screen on its
// stand, a shelf on a wall).
bool hangs_on_magnet(const CheckInput& in, int i)
{
    const Component& c = in.components[in.plan.comp(i)];
    for (int k = 0; k < magnet_slots; ++k) {
        if (!magnet_exists(c, k))
            continue;
        const PlanPoint own = magnet_position(in.plan, in.components, i, k);
        for (int j = 1; j <= in.plan.nb_objets; ++j) {
            if (j == i || !placed(in, j))
                continue;
            const Component& other = in.components[in.plan.comp(j)];
            for (int m = 0; m < magnet_slots; ++m) {
                if (!magnet_exists(other, m))
                    continue;
                const PlanPoint at = magnet_position(in.plan, in.components, j, m);
                if (std::hypot(at.x - own.x, at.y - own.y) <= carried_tolerance)
                    return true;
            }
        }
    }
    return false;
}

} // namespace

std::vector<Finding> check_floating(const CheckInput& in)
{
    std::vector<Finding> out;
    // Worked out once: every raised object is tried against every other.
    std::vector<Footprint> prints;
    std::vector<double> tops;
    for (int i = 1; i <= in.plan.nb_objets; ++i) {
        if (!placed(in, i))
            continue;
        const double elevation = in.plan.obj_elevation[size_t(i)];
        const double own = in.components[in.plan.comp(i)].elevation;
        if (!(elevation > carried_tolerance && elevation > own + carried_tolerance))
            continue;
        if (prints.empty()) {
            prints.resize(size_t(in.plan.nb_objets) + 1);
            tops.resize(prints.size());
            for (int j = 1; j <= in.plan.nb_objets; ++j)
                if (placed(in, j)) {
                    prints[size_t(j)] = footprint_of(in.plan, in.components, j);
                    tops[size_t(j)] = object_top(in.plan, in.components, j);
                }
        }
        bool held = false;
        for (int j = 1; j <= in.plan.nb_objets && !held; ++j)
            held = j != i && rests_on(prints[size_t(i)], prints[size_t(j)], tops[size_t(j)]);
        if (held || hangs_on_magnet(in, i))
            continue;
        out.push_back(finding(CheckKind::floating, i, Severity::warning,
                              in.texts.get(ui::check_floating) + " " + format_number(elevation) + " cm"));
    }
    return out;
}

std::vector<Finding> run_design_checks(const CheckInput& in)
{
    std::vector<Finding> all;
    for (auto check : {check_outside_floor, check_overlaps, check_duplicates, check_joint_angles, check_pictures,
                       check_components, check_floating}) {
        std::vector<Finding> found = check(in);
        all.insert(all.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    }
    std::stable_sort(all.begin(), all.end(), [](const Finding& a, const Finding& b) {
        if (a.kind != b.kind)
            return int(a.kind) < int(b.kind);
        if (a.object != b.object)
            return a.object < b.object;
        return a.end < b.end;
    });
    mark_hidden(in.plan, all);
    return all;
}

std::vector<Finding> shown_findings(const std::vector<Finding>& findings)
{
    std::vector<Finding> shown;
    for (const Finding& f : findings)
        if (!f.hidden)
            shown.push_back(f);
    return shown;
}

} // namespace halvern
