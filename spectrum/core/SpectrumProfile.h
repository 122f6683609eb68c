#pragma once
// The profile through the centre of the spectrum map along one direction: sampled from the
// centre to the square border, mirrored into a diameter, smoothed, and laid out over spatial
// frequency.
#include <string>
#include <vector>

#include "SquareMatrix.h"
#include "TableStatistics.h"

namespace spectrum {

inline constexpr int kProfileCapacity = 2049;

struct SpectrumProfile {
    int c = 0;                   // samples from the centre outward
    float L = 0;                 // distance from the centre to the border along the direction
    int lastPx = 0, lastPy = 0;  // offset of the last sample from the centre
    std::vector<double> values;  // 2c values: border, centre (twice), border; smoothed
};

// n: a power of two up to 1024; the map is centred at [n div 2][n div 2]. Growing angles turn
// from the right-hand half-axis downward (the picture's y axis points down).
SpectrumProfile SampleProfile(const SquareMatrix& map, int n, double degrees);

// The end of the marked diameter on a picture wp pixels wide: Round(wp / n * p).
int MarkOffset(int wp, int n, int p);

// Left to right, each new value feeds the next: v[j + 1] := (v[j] + v[j + 1] + v[j + 2]) / 3.
void Smooth(std::vector<double>& values);

// One line per value: x = (k - c) / (d 2c) L / h, a tab, the value, CR LF. d = 0 fails.
std::string ProfileText(const SpectrumProfile& profile, int n, double d);

// x = (k - c) / (n d) cycles/mm; y the value, or with a logarithmic map 10^v (v < 0 taken as
// 0.0001), so that a logarithmic axis shows linear units. d = 0 fails.
std::vector<ChartPoint> ProfileChartPoints(const SpectrumProfile& profile, int n, double d, bool logarithmic);

} // namespace spectrum
