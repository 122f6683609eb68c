#pragma once
// Matrix and picture sizes the program accepts before it allocates anything for them.
#include <cstdint>

#include "Text.h"

namespace imageio {

inline constexpr long long kMaxBitmapSide = 32768;
inline constexpr long long kMaxBitmapPixels = 1LL << 28;

// Raises InputError with a message naming the limits when a picture of this size cannot be made.
void CheckBitmapSize(long long width, long long height);

// Why a DICOM image of this size is refused: "its image of W x H pixels is larger than ...".
common::Text TooLargeImageText(long long columns, long long rows);

} // namespace imageio
