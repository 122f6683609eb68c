#pragma once
// Mean, population standard deviation, maximum and minimum of the samples under the ROI.
#include <cstdint>
#include <optional>

#include "AutoWindow.h"
#include "PixelRule.h"
#include "RoiBlock.h"

namespace viewer {

struct RoiStatistics {
    double mean = 0;
    double sd = 0;  // divisor w * h
    std::int32_t max = 0;
    std::int32_t min = 0;
};

// Over the part of the block that lies inside the image, samples formed by the pixel rule (8-bit
// pixels in 8-bit mode); nothing when no sample of the block is inside the image.
std::optional<RoiStatistics> ComputeRoiStatistics(const imageio::PixelSource& source, const RoiBlock& block,
                                                  const SampleRule& rule);

} // namespace viewer
