#pragma once
// Walks the sample values of a rectangle of the image, row by row from the top, each row left to
// right, as the automatic window and the ROI statistics read them. Rows that lie wholly inside
// the stream are read straight from the bytes; elsewhere each pixel goes through FetchElement,
// which reads missing pixels as zeros.
#include <cstdint>

#include "AutoWindow.h"
#include "PixelRule.h"
#include "RoiBlock.h"

namespace viewer {

template <typename Visit>
void ForEachSample(const imageio::PixelSource& source, const RoiBlock& block, const SampleRule& rule, Visit visit)
{
    const long long bpp = source.bytesPerPixel;
    const long long size = static_cast<long long>(source.stream.size());
    for (long long r = 0; r < block.h; ++r) {
        const long long y = block.y0 + r;
        const long long first = source.headerOffset + (y * source.width + block.x0) * bpp;
        if (first >= 0 && first + block.w * bpp <= size) {
            const std::uint8_t* p = source.stream.data() + first;
            if (bpp == 1) {
                for (long long c = 0; c < block.w; ++c)
                    visit(static_cast<std::int32_t>(imageio::SampleValue(p[c], rule.swap, rule.valueOffset)));
            } else {
                for (long long c = 0; c < block.w; ++c) {
                    const auto element = static_cast<std::uint16_t>(p[2 * c] | (p[2 * c + 1] << 8));
                    visit(static_cast<std::int32_t>(imageio::SampleValue(element, rule.swap, rule.valueOffset)));
                }
            }
        } else {
            for (long long c = 0; c < block.w; ++c)
                visit(static_cast<std::int32_t>(
                    imageio::SampleValue(imageio::FetchElement(source, block.x0 + c, y), rule.swap, rule.valueOffset)));
        }
    }
}

} // namespace viewer
