#include "plan/carried_objects.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "geometry/point_path.h"
#include "plan/footprint_overlaps.h"
#include "plan/plan_edit.h"
#include "plan/snapping.h"

namespace halvern {

namespace {

// What the test of one pair needs of an object, worked out once for a whole search.
struct Standing {
    Footprint print;
    double top = 0;
};

Standing standing_of(const PlanTable& plan, const ComponentTable& components, int i)
{
    Standing s;
    s.print = footprint_of(plan, components, i);
    if (s.print.usable)
        s.top = object_top(plan, components, i);
    return s;
}

bool stands_on(const Standing& carrier, const Standing& object)
{
    const Footprint& c = carrier.print;
    const Footprint& o = object.print;
    if (!c.usable || !o.usable || !(carrier.top > carried_tolerance))
        return false;
    if (!(std::fabs(o.bottom - carrier.top) <= carried_tolerance))
        return false;
    // Every corner of the object, in the carrier's own frame.
    for (int sx : {-1, 1})
        for (int sy : {-1, 1}) {
            const double px = o.x + sx * o.half_w * o.cos_a - sy * o.half_d * o.sin_a - c.x;
            const double py = o.y + sx * o.half_w * o.sin_a + sy * o.half_d * o.cos_a - c.y;
            const double lx = px * c.cos_a + py * c.sin_a, ly = -px * c.sin_a + py * c.cos_a;
            if (!(std::fabs(lx) <= c.half_w + carried_tolerance && std::fabs(ly) <= c.half_d + carried_tolerance))
                return false;
        }
    return true;
}

// How far two footprints reach into each other along the axis (ux, uy); negative for a gap.
double depth_along(const Footprint& a, const Footprint& b, double ux, double uy)
{
    auto reach = [ux, uy](const Footprint& f) {
        return f.half_w * std::fabs(f.cos_a * ux + f.sin_a * uy) + f.half_d * std::fabs(-f.sin_a * ux + f.cos_a * uy);
    };
    return reach(a) + reach(b) - std::fabs((b.x - a.x) * ux + (b.y - a.y) * uy);
}

} // namespace

bool rests_on(const PlanTable& plan, const ComponentTable& components, int object, int support)
{
    if (object == support || !plan.valid(object) || !plan.valid(support))
        return false;
    const Standing s = standing_of(plan, components, support);
    return rests_on(footprint_of(plan, components, object), s.print, s.top);
}

bool rests_on(const Footprint& object, const Footprint& support, double support_top)
{
    if (!support.usable || !object.usable || !(std::fabs(object.bottom - support_top) <= carried_tolerance))
        return false;
    const Footprint &a = support, &b = object;
    // Separating axes: the sides of both rectangles; edges that only touch hold nothing up.
    const double axes[4][2] = {{a.cos_a, a.sin_a}, {-a.sin_a, a.cos_a}, {b.cos_a, b.sin_a}, {-b.sin_a, b.cos_a}};
    for (const auto& axis : axes)
        if (!(depth_along(a, b, axis[0], axis[1]) > 0))
            return false;
    return true;
}

double object_top(const PlanTable& plan, const ComponentTable& components, int i)
{
    const size_t k = size_t(i);
    const int n = plan.comp(i);
    const bool built_in = ComponentTable::valid(n) && components[n].library == 0;
    const double height = built_in ? built_in_height(plan.obj_hauteur[k]) : double(plan.obj_hauteur[k]);
    return double(plan.obj_elevation[k]) + std::max(0.0, height);
}

bool carries(const PlanTable& plan, const ComponentTable& components, int carrier, int object)
{
    if (carrier == object || !plan.valid(carrier) || !plan.valid(object))
        return false;
    return stands_on(standing_of(plan, components, carrier), standing_of(plan, components, object));
}

std::vector<int> carried_objects(const PlanTable& plan, const ComponentTable& components, const std::vector<int>& roots)
{
    const int n = plan.nb_objets;
    std::vector<char> taken(size_t(n) + 1, 0);
    std::vector<int> open;
    for (int r : roots)
        if (plan.valid(r) && !taken[size_t(r)]) {
            taken[size_t(r)] = 1;
            open.push_back(r);
        }
    if (open.empty())
        return {};
    std::vector<Standing> all(size_t(n) + 1);
    for (int i = 1; i <= n; ++i)
        all[size_t(i)] = standing_of(plan, components, i);
    std::vector<int> found;
    while (!open.empty()) {
        const int carrier = open.back();
        open.pop_back();
        for (int i = 1; i <= n; ++i)
            if (!taken[size_t(i)] && stands_on(all[size_t(carrier)], all[size_t(i)])) {
                taken[size_t(i)] = 1;
                open.push_back(i);
                found.push_back(i);
            }
    }
    std::sort(found.begin(), found.end());
    return found;
}

Placement placement_of(const PlanTable& plan, int i)
{
    const size_t k = size_t(i);
    return {plan.obj_x[k], plan.obj_y[k], plan.obj_rot[k], plan.obj_elevation[k]};
}

Placement carried_placement(const PlanTable& plan, int i, const Placement& before, const Placement& after)
{
    Placement p = placement_of(plan, i);
    const double turn = double(after.rot) - double(before.rot);
    const PointD at = rotate_point(before.x, before.y, p.x, p.y, turn);
    p.x = float(at.x + (double(after.x) - double(before.x)));
    p.y = float(at.y + (double(after.y) - double(before.y)));
    // An object that does not turn keeps its angle as written, 360 included.
    if (turn != 0)
        p.rot = float(normalize_degrees(double(p.rot) + 3600 + turn));
    p.elevation = float(double(p.elevation) + (double(after.elevation) - double(before.elevation)));
    return p;
}

void follow_carrier(PlanTable& plan, const std::vector<int>& carried, const Placement& before, const Placement& after)
{
    if (before == after)
        return;
    for (int i : carried) {
        if (!plan.valid(i))
            continue;
        const Placement p = carried_placement(plan, i, before, after);
        const size_t k = size_t(i);
        plan.obj_x[k] = p.x;
        plan.obj_y[k] = p.y;
        plan.obj_rot[k] = p.rot;
        plan.obj_elevation[k] = p.elevation;
    }
}

Result<std::vector<int>> copy_carried(PlanTable& plan, const std::vector<int>& carried, int original, int copy)
{
    std::vector<int> made;
    if (!plan.valid(original) || !plan.valid(copy))
        return made;
    const Placement before = placement_of(plan, original), after = placement_of(plan, copy);
    for (int i : carried) {
        if (!plan.valid(i))
            continue;
        const Placement p = carried_placement(plan, i, before, after);
        Result<int> made_one = copy_object_from(plan, i, p.x, p.y);
        if (!made_one)
            return made_one.error();
        const size_t k = size_t(*made_one);
        plan.obj_rot[k] = p.rot;
        plan.obj_elevation[k] = p.elevation;
        made.push_back(*made_one);
    }
    return made;
}

void settle_copies(PlanTable& plan, const ComponentTable& components, const std::vector<int>& added)
{
    if (added.empty())
        return;
    const int root = added.front();
    std::vector<int> rest(added.begin() + 1, added.end());
    std::sort(rest.begin(), rest.end());
    if (!rest.empty()) {
        const std::vector<int> carried = carried_objects(plan, components, {root});
        if (!std::includes(carried.begin(), carried.end(), rest.begin(), rest.end()))
            return;
    }
    const Placement before = placement_of(plan, root);
    snap_dropped_object(plan, components, root);
    follow_carrier(plan, rest, before, placement_of(plan, root));
}

CarriedLoad::CarriedLoad(const PlanTable& plan, const ComponentTable& components, const std::vector<int>& carriers,
                         bool carry)
    : components_(components)
{
    if (!carry)
        return;
    std::vector<char> claimed(size_t(plan.nb_objets) + 1, 0);
    for (int c : carriers)
        if (plan.valid(c))
            claimed[size_t(c)] = 1;
    for (int c : carriers) {
        if (!plan.valid(c))
            continue;
        Load load{c, {}, placement_of(plan, c), object_top(plan, components, c)};
        for (int i : carried_objects(plan, components, {c}))
            if (!claimed[size_t(i)]) {
                claimed[size_t(i)] = 1;
                load.carried.push_back(i);
            }
        if (!load.carried.empty())
            loads_.push_back(std::move(load));
    }
}

void CarriedLoad::settle(PlanTable& plan) const
{
    for (const Load& load : loads_) {
        if (!plan.valid(load.carrier))
            continue;
        // The carrier's top, not its foot, is what its load rises with: a taller counter lifts it too.
        Placement after = placement_of(plan, load.carrier);
        after.elevation = float(double(load.before.elevation) + object_top(plan, components_, load.carrier) - load.top);
        follow_carrier(plan, load.carried, load.before, after);
    }
}

std::vector<int> carried_by_chosen(const PlanTable& plan, const ComponentTable& components)
{
    if (plan.valid(plan.index_focus))
        return carried_objects(plan, components, {plan.index_focus});
    return carried_objects(plan, components, selected_objects(plan));
}

} // namespace halvern
