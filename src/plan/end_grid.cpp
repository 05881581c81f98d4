#include "plan/end_grid.h"

#include <algorithm>
#include <cmath>

namespace halvern {

namespace {

// The smallest power of two not below the tolerance.
double power_of_two_at_least(double tolerance)
{
    int exponent = 0;
    double mantissa = std::frexp(tolerance, &exponent); // tolerance = mantissa * 2^exponent, mantissa in [0.5, 1)
    return mantissa == 0.5 ? tolerance : std::ldexp(1.0, exponent);
}

// Far coordinates share the outermost cells; they stay candidates of each other, and the exact
// comparison decides, so nothing is lost and no cell number overflows.
constexpr double cell_limit = 1125899906842624.0; // 2^50

std::int64_t clamp_cell(double v)
{
    return std::int64_t(std::clamp(std::floor(v), -cell_limit, cell_limit));
}

bool finite(PlanPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

} // namespace

EndGrid::EndGrid(const EndTable& ends, int nb_objets) : ends_(ends), cell_(power_of_two_at_least(tolerance_jonction))
{
    entries_.reserve(size_t(nb_objets) * 2);
    for (int j = 1; j <= nb_objets; ++j) {
        if (!ends.usable[size_t(j)])
            continue;
        for (int f = 1; f <= 2; ++f) {
            PlanPoint p = ends.at(j, f);
            // An end that is not a finite point is joined to nothing (every comparison with it
            // fails), so it need not be in the grid.
            if (finite(p))
                entries_.push_back({cell_of(p), j, f, p});
        }
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) { return a.cell < b.cell; });
}

EndGrid::Cell EndGrid::cell_of(PlanPoint p) const
{
    return {clamp_cell(p.y / cell_), clamp_cell(p.x / cell_)};
}

EndMatch EndGrid::find_neighbour(const PlanTable& plan, int i, int e, NeighbourFilter filter) const
{
    EndMatch best;
    if (!ends_.usable[size_t(i)])
        return best;
    PlanPoint p = ends_.at(i, e);
    if (!finite(p))
        return best;
    Cell centre = cell_of(p);
    auto before = [](const Entry& entry, const Cell& cell) { return entry.cell < cell; };
    for (std::int64_t row = centre.row - 1; row <= centre.row + 1; ++row) {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), Cell{row, centre.col - 1}, before);
        for (; it != entries_.end() && it->cell.row == row && it->cell.col <= centre.col + 1; ++it) {
            int j = it->object;
            if (j == i || !ends_joined(it->point, p))
                continue;
            if (filter == NeighbourFilter::unnumbered && plan.obj_ilot[size_t(j)] != 0)
                continue;
            // The scan keeps the last match in table order: the highest object, then its end 2.
            if (j > best.object || (j == best.object && it->end > best.end))
                best = {j, it->end};
        }
    }
    return best;
}

} // namespace halvern
