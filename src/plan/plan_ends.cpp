#include "plan/plan_ends.h"

#include "base/numbers.h"
#include "plan/end_grid.h"

#include <cmath>

namespace halvern {

namespace {

constexpr double degrees_to_radians = 0.017453292519943295;

// The chain walk, shared by the plain and the grid search so that they differ in the search only.
// Depth first as a recursion would go (end 1's neighbour and everything behind it before end 2's
// neighbour is even looked for), with an explicit stack so that a chain of thousands of objects
// cannot exhaust the call stack.
template <class Find>
void walk_chains(PlanTable& plan, Find find)
{
    const int n = plan.nb_objets;
    for (int i = 1; i <= n; ++i)
        plan.obj_ilot[size_t(i)] = 0;

    struct Frame {
        int object;
        int ends_done;
    };
    std::vector<Frame> stack;
    int counter = 0;
    for (int i = 1; i <= n; ++i) {
        if (plan.obj_ilot[size_t(i)] != 0)
            continue;
        ++counter;
        plan.obj_ilot[size_t(i)] = counter;
        stack.push_back({i, 0});
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.ends_done == 2) {
                stack.pop_back();
                continue;
            }
            const int object = top.object;
            const int e = ++top.ends_done;
            EndMatch m = find(object, e);
            if (m.found() && plan.obj_ilot[size_t(m.object)] == 0) {
                plan.obj_ilot[size_t(m.object)] = counter;
                stack.push_back({m.object, 0});
            }
        }
    }
}

template <class Find>
std::vector<std::string> end_codes_with(const PlanTable& plan, Find find)
{
    std::vector<std::string> codes(size_t(plan.nb_objets) + 1);
    for (int i = 1; i <= plan.nb_objets; ++i)
        for (int e = 1; e <= 2; ++e)
            codes[size_t(i)] += end_letter(joint_angle(plan, i, e, find(i, e)));
    return codes;
}

} // namespace

bool has_geometry(const PlanTable& plan, int i)
{
    if (!plan.valid(i))
        return false;
    int c = plan.comp(i);
    return c != group_component && ComponentTable::valid(c);
}

double component_width(const PlanTable& plan, const ComponentTable& components, int i)
{
    return has_geometry(plan, i) ? components[plan.comp(i)].width : 0.0;
}

PlanPoint end_point(const PlanTable& plan, const ComponentTable& components, int i, int e)
{
    const double half = component_width(plan, components, i) / 2;
    const double a = double(plan.obj_rot[size_t(i)]) * degrees_to_radians;
    const double sign = e == 1 ? -1.0 : 1.0;
    return {double(plan.obj_x[size_t(i)]) + sign * half * std::cos(a),
            double(plan.obj_y[size_t(i)]) + sign * half * std::sin(a)};
}

bool ends_joined(PlanPoint a, PlanPoint b)
{
    return std::abs(a.x - b.x) < tolerance_jonction && std::abs(a.y - b.y) < tolerance_jonction;
}

EndTable make_end_table(const PlanTable& plan, const ComponentTable& components)
{
    const size_t size = size_t(plan.nb_objets) + 1;
    EndTable ends{std::vector<PlanPoint>(size), std::vector<PlanPoint>(size), std::vector<char>(size, 0)};
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!has_geometry(plan, i))
            continue;
        ends.usable[size_t(i)] = 1;
        ends.end1[size_t(i)] = end_point(plan, components, i, 1);
        ends.end2[size_t(i)] = end_point(plan, components, i, 2);
    }
    return ends;
}

EndMatch find_neighbour_plain(const PlanTable& plan, const EndTable& ends, int i, int e, NeighbourFilter filter)
{
    EndMatch last;
    if (!ends.usable[size_t(i)])
        return last;
    const PlanPoint p = ends.at(i, e);
    for (int j = 1; j <= plan.nb_objets; ++j) {
        if (j == i || !ends.usable[size_t(j)])
            continue;
        if (filter == NeighbourFilter::unnumbered && plan.obj_ilot[size_t(j)] != 0)
            continue;
        for (int f = 1; f <= 2; ++f)
            if (ends_joined(ends.at(j, f), p))
                last = {j, f};
    }
    return last;
}

int joint_angle(const PlanTable& plan, int i, int e, EndMatch n)
{
    if (!n.found())
        return -1;
    // Directions from the joint along each body, in degrees: a body runs from end 1 towards end 2
    // at its rotation.
    const double u = double(plan.obj_rot[size_t(i)]) + (e == 2 ? 180.0 : 0.0);
    const double v = double(plan.obj_rot[size_t(n.object)]) + (n.end == 2 ? 180.0 : 0.0);
    // Seen from end 1 the recto side lies at +90 degrees from the body, seen from end 2 at -90:
    // the opening is measured from i's body towards its recto side.
    const double opening = e == 1 ? v - u : u - v;
    return normalize_degrees(round_to_int(normalize_degrees(opening)));
}

bool joint_angle_allowed(int angle) { return angle == -1 || angle == 0 || angle == 90 || angle == 180 || angle == 270; }

std::string end_letter(int angle)
{
    if (angle == -1 || angle == 270)
        return "O";
    if (angle == 180)
        return "C";
    if (angle == 90)
        return "R";
    return "?" + std::to_string(angle);
}

std::string end_code_with_override(const PlanTable& plan, int i, int face, const std::string& computed)
{
    if (face == 1 && !plan.obj_force_recto[size_t(i)].empty())
        return plan.obj_force_recto[size_t(i)];
    if (face == 2 && !plan.obj_force_verso[size_t(i)].empty())
        return plan.obj_force_verso[size_t(i)];
    return computed;
}

std::string computed_end_code(const PlanTable& plan, const ComponentTable& components, int i)
{
    if (!plan.valid(i))
        return "OO";
    const EndTable ends = make_end_table(plan, components);
    std::string code;
    for (int e = 1; e <= 2; ++e)
        code += end_letter(joint_angle(plan, i, e, find_neighbour_plain(plan, ends, i, e, NeighbourFilter::any)));
    return code;
}

std::string end_code(const PlanTable& plan, const ComponentTable& components, int i, int face)
{
    if (!plan.valid(i))
        return "OO";
    return end_code_with_override(plan, i, face, computed_end_code(plan, components, i));
}

void compute_chains_plain(PlanTable& plan, const ComponentTable& components)
{
    const EndTable ends = make_end_table(plan, components);
    walk_chains(plan, [&](int i, int e) { return find_neighbour_plain(plan, ends, i, e, NeighbourFilter::unnumbered); });
}

void compute_chains(PlanTable& plan, const ComponentTable& components)
{
    const EndTable ends = make_end_table(plan, components);
    const EndGrid grid(ends, plan.nb_objets);
    walk_chains(plan, [&](int i, int e) { return grid.find_neighbour(plan, i, e, NeighbourFilter::unnumbered); });
}

std::vector<std::string> computed_end_codes_plain(const PlanTable& plan, const ComponentTable& components)
{
    const EndTable ends = make_end_table(plan, components);
    return end_codes_with(plan, [&](int i, int e) { return find_neighbour_plain(plan, ends, i, e, NeighbourFilter::any); });
}

std::vector<std::string> computed_end_codes(const PlanTable& plan, const ComponentTable& components)
{
    const EndTable ends = make_end_table(plan, components);
    const EndGrid grid(ends, plan.nb_objets);
    return end_codes_with(plan, [&](int i, int e) { return grid.find_neighbour(plan, i, e, NeighbourFilter::any); });
}

} // namespace halvern
