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
    struct Placed {
        size_t bucket;
        Entry entry;
    };
    std::vector<Placed> placed;
    placed.reserve(size_t(nb_objets) * 2);
    size_t buckets = 16;
    while (buckets < size_t(nb_objets) * 4)
        buckets *= 2;
    mask_ = buckets - 1;
    for (int j = 1; j <= nb_objets; ++j) {
        if (!ends.usable[size_t(j)])
            continue;
        for (int f = 1; f <= 2; ++f) {
            const PlanPoint p = ends.at(j, f);
            // An end that is not a finite point is joined to nothing (every comparison with it
            // fails), so it need not be in the grid.
            if (finite(p))
                placed.push_back({bucket_of(cell_of(p)), {j, f, p}});
        }
    }
    // Counting sort into the buckets.
    start_.assign(buckets + 1, 0);
    for (const Placed& p : placed)
        ++start_[p.bucket + 1];
    for (size_t b = 0; b < buckets; ++b)
        start_[b + 1] += start_[b];
    std::vector<std::uint32_t> next(start_.begin(), start_.end() - 1);
    entries_.resize(placed.size());
    for (const Placed& p : placed)
        entries_[next[p.bucket]++] = p.entry;
}

EndGrid::Cell EndGrid::cell_of(PlanPoint p) const
{
    return {clamp_cell(p.y / cell_), clamp_cell(p.x / cell_)};
}

size_t EndGrid::bucket_of(Cell cell) const
{
    std::uint64_t h = std::uint64_t(cell.row) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(cell.col) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return size_t(h) & mask_;
}

EndMatch EndGrid::find_neighbour(const PlanTable& plan, int i, int e, NeighbourFilter filter) const
{
    EndMatch best;
    if (!ends_.usable[size_t(i)])
        return best;
    const PlanPoint p = ends_.at(i, e);
    if (!finite(p))
        return best;
    const Cell centre = cell_of(p);
    for (std::int64_t row = centre.row - 1; row <= centre.row + 1; ++row) {
        for (std::int64_t col = centre.col - 1; col <= centre.col + 1; ++col) {
            const size_t b = bucket_of({row, col});
            for (std::uint32_t k = start_[b]; k < start_[b + 1]; ++k) {
                const Entry& entry = entries_[k];
                const int j = entry.object;
                if (j == i || !ends_joined(entry.point, p))
                    continue;
                if (filter == NeighbourFilter::unnumbered && plan.obj_ilot[size_t(j)] != 0)
                    continue;
                // The scan keeps the last match in table order: the highest object, then its end 2.
                if (j > best.object || (j == best.object && entry.end > best.end))
                    best = {j, entry.end};
            }
        }
    }
    return best;
}

} // namespace halvern
