#include "plan/stand_settings.h"

namespace halvern {

bool stand_size_valid(double metres) { return metres >= stand_size_min && metres <= stand_size_max; }

} // namespace halvern
