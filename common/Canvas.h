#pragma once
// Drawing operations on grey bitmaps. Everything clips to the bitmap.
#include "GreyBitmap.h"

namespace common {

// The dotted focus outline of the rectangle whose left/top edge lies at (left, top) and whose
// right/bottom edge lies at (right - 1, bottom - 1): every second pixel along the edges, on a
// checkerboard fixed to the bitmap origin, is exclusive-or'ed with white (g -> 255 - g).
// Each pixel of the outline is touched once, so toggling twice restores the bitmap.
void ToggleFocusRect(GreyBitmap& bitmap, int left, int top, int right, int bottom);

// A one-pixel line from (x0, y0) to (x1, y1), end point excluded, drawn with the inverting pen
// (g -> 255 - g).
void InvertLine(GreyBitmap& bitmap, int x0, int y0, int x1, int y1);

// Nearest-neighbour stretch of the whole source over a destination of the given size:
// destination position i shows source position NearestSource(i, source size, size).
GreyBitmap StretchNearest(const GreyBitmap& source, int width, int height);

inline int NearestSource(int i, int sourceSize, int size)
{
    return static_cast<int>(static_cast<long long>(i) * sourceSize / size);
}

} // namespace common
