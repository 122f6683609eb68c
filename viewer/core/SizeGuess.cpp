#include "SizeGuess.h"

#include <cmath>

#include "Rounding.h"

namespace viewer {

std::string SizeGuessText(std::uint64_t fileSize, int bytesPerPixel)
{
    const long double s = std::sqrt(static_cast<long double>(fileSize) / bytesPerPixel);
    long long n;
    const long long rounded = common::Round(s);
    if (s == static_cast<long double>(rounded)) {
        n = common::Trunc(s);
    } else {
        n = 64;
        while (n <= rounded)
            n *= 2;
    }
    return std::to_string(n) + " " + std::to_string(n);
}

} // namespace viewer
