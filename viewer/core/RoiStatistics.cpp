#include "RoiStatistics.h"

#include <algorithm>
#include <cmath>

namespace viewer {

std::optional<RoiStatistics> ComputeRoiStatistics(const PixelSource& source, const RoiBlock& block,
                                                  const SampleRule& rule)
{
    const std::optional<RoiBlock> inside = ClipToImage(block, source.width, source.height);
    if (!inside)
        return std::nullopt;
    const RoiBlock& b = *inside;
    auto sample = [&](long long c, long long r) -> std::int32_t {
        return SampleValue(FetchElement(source, b.x0 + c, b.y0 + r), rule.swap, rule.valueOffset);
    };

    RoiStatistics s;
    s.max = s.min = sample(0, 0);
    double sum = 0;
    for (long long r = 0; r < b.h; ++r) {
        for (long long c = 0; c < b.w; ++c) {
            const std::int32_t v = sample(c, r);
            sum += v;
            s.max = std::max(s.max, v);
            s.min = std::min(s.min, v);
        }
    }
    const double w = static_cast<double>(b.w), h = static_cast<double>(b.h);
    s.mean = sum / w / h;

    double squares = 0;
    for (long long r = 0; r < b.h; ++r) {
        for (long long c = 0; c < b.w; ++c) {
            const double d = sample(c, r) - s.mean;
            squares += d * d;
        }
    }
    s.sd = std::sqrt(squares / w / h);
    return s;
}

} // namespace viewer
