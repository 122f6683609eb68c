#include "FilterViews.h"

#include <cmath>
#include <limits>

#include "Errors.h"
#include "NumberText.h"
#include "Rounding.h"

namespace filter {

double WidthFactor(int item)
{
    switch (item) {
    case 0: return 0.04;
    case 1: return 0.2;
    case 3: return 5.0;
    default: return 1.0;
    }
}

RenderWindow MakeRenderWindow(std::int32_t upper, std::int32_t lower, double factor)
{
    RenderWindow w;
    w.width = (static_cast<double>(upper) - lower + 1) * factor;
    w.level = (static_cast<double>(lower) + upper) / 2 * factor;
    w.label = common::FloatToStr(w.width) + "/" + common::FloatToStr(w.level);
    if (w.width <= 0.0)
        w.width = 16.0;
    w.scale = 256.0 / w.width;
    return w;
}

void CheckViewSource(const ViewSource& source)
{
    if (source.view == View::Power || source.view == View::Convolution) {
        if (!(source.spectrumMax > 1.0))
            throw common::InputError("The spectrum maximum (" + common::FloatToStr(source.spectrumMax) +
                                     ") is 1 or below: the Power and Convolution views have no scale");
    }
    if (source.view == View::Filter && source.filterMax == 0.0)
        common::ThrowDivideByZero();
}

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

inline double LogScaled(double element, double logSqrtMax)
{
    if (!(element > 0.0))
        return kNoValue;
    return std::log10(std::sqrt(element)) / logSqrtMax * 100;
}

} // namespace

double ViewValue(const ViewSource& source, double element)
{
    switch (source.view) {
    case View::Power:
    case View::Convolution:
        return LogScaled(element, std::log10(std::sqrt(source.spectrumMax)));
    case View::Filter:
        return element * element / source.filterMax / source.filterMax * 100;
    default:
        return element;
    }
}

std::uint8_t GreyOf(double value, const RenderWindow& window, bool log, bool invert)
{
    if (std::isnan(value))
        return 0;
    if (log) {
        if (value <= 0.0)
            value = 0.001;
        value = std::log10(value);
    }
    const double p = std::nearbyint((value - window.level) * window.scale + 127);
    int grey = p < 0.0 ? 0 : p > 254.0 ? 254 : static_cast<int>(p);
    if (invert)
        grey = 255 - grey;
    return static_cast<std::uint8_t>(grey);
}

void RenderViewBitmap(const ViewSource& source, int n, const RenderWindow& window, bool log, bool invert,
                      common::GreyBitmap& bitmap)
{
    CheckViewSource(source);
    const bool inverted = invert && !IsSpectral(source.view);
    const double logSqrtMax = std::log10(std::sqrt(source.spectrumMax));
    bitmap.Resize(n, n);
    const spectrum::SquareMatrix& m = *source.matrix;
    // A few columns at a time: the matrix is read along y, the bitmap written along x.
    constexpr int kBlock = 8;
    for (int x0 = 0; x0 < n; x0 += kBlock) {
        const int x1 = std::min(n, x0 + kBlock);
        for (int y = 0; y < n; ++y) {
            std::uint8_t* row = bitmap.Row(y);
            for (int x = x0; x < x1; ++x) {
                const double e = m[x][y];
                double v;
                if (source.view == View::Power || source.view == View::Convolution)
                    v = LogScaled(e, logSqrtMax);
                else
                    v = ViewValue(source, e);
                row[x] = GreyOf(v, window, log, inverted);
            }
        }
    }
}

void StoreWindow(WindowStore& store, View view, const LevelWindow& shown, bool linked)
{
    switch (view) {
    case View::Raw:
        store.raw = shown;
        if (linked)
            store.filtered = shown;
        break;
    case View::Filtered:
        store.filtered = shown;
        if (linked)
            store.raw = shown;
        break;
    default:
        store.spectralUpper = shown.upper;
        store.spectralLower = shown.lower;
        break;
    }
}

LevelWindow WindowToShow(const WindowStore& store, View view)
{
    if (view == View::Raw)
        return store.raw;
    if (view == View::Filtered)
        return store.filtered;
    return {store.spectralUpper, store.spectralLower, kSpectralTrackMax, kSpectralTrackMin};
}

std::int32_t TruncToInt32(double value)
{
    const std::int64_t t = common::Trunc(value);
    if (t < std::numeric_limits<std::int32_t>::min() || t > std::numeric_limits<std::int32_t>::max())
        common::ThrowInvalidFloatOp();
    return static_cast<std::int32_t>(t);
}

TrackRange RescaledTrackRange(std::int32_t upper, std::int32_t lower)
{
    const double d = (static_cast<double>(upper) - lower) * 0.4;
    return {TruncToInt32(upper + d), TruncToInt32(lower - d)};
}

} // namespace filter
