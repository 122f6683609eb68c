#include "ImageLimits.h"

#include <string>

#include "Errors.h"

namespace imageio {

void CheckBitmapSize(long long width, long long height)
{
    if (width < 0 || height < 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        width * height > kMaxBitmapPixels) {
        throw common::InputError(common::TrText("imageio",
                                                "The picture size %1 x %2 cannot be shown: width and height "
                                                "must be 0 to 32768 and their product at most 268435456 "
                                                "pixels.")
                                     .Arg(width)
                                     .Arg(height));
    }
}

common::Text TooLargeImageText(long long columns, long long rows)
{
    return common::TrText("imageio",
                          "its image of %1 x %2 pixels is larger than the 268435456 pixels this program shows")
        .Arg(columns)
        .Arg(rows);
}

} // namespace imageio
