#include "Dqe.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "CurveAt.h"
#include "Errors.h"

namespace quality {

namespace {

struct QualityRow {
    BeamQuality quality;
    const char* name;
    double photonsPerAreaPerKerma;  // 1 / (mm^2 uGy)
};

// IEC 62220-1-1:2015, the table of the input signal-to-noise ratio squared per air kerma.
constexpr QualityRow kQualities[] = {
    {BeamQuality::Rqa3, "RQA3", 20673.0},
    {BeamQuality::Rqa5, "RQA5", 29653.0},
    {BeamQuality::Rqa7, "RQA7", 32490.0},
    {BeamQuality::Rqa9, "RQA9", 31077.0},
};

const QualityRow& RowOf(BeamQuality quality)
{
    return *std::find_if(std::begin(kQualities), std::end(kQualities),
                         [&](const QualityRow& row) { return row.quality == quality; });
}

} // namespace

BeamQuality ParseBeamQuality(const std::string& text)
{
    std::string upper = text;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
    for (const QualityRow& row : kQualities)
        if (upper == row.name)
            return row.quality;
    throw common::InputError(
        common::TrText("quality", "The beam quality must be RQA3, RQA5, RQA7 or RQA9, not '%1'.").Arg(text));
}

const char* BeamQualityName(BeamQuality quality)
{
    return RowOf(quality).name;
}

double PhotonsPerAreaPerKerma(BeamQuality quality)
{
    return RowOf(quality).photonsPerAreaPerKerma;
}

std::vector<DqePoint> DqeCurve(const std::vector<MtfPoint>& mtf, std::span<const double> frequencies,
                               std::span<const double> nps, std::span<const double> npsErrors, double kerma,
                               double photonsPerAreaPerKerma)
{
    if (!(kerma > 0.0) || !std::isfinite(kerma))
        throw common::InputError(common::TrText("quality", "The air kerma of the flat fields must be above 0 uGy."));
    if (!(photonsPerAreaPerKerma > 0.0))
        throw common::InputError(common::TrText("quality", "The photon fluence per air kerma must be above 0."));
    if (frequencies.size() != nps.size() || npsErrors.size() != nps.size())
        throw common::InputError(common::TrText("quality", "The NPS has %1 values for %2 frequencies.")
                                     .Arg(nps.size())
                                     .Arg(frequencies.size()));
    std::vector<DqePoint> curve;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        DqePoint p;
        p.frequency = frequencies[i];
        p.mtf = MtfAt(mtf, p.frequency);
        p.nnps = nps[i] / (kerma * kerma);
        p.dqe = std::isfinite(p.mtf) && p.nnps > 0.0 ? p.mtf * p.mtf / (photonsPerAreaPerKerma * kerma * p.nnps) : NAN;
        p.mtfError = MtfStandardErrorAt(mtf, p.frequency);
        p.nnpsError = npsErrors[i] / (kerma * kerma);
        const double relativeMtf = 2.0 * p.mtfError / p.mtf, relativeNnps = p.nnpsError / p.nnps;
        p.dqeError = std::isfinite(p.dqe) ? p.dqe * std::sqrt(relativeMtf * relativeMtf + relativeNnps * relativeNnps)
                                          : NAN;
        curve.push_back(p);
    }
    return curve;
}

DqePoint DqeAt(const std::vector<DqePoint>& curve, double frequency)
{
    DqePoint at;
    at.frequency = frequency;
    at.mtf = at.nnps = at.dqe = NAN;
    const auto around = PointsAroundOf(curve, frequency);
    if (!around)
        return at;
    for (double DqePoint::*field : {&DqePoint::mtf, &DqePoint::nnps, &DqePoint::dqe, &DqePoint::mtfError,
                                    &DqePoint::nnpsError, &DqePoint::dqeError})
        at.*field = around->Value(field);
    return at;
}

MeanWithError MeanOfAxes(double u, double uError, double v, double vError)
{
    return {0.5 * (u + v), 0.5 * std::sqrt(uError * uError + vError * vError)};
}

} // namespace quality
