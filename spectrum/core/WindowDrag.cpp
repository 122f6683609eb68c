#include "WindowDrag.h"

#include <cmath>

namespace spectrum {

GreyWindow<long long> IntegerDragStep(long long width, long long level, int dx, int dy)
{
    return {width + dx > 0 ? width + dx : width, level - dy};
}

GreyWindow<double> ProportionalDragStep(double width, double level, int dx, int dy)
{
    const double sw = std::abs(width / 100);
    const double sl = std::abs(level / 100);
    return {width + dx * sw > 0 ? width + dx * sw : width, level - dy * sl};
}

} // namespace spectrum
