#pragma once
// The state of a design that undo and redo bring back: every object's fields and the stand
// settings. A change between two states is kept as the run of objects that differs (what lies
// before and after it is common to both), so that moving one object of a large plan costs one
// record, and a deletion costs the records behind it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "plan/object_fields.h"
#include "plan/plan_table.h"
#include "plan/stand_settings.h"

namespace halvern {

// One object with every per-object field of the plan table, under the names of its arrays.
struct ObjectRecord {
#define HALVERN_RECORD_FIELD(name, ...) field_value_t<decltype(PlanTable::name)> name{};
    HALVERN_OBJECT_FIELDS(HALVERN_RECORD_FIELD, HALVERN_RECORD_FIELD, HALVERN_RECORD_FIELD)
#undef HALVERN_RECORD_FIELD

    // Equal in everything the user made (display state aside).
    bool same_design(const ObjectRecord& other) const;
};

ObjectRecord read_record(const PlanTable& plan, int i);
void write_record(PlanTable& plan, int i, const ObjectRecord& record);

struct DesignState {
    std::vector<ObjectRecord> objects; // object i at index i - 1
    StandSettings stand;
};

DesignState capture_design(const PlanTable& plan, const StandSettings& stand);

// The difference between two states, held as the part of the other state that the live one lacks.
// Swapping it into the live design turns the design into the other state and keeps the part it
// replaced, so that the same swap, done again, goes back.
class DesignSwap {
public:
    // None when the two states are the same design.
    static std::optional<DesignSwap> between(const DesignState& other, const DesignState& live);

    // Precondition: the design is in the state the swap was made against (or last swapped to).
    void swap_into(PlanTable& plan, StandSettings& stand);

    int first_object() const { return first_; }
    size_t held_objects() const { return held_.size(); }

private:
    int first_ = 1;                  // first object number of the run that differs
    int live_count_ = 0;             // objects of that run in the design as it is now
    std::vector<ObjectRecord> held_; // the run as the other state has it
    StandSettings stand_;
};

} // namespace halvern
