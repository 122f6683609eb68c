#pragma once
// Radially symmetric gains on the centred N x N grid: the low-cut and high-cut responses, their
// product for the band-pass, and the step of the cut-off buttons.
#include <cstdint>

#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace filter {

using spectrum::SquareMatrix;

enum class FilterType { LCF = 0, HCF = 1, BPF = 2, No = 3 };

// base^exponent by repeated squaring. A zero base with a negative exponent raises the division
// error, as 1 / 0 would.
double IntPower(double base, long long exponent);

// FilterGain := 1 over the leading n x n elements.
void ResetGain(SquareMatrix& gain, int n);

// Multiplies the low-cut amplitude into `gain` and returns its new maximum in `filterMax`.
// A cut-off not above 0 leaves both untouched and returns false.
// Both filters share the amplitudes and the columns out among the pool's threads; the gains are
// the same for any pool size, and a failing amplitude leaves the same columns multiplied as a
// single thread would.
bool LowCutFilter(SquareMatrix& gain, int n, double cutOff, std::int32_t power, bool steepen,
                  double& filterMax, common::ThreadPool& pool = common::OneThread());

// The high-cut (Butterworth) amplitude, computed in single precision, multiplied into `gain`;
// `filterMax` becomes the largest gain found with a single-precision running value.
// A cut-off of 0 raises the division error before anything changes.
void HighCutFilter(SquareMatrix& gain, int n, float cutOff, std::int32_t power, bool steepen,
                   double& filterMax, common::ThreadPool& pool = common::OneThread());

// How a filter finds the gain: as it is, or as ResetGain would leave it (then it is not read,
// the reset and the filter are one pass, and the gain ends as ResetGain followed by the filter
// would leave it, whether the filter succeeds, skips or fails). The filter sets `start` to Held
// on entry: the gain is written from there on.
enum class GainStart { Held, Ones };
bool LowCutFilter(SquareMatrix& gain, int n, double cutOff, std::int32_t power, bool steepen,
                  double& filterMax, common::ThreadPool& pool, GainStart& start);
void HighCutFilter(SquareMatrix& gain, int n, float cutOff, std::int32_t power, bool steepen,
                   double& filterMax, common::ThreadPool& pool, GainStart& start);

// A high cut-off must be above 0 cycles per pixel, also once rounded to single precision: 0 has no
// response and a negative one would act as its absolute value. Raises InputError naming it.
void CheckHighCutOff(double cutOff);

// The step of the cut-off buttons: (1 / n) times 1, 3 or 9 frequency samples for item 0, 1, 2.
double CutOffStep(int n, int stepItem);

} // namespace filter
