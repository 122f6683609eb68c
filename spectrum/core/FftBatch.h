#pragma once
// Four lines of a square matrix transformed side by side, as one Fft1D each would transform
// them, bit for bit.
namespace spectrum {

inline constexpr int kBatchLanes = 4;

// Lines first .. first + 3 (n >= 4, a power of two up to 1024): along the first index for fixed
// y when alongFirst, else along the second index for fixed x. cosT/sinT are the tables for n.
void TransformGroup(double* reData, double* imData, int n, bool alongFirst, int first, const double* cosT,
                    const double* sinT, bool single);

} // namespace spectrum
