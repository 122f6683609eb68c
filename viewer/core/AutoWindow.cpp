#include "AutoWindow.h"

#include <algorithm>

namespace viewer {

std::optional<AutoWindowResult> ComputeAutoWindow(const PixelSource& source, const SampleRule& rule)
{
    const long long qx = source.width / 4;
    const long long qy = source.height / 4;
    if (qx <= 0 || qy <= 0)
        return std::nullopt;
    std::int32_t max = SampleValue(FetchElement(source, qx, qy), rule.swap, rule.valueOffset);
    std::int32_t min = max;
    for (long long y = qy; y < 3 * qy; ++y) {
        for (long long x = qx; x < 3 * qx; ++x) {
            const std::int32_t v = SampleValue(FetchElement(source, x, y), rule.swap, rule.valueOffset);
            max = std::max(max, v);
            min = std::min(min, v);
        }
    }
    AutoWindowResult result;
    result.width = std::max(max - min - 1, 1);
    result.level = (max + min) / 2;
    return result;
}

} // namespace viewer
