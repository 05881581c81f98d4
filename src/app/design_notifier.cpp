#include "app/design_notifier.h"

namespace halvern {

void DesignNotifier::notify(Changes what)
{
    if (what.any())
        emit changed(what);
}

} // namespace halvern
