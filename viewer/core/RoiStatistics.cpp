#include "RoiStatistics.h"

#include <algorithm>
#include <cmath>

#include "SampleScan.h"

namespace viewer {

std::optional<RoiStatistics> ComputeRoiStatistics(const imageio::PixelSource& source, const RoiBlock& block,
                                                  const SampleRule& rule)
{
    const std::optional<RoiBlock> inside = ClipToImage(block, source.width, source.height);
    if (!inside)
        return std::nullopt;
    const RoiBlock& b = *inside;

    RoiStatistics s;
    s.width = b.w;
    s.height = b.h;
    s.max = s.min = imageio::SampleValue(imageio::FetchElement(source, b.x0, b.y0), rule.swap, rule.valueOffset);
    double sum = 0;
    ForEachSample(source, b, rule, [&](std::int32_t v) {
        sum += v;
        s.max = std::max(s.max, v);
        s.min = std::min(s.min, v);
    });
    const double w = static_cast<double>(b.w), h = static_cast<double>(b.h);
    s.mean = sum / w / h;

    double squares = 0;
    ForEachSample(source, b, rule, [&](std::int32_t v) {
        const double d = v - s.mean;
        squares += d * d;
    });
    s.sd = std::sqrt(squares / w / h);
    return s;
}

std::optional<common::Text> PartCounted(const RoiStatistics& stats, const RoiBlock& block)
{
    if (stats.width == block.w && stats.height == block.h)
        return std::nullopt;
    return common::TrText("viewer", "%1 x %2 inside the image").Arg(stats.width).Arg(stats.height);
}

} // namespace viewer
