#include "GreyPicture.h"

#include <cmath>

#include "Errors.h"

namespace spectrum {

void RenderGrey(const double* values, long long strideX, long long strideY, int n, double width, double level,
                common::GreyBitmap& out)
{
    const double scale = common::CheckedDivide(256.0, width);
    out.Resize(n, n);
    for (int y = 0; y < n; ++y) {
        std::uint8_t* row = out.Row(y);
        for (int x = 0; x < n; ++x) {
            const double t = (values[x * strideX + y * strideY] - level) * scale + 128;
            // Beyond the ends the clamp decides; inside, round half to even.
            row[x] = !(t > 0) ? 0 : t >= 255 ? 255 : static_cast<std::uint8_t>(std::nearbyint(t));
        }
    }
}

} // namespace spectrum
