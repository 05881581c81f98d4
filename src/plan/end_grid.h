#pragma once
// A grid over the end points of the plan, so that finding the object joined at an end looks at a
// few nearby ends instead of every end of the table.
//
// The cells are squares of the smallest power of two not below the joining tolerance: a division by
// a power of two is exact, so two ends closer than the tolerance always lie in the same or in
// adjacent cells, and the 3 x 3 cells around an end hold every candidate. Candidates are then
// tested with the very comparison of the plain scan, and the last match in table order wins, so
// the answers are those of the scan.

#include "plan/plan_ends.h"

#include <cstdint>
#include <vector>

namespace halvern {

class EndGrid {
public:
    // The grid reads `ends` while it is searched: the table must outlive the grid.
    EndGrid(const EndTable& ends, int nb_objets);

    // The same answer as find_neighbour_plain for the table the grid was built from.
    EndMatch find_neighbour(const PlanTable& plan, int i, int e, NeighbourFilter filter) const;

    double cell_size() const { return cell_; }

private:
    struct Cell {
        std::int64_t row = 0, col = 0;
    };
    struct Entry {
        int object = 0;
        int end = 0;
        PlanPoint point;
    };

    Cell cell_of(PlanPoint p) const;
    size_t bucket_of(Cell cell) const;

    const EndTable& ends_;
    double cell_ = 2.0;
    // The cells are hashed into buckets; a bucket may hold ends of several cells, which only adds
    // candidates that the exact comparison then turns away.
    size_t mask_ = 0;
    std::vector<std::uint32_t> start_; // bucket b holds entries_[start_[b] .. start_[b + 1])
    std::vector<Entry> entries_;
};

} // namespace halvern
