#include "plan/background_cache.h"

#include "geometry/canvas_adapters.h"

namespace halvern {

Canvas* RecordingBackgroundCache::begin(int, int)
{
    canvas_.clear();
    ++layers_drawn_;
    return &canvas_;
}

bool RecordingBackgroundCache::copy_to(Canvas& target)
{
    if (!key())
        return false;
    replay(canvas_.primitives(), target);
    ++copies_;
    return true;
}

} // namespace halvern
