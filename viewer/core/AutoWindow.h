#pragma once
// The automatic window: level and width from the extreme sample values of the central half of
// the image (columns and rows from a quarter to three quarters of the matrix).
#include <cstdint>
#include <optional>

#include "PixelRule.h"

namespace viewer {

struct SampleRule {
    bool swap = false;
    std::int32_t valueOffset = 0;
};

struct AutoWindowResult {
    std::int32_t level = 0;
    std::int32_t width = 0;
    bool operator==(const AutoWindowResult&) const = default;
};

// Width max - min - 1 and level (max + min) div 2, over samples formed by the pixel rule (8-bit
// pixels in 8-bit mode). A span that would give a width of 0 or less gives 1, which every render
// can divide by. Nothing for an image narrower or lower than 4 pixels.
std::optional<AutoWindowResult> ComputeAutoWindow(const imageio::PixelSource& source, const SampleRule& rule);

} // namespace viewer
