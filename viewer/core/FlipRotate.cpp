#include "FlipRotate.h"

#include <algorithm>

#include "Errors.h"

namespace viewer {

const char* const kMatrixExceedsDataMessage = TR_NOOP(
    "viewer", "The image size and header offset describe more data than the file holds. Nothing was moved.");
const char* const kRotateBlockMessage =
    TR_NOOP("viewer", "Only a square view that lies wholly inside the image can be rotated. Zoom in until the view is "
                      "square, or move it back inside the image. Nothing was moved.");

namespace {

// Byte addressing of the pixels; every position handed to it lies inside the checked matrix.
class Pixels {
public:
    explicit Pixels(const PixelMatrix& m)
        : data_(m.stream.data()), bpp_(m.bytesPerPixel), width_(m.width),
          first_(m.bytesPerPixel == 1 ? m.headerOffset : m.headerOffset / 2 * 2)
    {
        const long long pixels = static_cast<long long>(m.width) * m.height;
        if (m.headerOffset < 0 || m.width < 0 || m.height < 0 ||
            first_ + pixels * bpp_ > static_cast<long long>(m.stream.size()))
            throw common::InputError(common::Text("viewer", kMatrixExceedsDataMessage));
    }

    std::uint8_t* At(long long column, long long row) const
    {
        return data_ + first_ + (row * width_ + column) * bpp_;
    }

    void Swap(long long c0, long long r0, long long c1, long long r1) const
    {
        std::swap_ranges(At(c0, r0), At(c0, r0) + bpp_, At(c1, r1));
    }

    // Moves the pixel at a to b, b to c, c to d and d to a.
    void Cycle(const long long (&p)[4][2]) const
    {
        // Swapping a with d, then with c, then with b walks the four-cycle with no extra buffer.
        Swap(p[0][0], p[0][1], p[3][0], p[3][1]);
        Swap(p[3][0], p[3][1], p[2][0], p[2][1]);
        Swap(p[2][0], p[2][1], p[1][0], p[1][1]);
    }

private:
    std::uint8_t* data_;
    long long bpp_;
    long long width_;
    long long first_;
};

} // namespace

void FlipVertical(const PixelMatrix& m)
{
    const Pixels px(m);
    for (long long y = 0; y < m.height / 2; ++y)
        std::swap_ranges(px.At(0, y), px.At(0, y + 1), px.At(0, m.height - 1 - y));
}

void FlipHorizontal(const PixelMatrix& m)
{
    const Pixels px(m);
    for (long long y = 0; y < m.height; ++y)
        for (long long x = 0; x < m.width / 2; ++x)
            px.Swap(x, y, m.width - 1 - x, y);
}

void RotateViewBlock(const PixelMatrix& m, const ViewBounds& view, bool clockwise)
{
    const long long r0 = view.FirstRow, r1 = view.LastRow, c0 = view.FirstColumn, c1 = view.LastColumn;
    const long long n = r1 - r0;
    if (n < 0 || c1 - c0 != n || r0 < 0 || c0 < 0 || r1 >= m.height || c1 >= m.width)
        throw common::InputError(common::Text("viewer", kRotateBlockMessage));
    const Pixels px(m);
    for (long long i = 0; i <= (n + 1) / 2; ++i) {
        for (long long j = i; j <= n - i - 1; ++j) {
            // (column, row) of the four pixels of one cycle, in the order they move.
            if (clockwise) {
                const long long cycle[4][2] = {{c0 + j, r0 + i}, {c1 - i, r0 + j}, {c1 - j, r1 - i}, {c0 + i, r1 - j}};
                px.Cycle(cycle);
            } else {
                const long long cycle[4][2] = {{c0 + j, r0 + i}, {c0 + i, r1 - j}, {c1 - j, r1 - i}, {c1 - i, r0 + j}};
                px.Cycle(cycle);
            }
        }
    }
}

} // namespace viewer
