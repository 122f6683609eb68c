#include "WorkBitmap.h"

namespace spectrum {

common::GreyBitmap& WorkBitmap()
{
    static common::GreyBitmap bitmap(512, 512);
    return bitmap;
}

} // namespace spectrum
