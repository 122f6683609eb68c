#include "RoiBlock.h"

#include <algorithm>

#include "Errors.h"

namespace viewer {

const char* const kRoiEmptyMessage = TR_NOOP("viewer", "The ROI has no pixels. Give it a size of at least 1 x 1.");

RoiBlock RoiBlockOf(const Rect& roiBounds)
{
    RoiBlock b;
    b.w = static_cast<long long>(roiBounds.Right) - roiBounds.Left + 1;
    b.h = static_cast<long long>(roiBounds.Bottom) - roiBounds.Top + 1;
    b.x0 = roiBounds.Left;
    b.y0 = roiBounds.Top;
    return b;
}

std::optional<RoiBlock> ClipToImage(const RoiBlock& block, std::int32_t width, std::int32_t height)
{
    if (block.IsEmpty())
        return std::nullopt;
    const long long left = std::max(block.x0, 0LL);
    const long long top = std::max(block.y0, 0LL);
    const long long right = std::min(block.x0 + block.w, static_cast<long long>(width));
    const long long bottom = std::min(block.y0 + block.h, static_cast<long long>(height));
    if (right <= left || bottom <= top)
        return std::nullopt;
    return RoiBlock{left, top, right - left, bottom - top};
}

bool BlockIsReadable(const imageio::PixelSource& source, const RoiBlock& block)
{
    if (block.IsEmpty() || block.x0 < 0 || block.y0 < 0 || block.x0 + block.w > source.width ||
        block.y0 + block.h > source.height || source.headerOffset < 0)
        return false;
    const long long lastIndex = (block.y0 + block.h - 1) * source.width + block.x0 + block.w - 1;
    const long long end = source.headerOffset + (lastIndex + 1) * source.bytesPerPixel;
    return end <= static_cast<long long>(source.stream.size());
}

std::vector<std::uint16_t> ReadBlockElements(const imageio::PixelSource& source, const RoiBlock& block)
{
    if (block.IsEmpty())
        throw common::InputError(common::Text("viewer", kRoiEmptyMessage));
    if (!BlockIsReadable(source, block))
        throw common::InputError(imageio::RoiOutsideImageMessage());
    std::vector<std::uint16_t> elements;
    elements.reserve(static_cast<std::size_t>(block.w * block.h));
    for (long long r = 0; r < block.h; ++r)
        for (long long c = 0; c < block.w; ++c)
            elements.push_back(imageio::FetchElement(source, block.x0 + c, block.y0 + r));
    return elements;
}

} // namespace viewer
