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
    // The product of the integer t and the single factor is formed exactly and then rounded half
    // to even. A double holds it exactly while |t| < 2^29 (29 + 24 bits); beyond that the
    // extended type does. The magic-number rounding is round-half-even under the default mode.
    double rounded;
    if (t > -(1 << 29) && t < (1 << 29)) {
        double x = static_cast<double>(t) * static_cast<double>(factor);
        x = x < -1024 ? -1024 : (x > 1024 ? 1024 : x);  // far outside 0..255 either way
        const double magic = 6755399441055744.0;          // 1.5 * 2^52
        rounded = (x + magic) - magic;
    } else {
        rounded = static_cast<double>(std::nearbyint(static_cast<long double>(t) * static_cast<long double>(factor)));
    }
    double g = rounded + 128;
    g = g < 0 ? 0 : (g > 255 ? 255 : g);
    const int grey = static_cast<int>(g);
    return static_cast<std::uint8_t>(invert ? 255 - grey : grey);
}

std::int32_t WindowInput(std::uint16_t element, const WindowParams& params)
{
    const std::int32_t v = imageio::SampleValue(element, params.swap, params.valueOffset);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) - static_cast<std::uint32_t>(params.level));
}

std::vector<std::uint8_t> BuildWindowTable(const WindowParams& params, int bytesPerPixel)
{
    const float f = WindowFactor(params.width);
    const std::size_t entries = bytesPerPixel == 1 ? 256 : 65536;
    std::vector<std::uint8_t> table(entries);
    for (std::size_t e = 0; e < entries; ++e) {
        table[e] = WindowedGrey(WindowInput(static_cast<std::uint16_t>(e), params), f, params.invert);
    }
    return table;
}

} // namespace viewer
