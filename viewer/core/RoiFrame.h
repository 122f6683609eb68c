#pragma once
// The ROI as placed from its edits and as drawn on the display bitmap.
#include <cstdint>

#include "GreyBitmap.h"
#include "ViewGeometry.h"

namespace viewer {

struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const Rect&) const = default;
};

// First column, first row, last column and last row (inclusive) of a ROI centred at (posX, posY).
Rect RoiBoundsFromEdits(std::int32_t posX, std::int32_t posY, std::int32_t sizeX, std::int32_t sizeY);

// The bounds in display-bitmap coordinates.
Rect RoiFrameFromBounds(const Rect& bounds, const ViewBounds& view);

// Number of extra outlines for a bitmap of the given height: Trunc(ceil(height / 512) * 1.1).
long long RoiOutlineCount(long long bitmapHeight);

// Toggles the frame: the outlines just outside `frame`; the same call again removes them.
void ToggleRoiFrame(common::GreyBitmap& bitmap, const Rect& frame);

} // namespace viewer
