#pragma once
// The N x N grey scratch bitmap both analysis windows render through before a picture is
// stretched into its image. It keeps the last view drawn by either window, which the filter
// window saves as its BMP file.
#include "GreyBitmap.h"

namespace spectrum {

common::GreyBitmap& WorkBitmap();

} // namespace spectrum
