#pragma once
// FFTW's planner is one per process and not thread-safe (its execute functions are): every plan
// the program makes or destroys, in any library, is made or destroyed under this one lock, so
// that an NPS run and an MTF run planning at the same time on different threads cannot race.
#include <mutex>

namespace common {

std::mutex& FftwPlannerLock();

} // namespace common
