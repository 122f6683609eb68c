#include "EdgeLocation.h"

#include <algorithm>
#include <cmath>

#include "Errors.h"

namespace quality {

namespace {

// Half-width of the window around the edge in which a line's differences give its edge position:
// wide enough for a blurred edge (16 px is 8 sigma of a 2-pixel blur), narrow enough to keep most
// of the line's noise out of the centroid.
constexpr long long kCentroidHalfWidth = 16;
constexpr std::size_t kStraightnessBlock = 16;

// The centroid of the line's differences (signed by the polarity) within `halfWidth` of `centre`;
// NaN when they do not sum to a rise.
double Centroid(const double* line, long long across, double polarity, long long centre, long long halfWidth)
{
    const long long lo = std::max<long long>(0, centre - halfWidth);
    const long long hi = std::min<long long>(across - 2, centre + halfWidth);
    double sum = 0.0, moment = 0.0;
    for (long long k = lo; k <= hi; ++k) {
        const double g = polarity * (line[k + 1] - line[k]);
        sum += g;
        moment += (static_cast<double>(k) + 0.5) * g;
    }
    return sum > 0.0 ? moment / sum : NAN;
}

// Where the line rises most steeply, its differences summed over 5 neighbours so that one noisy
// pair does not win.
long long SteepestStep(const double* line, long long across, double polarity)
{
    long long best = 0;
    double bestSum = -INFINITY;
    for (long long k = 0; k + 1 < across; ++k) {
        double sum = 0.0;
        for (long long j = std::max<long long>(0, k - 2); j <= std::min<long long>(across - 2, k + 2); ++j)
            sum += polarity * (line[j + 1] - line[j]);
        if (sum > bestSum) {
            bestSum = sum;
            best = k;
        }
    }
    return best;
}

// Least-squares line through the lines' edge positions (NaN ones left out).
EdgeLine FitLine(const std::vector<double>& positions)
{
    double n = 0.0, meanL = 0.0, meanC = 0.0;
    for (std::size_t l = 0; l < positions.size(); ++l)
        if (!std::isnan(positions[l])) {
            n += 1.0;
            meanL += static_cast<double>(l);
            meanC += positions[l];
        }
    if (n < std::max(3.0, 0.5 * static_cast<double>(positions.size())))
        throw common::InputError(common::TrText("quality", "No edge was found in most lines of the ROI. Place the ROI "
                                                           "across one straight edge, with both sides of it inside."));
    meanL /= n;
    meanC /= n;
    double sll = 0.0, slc = 0.0;
    for (std::size_t l = 0; l < positions.size(); ++l)
        if (!std::isnan(positions[l])) {
            sll += (static_cast<double>(l) - meanL) * (static_cast<double>(l) - meanL);
            slc += (static_cast<double>(l) - meanL) * (positions[l] - meanC);
        }
    EdgeLine line;
    line.slope = slc / sll;
    line.offset = meanC - line.slope * meanL;
    double squares = 0.0;
    for (std::size_t l = 0; l < positions.size(); ++l)
        if (!std::isnan(positions[l])) {
            const double r = positions[l] - (line.offset + line.slope * static_cast<double>(l));
            squares += r * r;
        }
    line.residual = std::sqrt(squares / n);
    line.used = static_cast<int>(n);
    double blockSquares = 0.0, blocks = 0.0;
    for (std::size_t first = 0; first < positions.size(); first += kStraightnessBlock) {
        double sum = 0.0, count = 0.0;
        for (std::size_t l = first; l < std::min(positions.size(), first + kStraightnessBlock); ++l)
            if (!std::isnan(positions[l])) {
                sum += positions[l] - (line.offset + line.slope * static_cast<double>(l));
                count += 1.0;
            }
        if (count > 0.0) {
            blockSquares += (sum / count) * (sum / count);
            blocks += 1.0;
        }
    }
    line.blockResidual = std::sqrt(blockSquares / blocks);
    return line;
}

} // namespace

Lines LinesOf(const EdgeImage& roi, EdgeOrientation orientation)
{
    Lines lines;
    const auto size = static_cast<std::size_t>(roi.width * roi.height);
    if (orientation == EdgeOrientation::Vertical) {
        lines.across = roi.width;
        lines.count = roi.height;
        lines.values = roi.values.first(size);
    } else {
        lines.across = roi.height;
        lines.count = roi.width;
        lines.columns.resize(size);
        for (long long y = 0; y < roi.height; ++y)
            for (long long x = 0; x < roi.width; ++x)
                lines.columns[static_cast<std::size_t>(x * roi.height + y)] =
                    roi.values[static_cast<std::size_t>(y * roi.width + x)];
        lines.values = lines.columns;
    }
    return lines;
}

EdgeOrientation OrientationOf(const EdgeImage& roi)
{
    double alongX = 0.0, alongY = 0.0;
    for (long long y = 0; y < roi.height; ++y)
        for (long long x = 0; x < roi.width; ++x) {
            const double v = roi.values[static_cast<std::size_t>(y * roi.width + x)];
            if (x + 1 < roi.width)
                alongX += std::abs(roi.values[static_cast<std::size_t>(y * roi.width + x + 1)] - v);
            if (y + 1 < roi.height)
                alongY += std::abs(roi.values[static_cast<std::size_t>((y + 1) * roi.width + x)] - v);
        }
    if (alongX == 0.0 && alongY == 0.0)
        throw common::InputError(common::TrText("quality", "The ROI holds no edge: all its pixels have the same value. "
                                                           "Place the ROI across the edge."));
    return alongX >= alongY ? EdgeOrientation::Vertical : EdgeOrientation::Horizontal;
}

double PolarityOf(const Lines& lines)
{
    const long long quarter = std::max<long long>(1, lines.across / 4);
    double first = 0.0, last = 0.0;
    for (long long l = 0; l < lines.count; ++l)
        for (long long k = 0; k < quarter; ++k) {
            first += lines.At(l, k);
            last += lines.At(l, lines.across - 1 - k);
        }
    if (first == last)
        throw common::InputError(common::TrText("quality", "The ROI holds no edge: both of its sides have the same "
                                                           "mean value. Place the ROI across the edge."));
    return last > first ? 1.0 : -1.0;
}

EdgeLine LocateEdge(const Lines& lines, double polarity, common::ThreadPool& pool)
{
    std::vector<double> positions(static_cast<std::size_t>(lines.count));
    common::ParallelFor(pool, static_cast<int>(lines.count), [&](int l) {
        const double* line = lines.Line(l);
        positions[static_cast<std::size_t>(l)] =
            Centroid(line, lines.across, polarity, SteepestStep(line, lines.across, polarity), kCentroidHalfWidth);
    });
    EdgeLine first = FitLine(positions);
    common::ParallelFor(pool, static_cast<int>(lines.count), [&](int l) {
        const double at = first.offset + first.slope * l;
        const auto centre = static_cast<long long>(std::floor(at));
        positions[static_cast<std::size_t>(l)] =
            at < 0.0 || at > static_cast<double>(lines.across - 1)
                ? NAN
                : Centroid(lines.Line(l), lines.across, polarity, centre, kCentroidHalfWidth);
    });
    return FitLine(positions);
}

double LargestPhaseGap(const EdgeLine& edge, long long lineCount)
{
    std::vector<double> phases(static_cast<std::size_t>(lineCount));
    for (long long l = 0; l < lineCount; ++l) {
        const double c = edge.offset + edge.slope * static_cast<double>(l);
        phases[static_cast<std::size_t>(l)] = c - std::floor(c);
    }
    std::sort(phases.begin(), phases.end());
    double gap = phases.front() + 1.0 - phases.back();
    for (std::size_t i = 1; i < phases.size(); ++i)
        gap = std::max(gap, phases[i] - phases[i - 1]);
    return gap;
}

} // namespace quality
