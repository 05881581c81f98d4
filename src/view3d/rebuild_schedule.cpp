#include "view3d/rebuild_schedule.h"

namespace halvern {

bool RebuildSchedule::start_if_due()
{
    if (!visible_ || building_ || !pending_)
        return false;
    building_ = true;
    pending_ = false;
    return true;
}

bool RebuildSchedule::changed()
{
    pending_ = true;
    return start_if_due();
}

bool RebuildSchedule::finished()
{
    building_ = false;
    return start_if_due();
}

bool RebuildSchedule::set_visible(bool visible)
{
    visible_ = visible;
    return start_if_due();
}

} // namespace halvern
