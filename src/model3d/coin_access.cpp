#include "model3d/coin_access.h"

#include <Inventor/SoDB.h>

namespace halvern {

std::recursive_mutex& coin_lock()
{
    static std::recursive_mutex lock;
    return lock;
}

void init_coin_database()
{
    static std::once_flag once;
    std::call_once(once, [] { SoDB::init(); });
}

} // namespace halvern
