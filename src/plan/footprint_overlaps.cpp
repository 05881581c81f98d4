#include "plan/footprint_overlaps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "plan/design_checks.h"
#include "plan/plan_ends.h"

namespace halvern {

namespace {

constexpr double degrees_to_radians = 0.017453292519943295;
// Most pieces of a stand are a metre or so long; an object spanning more cells than this (a floor
// covering, a long counter) is tested against every object instead of being entered everywhere.
constexpr double cell_size = 100;
constexpr std::int64_t max_cells_per_object = 64;
constexpr double cell_limit = 1e9; // cells of absurd coordinates share the edge cells

struct Scene {
    std::vector<Footprint> prints;
    EndTable ends;
};

Scene make_scene(const PlanTable& plan, const ComponentTable& components)
{
    Scene s;
    s.prints.resize(size_t(plan.nb_objets) + 1);
    for (int i = 1; i <= plan.nb_objets; ++i)
        s.prints[size_t(i)] = footprint_of(plan, components, i);
    s.ends = make_end_table(plan, components);
    return s;
}

// How far the two rectangles reach into each other along one axis (negative: a gap).
double depth_along(const Footprint& a, const Footprint& b, double ux, double uy)
{
    auto reach = [ux, uy](const Footprint& f) {
        return f.half_w * std::fabs(f.cos_a * ux + f.sin_a * uy) + f.half_d * std::fabs(-f.sin_a * ux + f.cos_a * uy);
    };
    const double centre_gap = std::fabs((b.x - a.x) * ux + (b.y - a.y) * uy);
    return reach(a) + reach(b) - centre_gap;
}

bool joined(const Scene& s, int i, int j)
{
    for (int e = 1; e <= 2; ++e)
        for (int f = 1; f <= 2; ++f)
            if (ends_joined(s.ends.at(i, e), s.ends.at(j, f)))
                return true;
    return false;
}

// One predicate for both searches, so that they can only differ in which pairs they test.
bool overlap(const Scene& s, int i, int j)
{
    const Footprint& a = s.prints[size_t(i)];
    const Footprint& b = s.prints[size_t(j)];
    if (!a.usable || !b.usable)
        return false;
    if (!(std::min(a.top, b.top) - std::max(a.bottom, b.bottom) > check_tolerance))
        return false;
    // Separating axes: the sides of both rectangles.
    const double axes[4][2] = {{a.cos_a, a.sin_a}, {-a.sin_a, a.cos_a}, {b.cos_a, b.sin_a}, {-b.sin_a, b.cos_a}};
    for (const auto& axis : axes)
        if (!(depth_along(a, b, axis[0], axis[1]) > check_tolerance))
            return false;
    return !joined(s, i, j);
}

std::int64_t cell_index(double v)
{
    const double c = std::floor(v / cell_size);
    if (!(c > -cell_limit))
        return std::int64_t(-cell_limit);
    if (c > cell_limit)
        return std::int64_t(cell_limit);
    return std::int64_t(c);
}

struct CellRange {
    std::int64_t x0, y0, x1, y1;
    std::int64_t count() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
};

CellRange cells_of(const Footprint& f)
{
    return {cell_index(f.left), cell_index(f.top_y), cell_index(f.right), cell_index(f.bottom_y)};
}

std::uint64_t cell_key(std::int64_t cx, std::int64_t cy)
{
    return (std::uint64_t(cx + (std::int64_t(1) << 31)) << 32) | std::uint64_t(cy + (std::int64_t(1) << 31));
}

} // namespace

Footprint footprint_of(const PlanTable& plan, const ComponentTable& components, int i)
{
    Footprint f;
    if (!plan.valid(i) || !has_geometry(plan, i) || components[plan.comp(i)].is_free())
        return f;
    const size_t k = size_t(i);
    const Component& c = components[plan.comp(i)];
    const double w = plan.obj_largeur[k] > 0 ? double(plan.obj_largeur[k]) : c.width;
    const double d = plan.obj_profondeur[k] > 0 ? double(plan.obj_profondeur[k]) : c.depth;
    const double a = double(plan.obj_rot[k]) * degrees_to_radians;
    f.x = plan.obj_x[k];
    f.y = plan.obj_y[k];
    f.half_w = std::fabs(w) / 2;
    f.half_d = std::fabs(d) / 2;
    f.cos_a = std::cos(a);
    f.sin_a = std::sin(a);
    f.bottom = plan.obj_elevation[k];
    f.top = f.bottom + std::max(0.0, double(plan.obj_hauteur[k]));
    const double rx = f.half_w * std::fabs(f.cos_a) + f.half_d * std::fabs(f.sin_a);
    const double ry = f.half_w * std::fabs(f.sin_a) + f.half_d * std::fabs(f.cos_a);
    f.left = f.x - rx, f.right = f.x + rx, f.top_y = f.y - ry, f.bottom_y = f.y + ry;
    f.usable = std::isfinite(f.left + f.right + f.top_y + f.bottom_y + f.bottom + f.top);
    return f;
}

std::vector<std::pair<int, int>> find_overlaps_plain(const PlanTable& plan, const ComponentTable& components)
{
    const Scene s = make_scene(plan, components);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 1; i <= plan.nb_objets; ++i)
        for (int j = i + 1; j <= plan.nb_objets; ++j)
            if (overlap(s, i, j))
                pairs.emplace_back(i, j);
    return pairs;
}

std::vector<std::pair<int, int>> find_overlaps(const PlanTable& plan, const ComponentTable& components)
{
    const Scene s = make_scene(plan, components);
    struct Entry {
        std::uint64_t cell;
        int object;
    };
    std::vector<Entry> entries;
    std::vector<int> large;
    std::vector<CellRange> ranges(size_t(plan.nb_objets) + 1);
    entries.reserve(size_t(plan.nb_objets) * 4);
    for (int i = 1; i <= plan.nb_objets; ++i) {
        const Footprint& f = s.prints[size_t(i)];
        if (!f.usable)
            continue;
        const CellRange r = ranges[size_t(i)] = cells_of(f);
        if (r.count() > max_cells_per_object) {
            large.push_back(i);
            continue;
        }
        for (std::int64_t cx = r.x0; cx <= r.x1; ++cx)
            for (std::int64_t cy = r.y0; cy <= r.y1; ++cy)
                entries.push_back({cell_key(cx, cy), i});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.cell != b.cell ? a.cell < b.cell : a.object < b.object; });

    std::vector<std::pair<int, int>> pairs;
    for (size_t run = 0; run < entries.size();) {
        size_t end = run;
        while (end < entries.size() && entries[end].cell == entries[run].cell)
            ++end;
        for (size_t a = run; a < end; ++a)
            for (size_t b = a + 1; b < end; ++b) {
                const int i = entries[a].object, j = entries[b].object;
                // A pair sharing several cells is tested in the first of them only.
                const CellRange &ri = ranges[size_t(i)], &rj = ranges[size_t(j)];
                if (cell_key(std::max(ri.x0, rj.x0), std::max(ri.y0, rj.y0)) != entries[a].cell)
                    continue;
                if (overlap(s, i, j))
                    pairs.emplace_back(i, j);
            }
        run = end;
    }
    for (size_t n = 0; n < large.size(); ++n) {
        const int i = large[n];
        for (int j = 1; j <= plan.nb_objets; ++j) {
            const bool j_large = std::binary_search(large.begin(), large.end(), j);
            if (j == i || (j_large && j < i))
                continue;
            if (overlap(s, i, j))
                pairs.emplace_back(std::min(i, j), std::max(i, j));
        }
    }
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

} // namespace halvern
