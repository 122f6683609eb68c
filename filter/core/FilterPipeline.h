#pragma once
// From the ROI's spectrum to the filtered image: the gain applied to the unshifted spectrum, the
// filtered power map, the back transform (optionally with the noise-floor subtraction) and the
// placement and extremes of the filtered image. Each step is separate so that the window reads
// its parameters right before the step that uses them.
#include <optional>

#include "Fft.h"
#include "LineExtremes.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace filter {

using spectrum::FftWorkspace;
using spectrum::SquareMatrix;

// FilteredRe/Im := the unshifted spectrum times the centred gain; FilteredPower := gain^2 * map
// (both centred). Returns the largest FilteredPower element.
double FilterSpectrum(const SquareMatrix& spectrumRe, const SquareMatrix& spectrumIm,
                      const SquareMatrix& spectrumMap, const SquareMatrix& gain, int n,
                      SquareMatrix& filteredRe, SquareMatrix& filteredIm, SquareMatrix& filteredPower,
                      common::ThreadPool& pool = common::OneThread());

// Each of these shares whole lines out among the pool's threads; the results are the same for any
// pool size.

// Forward transform of re + i im in place, in single precision, rows first then columns. With a
// noise-floor divisor s every value pair entering either pass loses the power P0 / s of the
// constant term (P0 taken once before the passes) and keeps its phase. A divisor of 0 raises the
// division error before anything changes.
void FilterFft2D(FftWorkspace& ws, SquareMatrix& re, SquareMatrix& im, int n,
                 std::optional<double> noiseFloorDivisor, common::ThreadPool& pool = common::OneThread());

// Largest and smallest of the leading n x n elements, scanning from the centre element.
Extremes FindExtremes(const SquareMatrix& image, int n);

// The back-transformed values to image order: image[(n - x) mod n][(n - y) mod n] :=
// re[x][y] / n / n. A forward transform applied twice reverses the coordinates modulo n, so this
// placement returns the unfiltered ROI exactly where it was. Returns FindExtremes of the placed
// image, found while its lines are at hand.
Extremes PlaceFilteredImage(const SquareMatrix& re, int n, SquareMatrix& image,
                            common::ThreadPool& pool = common::OneThread());

} // namespace filter
