#include "GreyPicture.h"

#include <algorithm>

#include "Errors.h"

namespace spectrum {

namespace {
constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52
} // namespace

void RenderGrey(const double* values, long long strideX, long long strideY, int n, double width, double level,
                common::GreyBitmap& out, common::ThreadPool& pool)
{
    const double scale = common::CheckedDivide(256.0, width);
    out.Resize(n, n);
    // Tiles keep both the matrix lines and the bitmap rows in the cache, whichever is strided.
    constexpr int kTile = 32;
    common::ParallelFor(pool, (n + kTile - 1) / kTile, [&](int band) {
        const int y0 = band * kTile;
        for (int x0 = 0; x0 < n; x0 += kTile)
            for (int y = y0; y < std::min(n, y0 + kTile); ++y) {
                std::uint8_t* row = out.Row(y);
                for (int x = x0; x < std::min(n, x0 + kTile); ++x) {
                    const double t = (values[x * strideX + y * strideY] - level) * scale + 128;
                    // Beyond the ends the clamp decides; inside, adding and removing 1.5 * 2^52
                    // rounds half to even under the default rounding mode, as nearbyint does.
                    row[x] = !(t > 0) ? 0 : t >= 255 ? 255 : static_cast<std::uint8_t>((t + kRounder) - kRounder);
                }
            }
    });
}

} // namespace spectrum
