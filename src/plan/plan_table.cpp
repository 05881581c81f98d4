#include "plan/plan_table.h"

#include "base/numbers.h"

namespace halvern {

int PlanTable::comp(int i) const { return round_to_int(obj_comp[size_t(i)]); }

} // namespace halvern
