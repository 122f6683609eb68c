#include "Canvas.h"

#include <algorithm>
#include <cstdlib>

namespace common {

namespace {

void InvertIfOnPattern(GreyBitmap& bitmap, int x, int y)
{
    if (((x + y) & 1) == 0 && bitmap.Contains(x, y))
        bitmap.At(x, y) = static_cast<std::uint8_t>(255 - bitmap.At(x, y));
}

} // namespace

void ToggleFocusRect(GreyBitmap& bitmap, int left, int top, int right, int bottom)
{
    // 64-bit edges: frames far outside the picture must neither overflow nor cost a long walk,
    // so each edge is clipped to the bitmap before it is walked.
    const long long l = left, t = top, r = static_cast<long long>(right) - 1, b = static_cast<long long>(bottom) - 1;
    if (r < l || b < t)
        return;
    const long long w = bitmap.Width(), h = bitmap.Height();
    auto invertRow = [&](long long y) {
        if (y < 0 || y >= h)
            return;
        for (long long x = std::max(l, 0LL); x <= std::min(r, w - 1); ++x)
            InvertIfOnPattern(bitmap, static_cast<int>(x), static_cast<int>(y));
    };
    auto invertColumn = [&](long long x) {
        if (x < 0 || x >= w)
            return;
        for (long long y = std::max(t + 1, 0LL); y <= std::min(b - 1, h - 1); ++y)
            InvertIfOnPattern(bitmap, static_cast<int>(x), static_cast<int>(y));
    };
    invertRow(t);
    if (b != t)
        invertRow(b);
    invertColumn(l);
    if (r != l)
        invertColumn(r);
}

void InvertLine(GreyBitmap& bitmap, int x0, int y0, int x1, int y1)
{
    // Bresenham, end point excluded, as a pen's LineTo draws.
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0;
    int y = y0;
    while (x != x1 || y != y1) {
        if (bitmap.Contains(x, y))
            bitmap.At(x, y) = static_cast<std::uint8_t>(255 - bitmap.At(x, y));
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

GreyBitmap StretchNearest(const GreyBitmap& source, int width, int height)
{
    GreyBitmap out(width, height);
    if (source.Width() == 0 || source.Height() == 0)
        return out;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = source.Row(NearestSource(y, source.Height(), height));
        std::uint8_t* dst = out.Row(y);
        for (int x = 0; x < width; ++x)
            dst[x] = src[NearestSource(x, source.Width(), width)];
    }
    return out;
}

} // namespace common
