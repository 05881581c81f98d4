#include "plan/snapping.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"

namespace halvern {

namespace {

constexpr double degrees = 0.017453292519943295;

// Group objects and objects marked for deletion have no footprint: they never snap or attract.
const Component* solid_component(const PlanTable& plan, const ComponentTable& components, int i)
{
    return has_geometry(plan, i) ? &components[plan.comp(i)] : nullptr;
}

PlanPoint turned(double x, double y, double angle_degrees)
{
    double a = angle_degrees * degrees;
    return {x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)};
}

bool takes_part_in_joining(const Component& c) { return parse_number(c.no_magnet) == 0; }

} // namespace

bool magnet_exists(const Component& c, int k) { return c.magnet_x[size_t(k)] > 0 || c.magnet_y[size_t(k)] > 0; }

PlanPoint magnet_position(const PlanTable& plan, const ComponentTable& components, int i, int k)
{
    const Component& c = components[plan.comp(i)];
    PlanPoint offset = turned(c.magnet_x[size_t(k)] - c.width / 2, c.magnet_y[size_t(k)] - c.depth / 2,
                              plan.obj_rot[size_t(i)]);
    return {plan.obj_x[size_t(i)] + offset.x, plan.obj_y[size_t(i)] + offset.y};
}

void apply_auto_elevation(PlanTable& plan, const ComponentTable& components, int f)
{
    const Component* cf = solid_component(plan, components, f);
    if (!cf || cf->auto_elevation != 1)
        return;
    const size_t F = size_t(f);
    float elevation = 0;
    for (int j = 1; j <= plan.nb_objets; ++j) {
        const Component* cj = j == f ? nullptr : solid_component(plan, components, j);
        if (!cj)
            continue;
        const size_t J = size_t(j);
        bool overlap = plan.obj_x[J] + cj->width / 2 > plan.obj_x[F] - cf->width / 2
                       && plan.obj_x[J] - cj->width / 2 < plan.obj_x[F] + cf->width / 2
                       && plan.obj_y[J] + cj->depth / 2 > plan.obj_y[F] - cf->depth / 2
                       && plan.obj_y[J] - cj->depth / 2 < plan.obj_y[F] + cf->depth / 2;
        if (overlap)
            elevation = std::max(elevation, plan.obj_elevation[J] + plan.obj_hauteur[J]);
    }
    plan.obj_elevation[F] = elevation;
}

namespace {

// Every pair the magnet rule considers, in its order (j, then k, then m, ascending); `accepts`
// decides by the distance and the target magnet's force, and the strictly nearest accepted wins.
template <class Accepts>
MagnetMatch search_magnets(const PlanTable& plan, const ComponentTable& components, int f, Accepts accepts)
{
    MagnetMatch best;
    const Component* cf = solid_component(plan, components, f);
    if (!cf)
        return best;

    // The dragged object's pulling magnets, worked out once.
    struct Pull {
        int k;
        PlanPoint at;
    };
    Pull pulls[magnet_slots];
    int n_pulls = 0;
    for (int k = 0; k < magnet_slots; ++k)
        if (magnet_exists(*cf, k) && cf->magnet_recepteur[size_t(k)] != 1)
            pulls[n_pulls++] = {k, magnet_position(plan, components, f, k)};
    if (n_pulls == 0)
        return best;

    double best_distance = 999999;
    for (int j = 1; j <= plan.nb_objets; ++j) {
        const Component* cj = j == f ? nullptr : solid_component(plan, components, j);
        if (!cj)
            continue;
        for (int p = 0; p < n_pulls; ++p) {
            const size_t k = size_t(pulls[p].k);
            double only = cf->magnet_only_lib[k];
            if (only != -1 && only != cj->library)
                continue;
            if (cf->magnet_recepteur[k] == 3 && cj->library == cf->library)
                continue;
            for (int m = 0; m < magnet_slots; ++m) {
                if (!magnet_exists(*cj, m))
                    continue;
                PlanPoint target = magnet_position(plan, components, j, m);
                double d = std::hypot(target.x - pulls[p].at.x, target.y - pulls[p].at.y);
                if (accepts(d, cj->magnet_force[size_t(m)]) && d < best_distance) {
                    best_distance = d;
                    best = {j, int(k), m, d};
                }
            }
        }
    }
    return best;
}

struct EndPair {
    int other = 0;          // the object whose end is met, 0 for none
    double shift_x = 0, shift_y = 0; // what brings the dropped end onto it
};

// The free ends of f and of every other object that joins, in the rule's order of pairs; `visit`
// sees each pair's offset and the object.
template <class Visit>
void visit_end_pairs(const PlanTable& plan, const ComponentTable& components, int f, Visit visit)
{
    const Component* cf = solid_component(plan, components, f);
    if (!cf || !takes_part_in_joining(*cf))
        return;
    const PlanPoint own[3] = {{}, end_point(plan, components, f, 1), end_point(plan, components, f, 2)};
    static constexpr int pairs[4][2] = {{1, 1}, {1, 2}, {2, 2}, {2, 1}};
    for (int j = 1; j <= plan.nb_objets; ++j) {
        const Component* cj = j == f ? nullptr : solid_component(plan, components, j);
        if (!cj || !takes_part_in_joining(*cj))
            continue;
        const PlanPoint other[3] = {{}, end_point(plan, components, j, 1), end_point(plan, components, j, 2)};
        for (const auto& pair : pairs) {
            const PlanPoint& a = own[pair[0]];
            const PlanPoint& b = other[pair[1]];
            visit(j, b.x - a.x, b.y - a.y);
        }
    }
}

// The pair the joining rule picks: the last one closer than the tolerance in both directions.
EndPair rule_join(const PlanTable& plan, const ComponentTable& components, int f)
{
    EndPair found;
    visit_end_pairs(plan, components, f, [&](int j, double dx, double dy) {
        if (std::abs(dx) < tolerance_aimant && std::abs(dy) < tolerance_aimant)
            found = {j, dx, dy};
    });
    return found;
}

void shift_object(PlanTable& plan, int f, const EndPair& pair)
{
    if (pair.other == 0)
        return;
    const size_t F = size_t(f);
    plan.obj_x[F] = float(plan.obj_x[F] + pair.shift_x);
    plan.obj_y[F] = float(plan.obj_y[F] + pair.shift_y);
}

} // namespace

