#pragma once
// The NPS ensemble runs on the program's worker pool: whole ROIs per task, summed afterwards in
// ROI order, so the result does not depend on the number of threads.
#include "ThreadPool.h"

namespace nps {

using Pool = common::ThreadPool;
using common::ParallelFor;

// The thread count of a pool asked for by a user: 0 or less means one per hardware thread.
inline int PoolThreads(int requested) { return requested >= 1 ? requested : Pool::MachineThreads(); }

} // namespace nps
