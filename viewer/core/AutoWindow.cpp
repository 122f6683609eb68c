#include "AutoWindow.h"

#include <algorithm>

#include "SampleScan.h"

namespace viewer {

std::optional<AutoWindowResult> ComputeAutoWindow(const imageio::PixelSource& source, const SampleRule& rule)
{
    const long long qx = source.width / 4;
    const long long qy = source.height / 4;
    if (qx <= 0 || qy <= 0)
        return std::nullopt;
    std::int32_t max = imageio::SampleValue(imageio::FetchElement(source, qx, qy), rule.swap, rule.valueOffset);
    std::int32_t min = max;
    ForEachSample(source, RoiBlock{qx, qy, 2 * qx, 2 * qy}, rule, [&](std::int32_t v) {
        max = std::max(max, v);
        min = std::min(min, v);
    });
    AutoWindowResult result;
    result.width = std::max(max - min - 1, 1);
    result.level = (max + min) / 2;
    return result;
}

} // namespace viewer
