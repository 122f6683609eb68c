#pragma once
// Round: nearest integer, halves to even. Trunc: toward zero. Both refuse values that do not fit
// the 64-bit result instead of producing an undefined conversion.
#include <cmath>
#include <cstdint>

#include "Errors.h"

namespace common {

inline std::int64_t Trunc(long double x)
{
    if (!(x > -9.2233720368547758e18L && x < 9.2233720368547758e18L))
        ThrowInvalidFloatOp();
    return static_cast<std::int64_t>(x);
}

inline std::int64_t Round(long double x)
{
    // nearbyint honours the current rounding mode, which the program never changes from
    // round-to-nearest-even.
    return Trunc(std::nearbyint(x));
}

} // namespace common
