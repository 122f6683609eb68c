#pragma once
// From the ROI's spectrum to the filtered image, one engine for the filter window and the command
// line: the radial gain (low cut, high cut or both), the filtered spectrum and power, the
// single-precision back transform with the optional noise-floor subtraction, and the filtered
// image with its extremes.
#include <cstdint>
#include <optional>
#include <string>

#include "Fft.h"
#include "LineExtremes.h"
#include "RadialFilter.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace filter {

using spectrum::FftWorkspace;
using spectrum::SquareMatrix;

// The settings of a run, each asked for when the run reaches the step that uses it, and only if
// that step runs: a front end whose settings are texts converts each one there, so a bad text
// stops the run exactly where it is first needed, with what was done before it kept.
class FilterSettings {
public:
    virtual ~FilterSettings() = default;
    virtual FilterType Type() = 0;
    virtual bool Steepen() = 0;
    virtual double LowCutOff() = 0;       // LCF and BPF, cycles per pixel
    virtual std::int32_t LowPower() = 0;
    virtual double HighCutOff() = 0;      // HCF and BPF
    virtual std::int32_t HighPower() = 0;
    // The noise-floor divisor, or none; asked after the filtered spectrum is made.
    virtual std::optional<double> NoiseFloorDivisor() = 0;
};

// The spectrum the filter works on: the unshifted transform and the centred map (n x n).
struct FilterInput {
    const SquareMatrix& re;
    const SquareMatrix& im;
    const SquareMatrix& map;
    int n;
};

// What the run writes, each as soon as its step is done (so a refusal later in the run leaves the
// earlier results in place): the gain and its maximum, the filtered spectrum and the largest
// filtered power, the back transform, the filtered image and its extremes.
struct FilterMatrices {
    SquareMatrix& gain;
    double& filterMax;
    SquareMatrix& filteredRe;
    SquareMatrix& filteredIm;
    SquareMatrix& filteredPower;
    double& filteredPowerMax;
    SquareMatrix& filteredImage;
    double& filteredMax;
    double& filteredMin;
};

// The gain starts at 1 everywhere; where a setting is refused before or inside a filter, the gain
// is still left as the filters run so far left it (reset to 1 if none ran).
void RunFilter(FilterSettings& settings, const FilterInput& input, FftWorkspace& ws, const FilterMatrices& out,
               common::ThreadPool& pool);

// A band pass's low cut-off as its button sets it: 0.05 below the high cut-off, as the number's
// text shows it (so 0.15 gives "0.1", not 0.09999999999999999).
std::string BandPassLowCutOffText(double highCutOff);
double BandPassLowCutOff(double highCutOff);

} // namespace filter
