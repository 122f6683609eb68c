#pragma once
// The radial profile through the centre of a centred spectrum along an angle: the samples, their
// mirror into a full line through the centre, the smoothing, the clipboard text and the curve of
// the graph. Elements of 0 or below have no logarithm: they carry no value (NaN) and are left
// out of the curve.
#include <cstdint>
#include <string>
#include <vector>

#include "SquareMatrix.h"

namespace filter {

// Room for 2k values: k reaches ceil(sqrt(2) * N / 2) = 725 on the diagonal at N = 1024.
inline constexpr int kProfileCapacity = 2 * 725 + 2;

// The sample offsets along the angle (whole degrees 0 .. 90) for matrix size n: the distance L
// from the centre to the edge of the square, and (dx, dy) of each u = 0 .. L - 1 kept inside.
struct ProfilePath {
    std::vector<int> dx;
    std::vector<int> dy;
};
ProfilePath MakeProfilePath(double degrees, int n);

// log10 of the elements on the path, mirrored: s(k-1) .. s(0), s(0) .. s(k-1). Writes 2k values
// into `values` (sized kProfileCapacity) and returns k.
int SampleProfile(const spectrum::SquareMatrix& centred, int n, const ProfilePath& path,
                  std::vector<double>& values);

// The first k values (outer end to centre) as one clipboard line; a value without a logarithm
// is an empty field.
std::string ProfileText(const std::vector<double>& values, int k);

// In place over values[0 .. count - 1]: each inner value becomes the mean of itself and its two
// neighbours, the left one already smoothed; a missing neighbour is left out of the mean.
void SmoothProfile(std::vector<double>& values, int count);

struct ProfileRange {
    double max = 0.0;
    double min = 0.0;
    bool valid = false;  // false when no value has a logarithm
};
ProfileRange FindProfileRange(const std::vector<double>& values, int count);

// A polyline of the graph: the points of one run of values, in order.
struct GraphPoint {
    int x;
    int y;
};
using GraphRun = std::vector<GraphPoint>;

// The curve of values[0 .. count - 1] over a width x height graph: x = round(i / count * width),
// y spans 10 % .. 90 % of the height (larger values higher); a flat range draws the middle.
// Values without a logarithm break the curve into runs. The ticks are the ten decade marks below
// the centre value (none when it has no value): (0, y) to (5, y).
struct ProfileCurve {
    std::vector<GraphRun> runs;
    std::vector<int> tickYs;
};
ProfileCurve PlotProfile(const std::vector<double>& values, int count, const ProfileRange& range, int width,
                         int height);

} // namespace filter
