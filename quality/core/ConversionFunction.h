#pragma once
// The conversion function of a detector: the mean pixel value of flat fields against the air kerma
// K each was taken at, fitted by a straight line with an offset (IEC 62220-1-1 asks for a linear
// response), and the linearisation it gives: an image's values turned into air kerma, so that MTF,
// NPS and DQE are measured on values proportional to the input.
//
//   value = offset + gain * K        (least squares over the points, K in uGy)
//   K(value) = (value - offset) / gain
#include <span>
#include <string>
#include <vector>

#include "ImageLoading.h"

namespace quality {

struct ConversionPoint {
    std::string name;       // the flat field's file, for the report
    double kerma = 0.0;     // uGy, given by the user
    double meanValue = 0.0; // mean pixel value over the central region
};

struct ConversionFit {
    std::vector<ConversionPoint> points;
    double offset = 0.0, gain = 0.0;   // value = offset + gain * K
    std::vector<double> residuals;     // meanValue - (offset + gain * kerma), per point
    double rmsResidual = 0.0;          // sqrt(mean of residual^2)
    // max |residual| / (gain * kerma) over points with kerma > 0: the deviation from linearity as
    // a fraction of the signal above the offset.
    double maxRelativeResidual = 0.0;
    double rSquared = 0.0;             // 1 - sum residual^2 / sum (meanValue - mean)^2 (1 for two points)

    double Kerma(double value) const { return (value - offset) / gain; }
};

// Refuses (common::InputError) fewer than two points, a negative or non-finite air kerma, points
// that all share one air kerma, and values that do not change with it (a gain of 0).
ConversionFit FitConversion(std::span<const ConversionPoint> points);

// Turns every value into air kerma by the fit, in place.
void Linearise(const ConversionFit& fit, std::span<double> values);

// The mean over the central side x side pixels of an image (the whole image when it is smaller),
// where a flat field is most uniform.
double CentralMean(const imageio::LoadedImage& image, long long side = 100);

} // namespace quality
