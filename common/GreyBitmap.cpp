#include "GreyBitmap.h"

#include <algorithm>
#include <stdexcept>

namespace common {

GreyBitmap::GreyBitmap(int width, int height, std::uint8_t fill)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("negative bitmap size");
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void GreyBitmap::Resize(int width, int height)
{
    if (width < 0 || height < 0)
        throw std::invalid_argument("negative bitmap size");
    if (width == width_ && height == height_)
        return;
    std::vector<std::uint8_t> next(static_cast<std::size_t>(width) * height, 0);
    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    for (int y = 0; y < keepH; ++y)
        std::copy_n(Row(y), keepW, next.data() + static_cast<std::size_t>(y) * width);
    pixels_.swap(next);
    width_ = width;
    height_ = height;
}

} // namespace common
