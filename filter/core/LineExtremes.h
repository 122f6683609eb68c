#pragma once
// The extremes of one line of values as a scan in order finds them, without the scan's chain of
// dependent comparisons.
namespace filter {

struct Extremes {
    double max = 0.0;
    double min = 0.0;
};

// The largest and smallest of v[0 .. n - 1] as one scan in order from -inf and +inf keeps them
// with `v > max ? v : max` and `v < min ? v : min`: NaN never, of equal values the first.
Extremes ExtremesOfLine(const double* v, int n);
double LargestOfLine(const double* v, int n);

} // namespace filter
