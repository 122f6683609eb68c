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

namespace {

// WindowedGrey for |t| < 2^29, without the extended-precision library call: a 29-bit integer
// times the 24-bit significand of the single factor is exact in double, and adding and removing
// 1.5 * 2^52 rounds a double of magnitude below 2^51 half to even under the default rounding
// mode. Products beyond +-200 saturate either way, so they are clamped first.
inline std::uint8_t WindowedGreyFast(std::int32_t t, double factor, bool invert)
{
    double p = static_cast<double>(t) * factor;
    p = p < -200.0 ? -200.0 : (p > 200.0 ? 200.0 : p);
    constexpr double kRounder = 6755399441055744.0;  // 1.5 * 2^52
    // Without value-changing optimisations (never enabled here) the sum is rounded as written.
    int grey = static_cast<int>((p + kRounder) - kRounder) + 128;
    grey = grey < 0 ? 0 : (grey > 255 ? 255 : grey);
    return static_cast<std::uint8_t>(invert ? 255 - grey : grey);
}

} // namespace

std::vector<std::uint8_t> BuildWindowTable(const WindowParams& params, int bytesPerPixel)
{
    const float f = WindowFactor(params.width);
    const std::size_t entries = bytesPerPixel == 1 ? 256 : 65536;
    std::vector<std::uint8_t> table(entries);
    constexpr std::int32_t kExactLimit = 1 << 29;
    // Beyond +-saturation the product t * f exceeds 200 in magnitude: the grey is 0 or 255 without
    // any rounding, and most of a 16-bit table lies there.
    const long double span = std::ceil(200.0L / std::fabs(static_cast<long double>(f)));
    const std::int32_t saturation = span < 2147483647.0L ? static_cast<std::int32_t>(span) : 2147483647;
    const std::uint8_t above = WindowedGrey(1 << 30, f, params.invert);
    const std::uint8_t below = WindowedGrey(-(1 << 30), f, params.invert);
    for (std::size_t e = 0; e < entries; ++e) {
        const std::int32_t v = RenderValue(static_cast<std::uint16_t>(e), params.swap, params.valueOffset);
        const std::int32_t t = static_cast<std::int32_t>(static_cast<std::uint32_t>(v) -
                                                         static_cast<std::uint32_t>(params.level));
        if (t > saturation)
            table[e] = above;
        else if (t < -saturation)
            table[e] = below;
        else
            table[e] = t > -kExactLimit && t < kExactLimit ? WindowedGreyFast(t, f, params.invert)
                                                           : WindowedGrey(t, f, params.invert);
    }
    return table;
}

} // namespace viewer
