#pragma once
// An n x n value matrix through a grey window (level L, width W) into a grey bitmap.
#include "GreyBitmap.h"
#include "ThreadPool.h"

namespace spectrum {

// Pixel (x, y) shows values[x * strideX + y * strideY]: grey = Round((v - L) * (256 / W) + 128),
// halves to even, clamped to 0 .. 255. The bitmap is resized to n x n. A width of 0 fails as a
// division by zero before any pixel is written.
// Bands of rows are shared out among the pool's threads.
void RenderGrey(const double* values, long long strideX, long long strideY, int n, double width, double level,
                common::GreyBitmap& out, common::ThreadPool& pool = common::OneThread());

} // namespace spectrum
