#include "ViewFill.h"

#include <algorithm>
#include <vector>

#include "WindowKernel.h"

namespace viewer {

namespace {

// How one render maps stored elements to grey bytes: the vector kernel where it applies, a
// table over every element otherwise.
struct WindowMapper {
    WindowParams params;
    float factor = 0;
    bool useKernel = false;
    std::vector<std::uint8_t> table;
    std::uint8_t missing = 0;  // the grey of a stored zero

    WindowMapper(const WindowParams& p, int bytesPerPixel) : params(p), factor(WindowFactor(p.width))
    {
        useKernel = bytesPerPixel == 2 && WindowKernelUsable(p);
        if (!useKernel)
            table = BuildWindowTable(p, bytesPerPixel);
        missing = WindowedGrey(WindowInput(0, p), factor, p.invert);
    }
};

// Grey bytes of `count` consecutive pixels of one image row, from (column, row) on.
void FillRowSpan(const imageio::PixelSource& source, long long column, long long row, long long count,
                 const WindowMapper& map, std::uint8_t* out)
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
    const std::uint8_t missing = map.missing;
    const std::vector<std::uint8_t>& table = map.table;
    std::fill(out, out + begin, missing);
    if (begin < end) {
    const std::uint8_t* p = source.stream.data() + (first + begin * bpp);
    if (map.useKernel) {
        WindowWords(p, end - begin, map.params, map.factor, out + begin);
    } else if (bpp == 1) {
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

void FillView(const imageio::PixelSource& source, const ViewBounds& view, const WindowParams& window,
              common::GreyBitmap& bitmap, common::ThreadPool& pool)
{
    const WindowMapper map(window, source.bytesPerPixel);
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
    constexpr int kBand = 16;
    common::ParallelFor(pool, static_cast<int>((rows + kBand - 1) / kBand), [&](int band) {
        const long long end = std::min<long long>(rows, (band + 1LL) * kBand);
        for (long long r = band * static_cast<long long>(kBand); r < end; ++r)
            FillRowSpan(source, firstColumn, firstRow + r, count, map, bitmap.Row(static_cast<int>(r)));
    });
}

} // namespace viewer
