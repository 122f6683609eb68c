#include "WindowMap.h"

#include <cmath>

#include "Errors.h"
#include "PixelRule.h"

namespace viewer {

float WindowFactor(std::int32_t width)
{
    if (width == 0)
        common::ThrowDivideByZero();
    return static_cast<float>(256.0L / width);
}

std::uint8_t WindowedGrey(std::int32_t t, float factor, bool invert)
{
    // A 32-bit integer times a single has at most 56 significant bits; in extended precision the
    // product is exact, so rounding it half to even is the window's exact rule.
    const long double product = static_cast<long double>(t) * static_cast<long double>(factor);
    long double g = std::nearbyint(product) + 128;
    if (g < 0)
        g = 0;
    if (g > 255)
        g = 255;
    const int grey = static_cast<int>(g);
    return static_cast<std::uint8_t>(invert ? 255 - grey : grey);
}

std::vector<std::uint8_t> BuildWindowTable(const WindowParams& params, int bytesPerPixel)
{
    const float f = WindowFactor(params.width);
    const std::size_t entries = bytesPerPixel == 1 ? 256 : 65536;
    std::vector<std::uint8_t> table(entries);
    for (std::size_t e = 0; e < entries; ++e) {
        const std::int32_t v = RenderValue(static_cast<std::uint16_t>(e), params.swap, params.valueOffset);
        const std::int32_t t = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) -
                                                         static_cast<std::uint32_t>(params.level));
        table[e] = WindowedGrey(t, f, params.invert);
    }
    return table;
}

} // namespace viewer
