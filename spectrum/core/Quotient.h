#pragma once
// Division that fails the way the arithmetic unit reports it: 0 / 0 is an invalid operation,
// anything else over 0 a division by zero.
#include <cmath>

#include "Errors.h"

namespace spectrum {

inline double Quotient(double numerator, double denominator)
{
    if (denominator == 0) {
        if (numerator == 0 || std::isnan(numerator))
            common::ThrowInvalidFloatOp();
        common::ThrowDivideByZero();
    }
    return numerator / denominator;
}

} // namespace spectrum
