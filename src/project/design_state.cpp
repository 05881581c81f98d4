#include "project/design_state.h"

#include <algorithm>

namespace halvern {

bool ObjectRecord::same_design(const ObjectRecord& o) const
{
    bool same = true;
#define HALVERN_COMPARE_FIELD(name, ...) same = same && name == o.name;
    HALVERN_OBJECT_FIELDS(HALVERN_COMPARE_FIELD, HALVERN_COMPARE_FIELD, HALVERN_FIELD_NONE)
#undef HALVERN_COMPARE_FIELD
    return same;
}

ObjectRecord read_record(const PlanTable& plan, int i)
{
    const size_t k = size_t(i);
    ObjectRecord r;
#define HALVERN_READ_FIELD(name, ...) r.name = plan.name[k];
    HALVERN_OBJECT_FIELDS(HALVERN_READ_FIELD, HALVERN_READ_FIELD, HALVERN_READ_FIELD)
#undef HALVERN_READ_FIELD
    return r;
}

void write_record(PlanTable& plan, int i, const ObjectRecord& r)
{
    const size_t k = size_t(i);
#define HALVERN_WRITE_FIELD(name, ...) plan.name[k] = r.name;
    HALVERN_OBJECT_FIELDS(HALVERN_WRITE_FIELD, HALVERN_WRITE_FIELD, HALVERN_WRITE_FIELD)
#undef HALVERN_WRITE_FIELD
}

DesignState capture_design(const PlanTable& plan, const StandSettings& stand)
{
    DesignState state;
    state.objects.reserve(size_t(plan.nb_objets));
    for (int i = 1; i <= plan.nb_objets; ++i)
        state.objects.push_back(read_record(plan, i));
    state.stand = stand;
    return state;
}

std::optional<DesignSwap> DesignSwap::between(const DesignState& other, const DesignState& live)
{
    const auto& a = other.objects;
    const auto& b = live.objects;
    const size_t shorter = std::min(a.size(), b.size());
    size_t prefix = 0;
    while (prefix < shorter && a[prefix].same_design(b[prefix]))
        ++prefix;
    // A deletion shifts everything behind it: the common tail is matched from the ends.
    size_t suffix = 0;
    while (suffix < shorter - prefix && a[a.size() - 1 - suffix].same_design(b[b.size() - 1 - suffix]))
        ++suffix;
    const bool objects_same = a.size() == b.size() && prefix == a.size();
    if (objects_same && other.stand == live.stand)
        return std::nullopt;

    DesignSwap swap;
    swap.first_ = int(prefix) + 1;
    swap.live_count_ = int(b.size() - prefix - suffix);
    swap.held_.assign(a.begin() + std::ptrdiff_t(prefix), a.end() - std::ptrdiff_t(suffix));
    swap.stand_ = other.stand;
    return swap;
}

void DesignSwap::swap_into(PlanTable& plan, StandSettings& stand)
{
    const int first = first_;
    const int old_end = first + live_count_; // first number behind the run, now
    std::vector<ObjectRecord> replaced;
    replaced.reserve(size_t(live_count_));
    for (int i = first; i < old_end; ++i)
        replaced.push_back(read_record(plan, i));
    std::vector<ObjectRecord> tail;
    for (int i = old_end; i <= plan.nb_objets; ++i)
        tail.push_back(read_record(plan, i));

    int i = first;
    for (const ObjectRecord& r : held_)
        write_record(plan, i++, r);
    for (const ObjectRecord& r : tail)
        write_record(plan, i++, r);
    plan.nb_objets = i - 1;

    live_count_ = int(held_.size());
    held_ = std::move(replaced);
    std::swap(stand, stand_);
}

} // namespace halvern
