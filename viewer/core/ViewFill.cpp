#include "ViewFill.h"

#include <algorithm>

namespace viewer {

namespace {

// Grey bytes of `count` consecutive pixels of one image row, from (column, row) on.
void FillRowSpan(const PixelSource& source, long long column, long long row, long long count,
                 std::span<const std::uint8_t> table, std::uint8_t* out)
{
    const long long bpp = source.bytesPerPixel;
    const long long streamSize = static_cast<long long>(source.stream.size());
    const long long first = source.headerOffset + (row * source.width + column) * bpp;
    // The part of the span that lies wholly inside the stream takes the fast path.
    long long begin = 0;
    if (first < 0)
        begin = std::min(count, (-first + bpp - 1) / bpp);
    long long end = count;
    if (first + count * bpp > streamSize)
        end = std::max(begin, std::min(count, (streamSize - first) / bpp));
    const std::uint8_t missing = table[0];
    std::fill(out, out + begin, missing);
    if (begin < end) {
    const std::uint8_t* p = source.stream.data() + (first + begin * bpp);
    if (bpp == 1) {
        for (long long i = begin; i < end; ++i, ++p)
            out[i] = table[*p];
    } else {
        for (long long i = begin; i < end; ++i, p += 2)
            out[i] = table[static_cast<std::uint16_t>(p[0] | (p[1] << 8))];
    }
    }
    std::fill(out + end, out + count, missing);
}

} // namespace

void FillView(const PixelSource& source, const ViewBounds& view, std::span<const std::uint8_t> table,
              common::GreyBitmap& bitmap)
{
    const long long firstColumn = std::max<long long>(view.FirstColumn, 0);
    const long long lastColumn = std::min<long long>(view.LastColumn, static_cast<long long>(source.width) - 1);
    const long long firstRow = std::max<long long>(view.FirstRow, 0);
    const long long lastRow = std::min<long long>(view.LastRow, static_cast<long long>(source.height) - 1);
    if (lastColumn < firstColumn || lastRow < firstRow)
        return;
    // The bitmap is sized from the same geometry; the clamps only guard against rounding at the
    // extremes of the extended-precision arithmetic.
    const long long count = std::min<long long>(lastColumn - firstColumn + 1, bitmap.Width());
    const long long rows = std::min<long long>(lastRow - firstRow + 1, bitmap.Height());
    for (long long r = 0; r < rows; ++r)
        FillRowSpan(source, firstColumn, firstRow + r, count, table, bitmap.Row(static_cast<int>(r)));
}

} // namespace viewer