MagnetMatch find_magnet(const PlanTable& plan, const ComponentTable& components, int f)
{
    return search_magnets(plan, components, f, [](double d, double force) { return d < force; });
}

MagnetMatch find_assisted_magnet(const PlanTable& plan, const ComponentTable& components, int f, double reach)
{
    return search_magnets(plan, components, f, [reach](double d, double force) {
        return force > 0 && d <= assist_reach_factor * force && d <= reach;
    });
}

void apply_magnet(PlanTable& plan, const ComponentTable& components, int f, const MagnetMatch& match)
{
    if (match.object == 0)
        return;
    const size_t F = size_t(f), J = size_t(match.object), k = size_t(match.own_magnet),
                 m = size_t(match.target_magnet);
    const Component& cf = components[plan.comp(f)];
    const Component& cj = components[plan.comp(match.object)];

    if (cj.magnet_contrainte[m] == 1) {
        double rot = double(plan.obj_rot[J]) + cj.magnet_r[m] + (360.0 - cf.magnet_r[k]) + 180.0;
        plan.obj_rot[F] = float(normalize_degrees(rot + 3600.0));
    }
    PlanPoint target = magnet_position(plan, components, match.object, int(m));
    PlanPoint offset = turned(cf.magnet_x[k] - cf.width / 2, cf.magnet_y[k] - cf.depth / 2, plan.obj_rot[F]);
    plan.obj_x[F] = float(target.x - offset.x);
    plan.obj_y[F] = float(target.y - offset.y);
    if (cf.magnet_no_elevation != 1)
        plan.obj_elevation[F] = float(plan.obj_elevation[J] + plan.obj_hauteur[J] + cj.magnet_z[m]);
}

int join_ends(PlanTable& plan, const ComponentTable& components, int f)
{
    // Every pair is compared with the position the object was dropped at; the last match in the
    // rule's order decides where it goes.
    const EndPair pair = rule_join(plan, components, f);
    shift_object(plan, f, pair);
    return pair.other;
}

int join_ends_assisted(PlanTable& plan, const ComponentTable& components, int f, double reach)
{
    const double limit = std::min(reach, assist_reach_factor * tolerance_aimant);
    EndPair best;
    double best_distance = 0;
    visit_end_pairs(plan, components, f, [&](int j, double dx, double dy) {
        if (!(std::abs(dx) <= limit && std::abs(dy) <= limit))
            return;
        const double d = std::hypot(dx, dy);
        if (best.other == 0 || d < best_distance) {
            best = {j, dx, dy};
            best_distance = d;
        }
    });
    shift_object(plan, f, best);
    return best.other;
}

SnapOutcome snap_dropped_object(PlanTable& plan, const ComponentTable& components, int f, double zoom)
{
    SnapOutcome outcome;
    if (!plan.valid(f))
        return outcome;
    apply_auto_elevation(plan, components, f);
    outcome.magnet = find_magnet(plan, components, f);
    // The assist helps only a drop the rule leaves where it fell: no magnet pulls it, no end joins.
    const bool assist = zoom > 0 && std::isfinite(zoom) && outcome.magnet.object == 0 &&
                        rule_join(plan, components, f).other == 0;
    const double reach = assist ? assist_pixels / zoom : 0;
    if (assist) {
        outcome.magnet = find_assisted_magnet(plan, components, f, reach);
        outcome.assisted = outcome.magnet.object != 0;
    }
    apply_magnet(plan, components, f, outcome.magnet);
    outcome.joined_to = join_ends(plan, components, f);
    // An end is drawn in only where no magnet holds the object: it never pulls it off its magnet.
    if (assist && outcome.magnet.object == 0 && outcome.joined_to == 0) {
        outcome.joined_to = join_ends_assisted(plan, components, f, reach);
        outcome.assisted = outcome.joined_to != 0;
    }
    return outcome;
}

SnapOutcome drop_object(PlanTable& plan, const ComponentTable& components, int f, double x, double y, double rot,
                        double zoom)
{
    const size_t F = size_t(f);
    plan.obj_x[F] = float(x);
    plan.obj_y[F] = float(y);
    plan.obj_rot[F] = float(rot);
    return snap_dropped_object(plan, components, f, zoom);
}

} // namespace halvern
