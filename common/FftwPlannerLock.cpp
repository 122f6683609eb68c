#include "FftwPlannerLock.h"

namespace common {

std::mutex& FftwPlannerLock()
{
    static std::mutex lock;
    return lock;
}

} // namespace common
