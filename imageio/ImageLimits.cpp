#include "ImageLimits.h"

#include <string>

#include "Errors.h"

namespace imageio {

void CheckBitmapSize(long long width, long long height)
{
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        width * height > kMaxBitmapPixels) {
        throw common::InputError("The picture size " + std::to_string(width) + " x " + std::to_string(height) +
                                 " cannot be shown: width and height must be 0 to 32768 and their product at "
                                 "most 268435456 pixels.");
    }
}

} // namespace imageio
