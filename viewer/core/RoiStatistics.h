#pragma once
// Mean, population standard deviation, maximum and minimum of the samples under the ROI.
#include <cstdint>
#include <optional>
#include <string>

#include "AutoWindow.h"
#include "PixelRule.h"
#include "RoiBlock.h"
#include "Text.h"

namespace viewer {

struct RoiStatistics {
    double mean = 0;
    double sd = 0;  // divisor w * h
    std::int32_t max = 0;
    std::int32_t min = 0;
    long long width = 0, height = 0;  // of the part inside the image, the pixels counted
};

// Nothing when the statistics are of the whole block; else what says which part they are of
// ("228 x 204 inside the image").
std::optional<common::Text> PartCounted(const RoiStatistics& stats, const RoiBlock& block);

// Over the part of the block that lies inside the image, samples formed by the pixel rule (8-bit
// pixels in 8-bit mode); nothing when no sample of the block is inside the image.
std::optional<RoiStatistics> ComputeRoiStatistics(const imageio::PixelSource& source, const RoiBlock& block,
                                                  const SampleRule& rule);

} // namespace viewer
