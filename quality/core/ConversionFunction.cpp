#include "ConversionFunction.h"

#include <algorithm>
#include <cmath>

#include "Errors.h"

namespace quality {

ConversionFit FitConversion(std::span<const ConversionPoint> points)
{
    if (points.size() < 2)
        throw common::InputError(common::TrText("quality", "The conversion function needs flat fields at two air "
                                                           "kerma values at least, not %1.")
                                     .Arg(points.size()));
    for (const ConversionPoint& p : points) {
        if (!std::isfinite(p.kerma) || p.kerma < 0.0)
            throw common::InputError(
                common::TrText("quality", "The air kerma of %1 must be 0 uGy or above.").Arg(p.name));
        if (!std::isfinite(p.meanValue))
            throw common::InputError(
                common::TrText("quality", "The mean value of %1 is not a finite number.").Arg(p.name));
    }
    ConversionFit fit;
    fit.points.assign(points.begin(), points.end());
    const auto n = static_cast<double>(points.size());
    double meanK = 0.0, meanV = 0.0;
    for (const ConversionPoint& p : points) {
        meanK += p.kerma;
        meanV += p.meanValue;
    }
    meanK /= n;
    meanV /= n;
    // Centred sums: no cancellation between large values and their means.
    double skk = 0.0, skv = 0.0, svv = 0.0;
    for (const ConversionPoint& p : points) {
        skk += (p.kerma - meanK) * (p.kerma - meanK);
        skv += (p.kerma - meanK) * (p.meanValue - meanV);
        svv += (p.meanValue - meanV) * (p.meanValue - meanV);
    }
    if (skk == 0.0)
        throw common::InputError(common::TrText("quality", "The flat fields of the conversion function all have the "
                                                           "same air kerma; give them at two values at least."));
    fit.gain = skv / skk;
    if (fit.gain == 0.0 || !std::isfinite(fit.gain))
        throw common::InputError(common::TrText("quality", "The pixel values of the flat fields do not change with "
                                                           "the air kerma: no conversion function can be fitted."));
    fit.offset = meanV - fit.gain * meanK;
    double squares = 0.0;
    for (const ConversionPoint& p : points) {
        const double r = p.meanValue - (fit.offset + fit.gain * p.kerma);
        fit.residuals.push_back(r);
        squares += r * r;
        if (p.kerma > 0.0)
            fit.maxRelativeResidual = std::max(fit.maxRelativeResidual, std::abs(r) / std::abs(fit.gain * p.kerma));
    }
    fit.rmsResidual = std::sqrt(squares / n);
    fit.rSquared = svv > 0.0 ? 1.0 - squares / svv : 1.0;
    return fit;
}

void Linearise(const ConversionFit& fit, std::span<double> values)
{
    for (double& v : values)
        v = fit.Kerma(v);
}

double CentralMean(const imageio::LoadedImage& image, long long side)
{
    const long long w = std::min(side, image.width), h = std::min(side, image.height);
    const long long x0 = (image.width - w) / 2, y0 = (image.height - h) / 2;
    double sum = 0.0;
    for (long long y = y0; y < y0 + h; ++y)
        for (long long x = x0; x < x0 + w; ++x)
            sum += image.samples[static_cast<std::size_t>(y * image.width + x)];
    return sum / static_cast<double>(w * h);
}

} // namespace quality
