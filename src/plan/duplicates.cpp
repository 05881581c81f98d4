#include "plan/duplicates.h"

#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "plan/plan_ends.h"

namespace halvern {

namespace {

bool built_in(const PlanTable& plan, const ComponentTable& components, int i)
{
    return has_geometry(plan, i) && components[plan.comp(i)].library == 0;
}

// One predicate for both methods, so they can only differ in which pairs they look at.
bool duplicates_of(const PlanTable& plan, int i, int j)
{
    const size_t I = size_t(i), J = size_t(j);
    return plan.obj_x[J] > plan.obj_x[I] - duplicate_distance && plan.obj_x[J] < plan.obj_x[I] + duplicate_distance
           && plan.obj_y[J] > plan.obj_y[I] - duplicate_distance
           && plan.obj_y[J] < plan.obj_y[I] + duplicate_distance && plan.obj_rot[I] == plan.obj_rot[J];
}

bool marks_itself(const PlanTable& plan, const ComponentTable& components, int i, FadedObjects faded)
{
    return (faded == FadedObjects::checked || plan.obj_estompe[size_t(i)] != 0) && built_in(plan, components, i);
}

// Two cells may share a key; that costs a few extra predicate checks, never a wrong answer.
std::int64_t cell_key(std::int64_t cx, std::int64_t cy)
{
    return std::int64_t(std::uint64_t(cx) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(cy));
}

std::int64_t cell_of(float v)
{
    // Positions far outside any stand (or not numbers) share the edge cells; the predicate still
    // decides, so nothing is lost but speed on absurd input.
    double c = std::floor(double(v) / duplicate_distance);
    if (!(c > -1e12))
        return std::int64_t(-1e12);
    if (c > 1e12)
        return std::int64_t(1e12);
    return std::int64_t(c);
}

} // namespace

std::vector<int> find_duplicates_plain(const PlanTable& plan, const ComponentTable& components, FadedObjects faded)
{
    std::vector<int> marked;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!marks_itself(plan, components, i, faded))
            continue;
        for (int j = 1; j <= plan.nb_objets; ++j)
            if (j != i && built_in(plan, components, j) && duplicates_of(plan, i, j)) {
                marked.push_back(i);
                break;
            }
    }
    return marked;
}

std::vector<int> find_duplicates(const PlanTable& plan, const ComponentTable& components, FadedObjects faded)
{
    // Any partner lies strictly within one cell width, so in the 3 x 3 cells around the object.
    std::unordered_map<std::int64_t, std::vector<int>> cells;
    cells.reserve(size_t(plan.nb_objets) * 2);
    for (int j = 1; j <= plan.nb_objets; ++j)
        if (built_in(plan, components, j))
            cells[cell_key(cell_of(plan.obj_x[size_t(j)]), cell_of(plan.obj_y[size_t(j)]))].push_back(j);

    std::vector<int> marked;
    for (int i = 1; i <= plan.nb_objets; ++i) {
        if (!marks_itself(plan, components, i, faded))
            continue;
        const std::int64_t cx = cell_of(plan.obj_x[size_t(i)]), cy = cell_of(plan.obj_y[size_t(i)]);
        bool found = false;
        for (std::int64_t dx = -1; dx <= 1 && !found; ++dx)
            for (std::int64_t dy = -1; dy <= 1 && !found; ++dy) {
                auto it = cells.find(cell_key(cx + dx, cy + dy));
                if (it == cells.end())
                    continue;
                for (int j : it->second)
                    if (j != i && duplicates_of(plan, i, j)) {
                        found = true;
                        break;
                    }
            }
        if (found)
            marked.push_back(i);
    }
    return marked;
}

} // namespace halvern
