#include "SlantedEdge.h"

#include <fftw3.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <numbers>

#include "Errors.h"
#include "FftwPlannerLock.h"

namespace quality {

namespace {

constexpr long long kMinSide = 16;
constexpr double kMinAngleDegrees = 1.0, kMaxAngleDegrees = 45.0;
// Half-width of the window around the edge in which a line's differences give its edge position:
// wide enough for a blurred edge (16 px is 8 sigma of a 2-pixel blur), narrow enough to keep most
// of the line's noise out of the centroid.
constexpr long long kCentroidHalfWidth = 16;
// Pixels on each side of the edge, at the least, for an ESF that reaches its plateaus.
constexpr double kMinSidePx = 5.0;
// Lines are summed in blocks of this many, the blocks in order: the sums do not depend on the
// number of threads.
constexpr long long kBlockLines = 16;

std::string Fixed(double value, int decimals)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals).ptr;
    return std::string(text, end);
}

double Sinc(double x)
{
    if (x == 0.0)
        return 1.0;
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}

// The ROI as lines across the edge, each line contiguous: rows for a vertical edge, columns
// (copied) for a horizontal one.
struct Lines {
    std::vector<double> values;
    long long across = 0, count = 0;  // samples per line, lines
    double At(long long line, long long k) const { return values[static_cast<std::size_t>(line * across + k)]; }
    const double* Line(long long line) const { return values.data() + line * across; }
};

Lines LinesOf(const EdgeImage& roi, EdgeOrientation orientation)
{
    Lines lines;
    if (orientation == EdgeOrientation::Vertical) {
        lines.across = roi.width;
        lines.count = roi.height;
        lines.values.assign(roi.values.begin(), roi.values.begin() + roi.width * roi.height);
    } else {
        lines.across = roi.height;
        lines.count = roi.width;
        lines.values.resize(static_cast<std::size_t>(roi.width * roi.height));
        for (long long y = 0; y < roi.height; ++y)
            for (long long x = 0; x < roi.width; ++x)
                lines.values[static_cast<std::size_t>(x * roi.height + y)] =
                    roi.values[static_cast<std::size_t>(y * roi.width + x)];
    }
    return lines;
}

// The sum of |differences| along x and along y: an edge makes one of them clearly the larger.
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

// +1 when values rise along the lines (mean of the last quarter of every line above the first),
// -1 when they fall.
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

struct EdgeLine {
    double offset = 0.0, slope = 0.0, residual = 0.0;
    int used = 0;
};

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
    return line;
}

// Edge positions in every line: first around each line's steepest step, then, once a line is
// fitted, around the fitted line (so that a noisy line cannot pull its window off the edge).
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

// The largest gap, in pixels along the lines, between the edge's positions within a pixel over
// all lines (their fractional parts, on a circle of length 1).
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

common::Text SlopeText(const EdgeLine& edge, double angleDegrees)
{
    const double inverse = 1.0 / std::abs(edge.slope);
    const long long n = std::llround(inverse);
    if (n >= 1 && std::abs(inverse - static_cast<double>(n)) < 0.25)
        return common::TrText("quality", "The edge's angle, %1 degrees (slope %2), is close to a slope of 1/%3")
            .Arg(Fixed(angleDegrees, 2))
            .Arg(Fixed(edge.slope, 4))
            .Arg(n);
    return common::TrText("quality", "The edge's angle, %1 degrees (slope %2)")
        .Arg(Fixed(angleDegrees, 2))
        .Arg(Fixed(edge.slope, 4));
}

// |DFT| of `lsf` zero-padded to `padded` samples, bins 0 .. padded / 2.
std::vector<double> SpectrumMagnitude(const std::vector<double>& lsf, std::size_t padded)
{
    struct FftwFree {
        void operator()(void* p) const { fftw_free(p); }
    };
    std::unique_ptr<double, FftwFree> in(static_cast<double*>(fftw_malloc(sizeof(double) * padded)));
    std::unique_ptr<fftw_complex, FftwFree> out(
        static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * (padded / 2 + 1))));
    if (!in || !out)
        common::ThrowOutOfMemory();
    fftw_plan plan;
    {
        const std::lock_guard lock(common::FftwPlannerLock());
        // FFTW_ESTIMATE chooses by the size alone: the same size always runs the same arithmetic.
        plan = fftw_plan_dft_r2c_1d(static_cast<int>(padded), in.get(), out.get(), FFTW_ESTIMATE);
    }
    if (!plan)
        common::ThrowOutOfMemory();
    std::fill(in.get(), in.get() + padded, 0.0);
    std::copy(lsf.begin(), lsf.end(), in.get());
    fftw_execute(plan);
    std::vector<double> magnitude(padded / 2 + 1);
    for (std::size_t k = 0; k < magnitude.size(); ++k)
        magnitude[k] = std::hypot(out.get()[k][0], out.get()[k][1]);
    {
        const std::lock_guard lock(common::FftwPlannerLock());
        fftw_destroy_plan(plan);
    }
    return magnitude;
}

// The first frequency at which the MTF falls to `level`, linear between samples.
double FallsTo(const std::vector<MtfPoint>& curve, double level)
{
    for (std::size_t k = 1; k < curve.size(); ++k)
        if (curve[k].mtf <= level) {
            const MtfPoint& a = curve[k - 1];
            const MtfPoint& b = curve[k];
            return a.frequency + (a.mtf - level) / (a.mtf - b.mtf) * (b.frequency - a.frequency);
        }
    return NAN;
}

void CheckSettings(const EdgeImage& roi, const MtfSettings& settings)
{
    if (!(settings.pixelMm > 0.0) || !std::isfinite(settings.pixelMm))
        throw common::InputError(common::TrText("quality", "The pixel spacing must be above 0 mm; give it with the "
                                                           "image or as --pixel."));
    if (!(settings.binFraction > 0.0 && settings.binFraction <= 0.5))
        throw common::InputError(
            common::TrText("quality", "The ESF bin width must be above 0 and at most half a pixel, not %1.")
                .Arg(Fixed(settings.binFraction, 4)));
    if (roi.width < kMinSide || roi.height < kMinSide)
        throw common::InputError(
            common::TrText("quality", "The edge ROI is %1 x %2 pixels; it needs at least %3 x %3.")
                .Arg(roi.width)
                .Arg(roi.height)
                .Arg(kMinSide));
    if (roi.values.size() < static_cast<std::size_t>(roi.width * roi.height))
        throw common::InputError(common::TrText("quality", "The edge ROI's pixels are fewer than its size says."));
    for (double v : roi.values.first(static_cast<std::size_t>(roi.width * roi.height)))
        if (!std::isfinite(v))
            throw common::InputError(
                common::TrText("quality", "The edge ROI holds a value that is not a finite number."));
}


// Where each pixel centre falls along the edge normal, and which ESF bin holds it.
struct Projection {
    const Lines& lines;
    EdgeLine edge;
    double cosine = 1.0, dLow = 0.0, bin = 0.25;
    std::size_t bins = 0;
    // Offset from the centre of its bin (in pixels), and the bin; bin -1 outside the range.
    long long BinOf(long long l, long long k, double& offset) const
    {
        const double d = (static_cast<double>(k) - edge.offset - edge.slope * static_cast<double>(l)) * cosine;
        const double position = std::floor((d - dLow) / bin);
        if (position < 0.0 || position >= static_cast<double>(bins))
            return -1;
        offset = d - dLow - (position + 0.5) * bin;
        return static_cast<long long>(position);
    }
};

// Each bin's sums: count, offset u from the bin centre, u^2, value v, u v.
struct BinSums {
    double n = 0.0, u = 0.0, uu = 0.0, v = 0.0, uv = 0.0;
    void Add(double offset, double value)
    {
        n += 1.0;
        u += offset;
        uu += offset * offset;
        v += value;
        uv += offset * value;
    }
    void Add(const BinSums& o)
    {
        n += o.n;
        u += o.u;
        uu += o.uu;
        v += o.v;
        uv += o.uv;
    }
};

struct BinnedEsf {
    std::vector<double> value, slope;  // the least-squares line of each bin at its centre, and its slope
};

// The oversampled ESF. A bin's value is the least-squares line through its samples (value against
// position), taken at the bin's centre: a plain mean would sit at the samples' mean position, which
// moves from bin to bin when the lines' edge positions do not spread evenly over a pixel, and that
// jitter lowers the MTF. Where the samples of a bin share one position the line is their mean. To
// second order the line at the centre equals the mean of the ESF over the bin, as the plain mean of
// evenly spread samples does: the bin's transfer function stays sinc(f * bin width).
BinnedEsf BinEsf(const Projection& p, common::ThreadPool& pool)
{
    const long long blocks = (p.lines.count + kBlockLines - 1) / kBlockLines;
    std::vector<BinSums> blockSums(static_cast<std::size_t>(blocks) * p.bins);
    common::ParallelFor(pool, static_cast<int>(blocks), [&](int b) {
        BinSums* sums = blockSums.data() + static_cast<std::size_t>(b) * p.bins;
        for (long long l = b * kBlockLines; l < std::min(p.lines.count, (b + 1) * kBlockLines); ++l)
            for (long long k = 0; k < p.lines.across; ++k) {
                double offset = 0.0;
                if (const long long j = p.BinOf(l, k, offset); j >= 0)
                    sums[j].Add(offset, p.lines.At(l, k));
            }
    });
    std::vector<BinSums> sums(p.bins);
    for (long long b = 0; b < blocks; ++b)
        for (std::size_t j = 0; j < p.bins; ++j)
            sums[j].Add(blockSums[static_cast<std::size_t>(b) * p.bins + j]);
    BinnedEsf esf;
    esf.value.resize(p.bins);
    esf.slope.resize(p.bins);
    for (std::size_t j = 0; j < p.bins; ++j) {
        const BinSums& s = sums[j];
        if (s.n == 0.0)
            throw common::InputError(common::TrText("quality", "%1: ESF bins of %2 pixels are left empty. Tilt the "
                                                               "edge by another angle (2 to 5 degrees) or use more "
                                                               "lines.")
                                         .Arg(SlopeText(p.edge, std::atan(p.edge.slope) * 180.0 / std::numbers::pi))
                                         .Arg(Fixed(p.bin, 3)));
        const double meanU = s.u / s.n, meanV = s.v / s.n;
        const double suu = s.uu - s.n * meanU * meanU, suv = s.uv - s.n * meanU * meanV;
        // Positions that differ by less than a thousandth of the bin carry no slope.
        const double slope = suu > s.n * 1e-6 * p.bin * p.bin ? suv / suu : 0.0;
        esf.slope[j] = slope;
        esf.value[j] = meanV - slope * meanU;
    }
    return esf;
}

// RMS deviation of the pixels of the bins [0, quarter) and [bins - quarter, bins) from their bin's
// line, two degrees of freedom taken off per bin.
double PlateauNoise(const Projection& p, const BinnedEsf& esf, std::size_t quarter, common::ThreadPool& pool)
{
    const long long blocks = (p.lines.count + kBlockLines - 1) / kBlockLines;
    std::vector<double> blockSquares(static_cast<std::size_t>(blocks), 0.0);
    std::vector<long long> blockSamples(static_cast<std::size_t>(blocks), 0);
    common::ParallelFor(pool, static_cast<int>(blocks), [&](int b) {
        for (long long l = b * kBlockLines; l < std::min(p.lines.count, (b + 1) * kBlockLines); ++l)
            for (long long k = 0; k < p.lines.across; ++k) {
                double offset = 0.0;
                const long long j = p.BinOf(l, k, offset);
                if (j < 0 || (static_cast<std::size_t>(j) >= quarter && static_cast<std::size_t>(j) < p.bins - quarter))
                    continue;
                const auto bin = static_cast<std::size_t>(j);
                const double r = p.lines.At(l, k) - (esf.value[bin] + esf.slope[bin] * offset);
                blockSquares[static_cast<std::size_t>(b)] += r * r;
                ++blockSamples[static_cast<std::size_t>(b)];
            }
    });
    double squares = 0.0;
    long long samples = 0;
    for (long long b = 0; b < blocks; ++b) {
        squares += blockSquares[static_cast<std::size_t>(b)];
        samples += blockSamples[static_cast<std::size_t>(b)];
    }
    const long long freedom = samples - 4 * static_cast<long long>(quarter);
    return freedom > 0 ? std::sqrt(squares / static_cast<double>(freedom)) : NAN;
}

// The MTF from the LSF: the transform's magnitude over its value at zero frequency, divided by the
// bins' and the finite difference's boxes, at every transform frequency up to 1 / (2 bin).
std::vector<MtfPoint> MtfOfLsf(const std::vector<double>& lsf, double bin, double pixelMm)
{
    // Zero-padded to at least 16 times its length and 4096 samples: frequency steps of at most
    // 1 / (16 L) for an LSF of length L.
    std::size_t padded = 4096;
    while (padded < 16 * lsf.size())
        padded *= 2;
    const std::vector<double> magnitude = SpectrumMagnitude(lsf, padded);
    const double stepPerPx = 1.0 / (static_cast<double>(padded) * bin);  // cycles/pixel
    std::vector<MtfPoint> full(magnitude.size());
    for (std::size_t k = 0; k < magnitude.size(); ++k) {
        const double fPx = static_cast<double>(k) * stepPerPx;
        const double box = Sinc(fPx * bin);
        full[k] = {fPx / pixelMm, magnitude[k] / magnitude[0] / (box * box)};
    }
    return full;
}

// Refuses a slope whose projected pixel centres would leave bins empty, notes one that fills them
// unevenly.
void CheckPhases(const EdgeLine& edge, long long lineCount, double cosine, double bin, MtfResult& result)
{
    const double gap = LargestPhaseGap(edge, lineCount) * cosine;
    if (gap > bin)
        throw common::InputError(common::TrText("quality", "%1: the pixel centres fall on positions %2 pixels apart "
                                                           "along the edge normal, which leaves ESF bins of %3 pixels "
                                                           "empty. Tilt the edge by another angle (2 to 5 degrees) or "
                                                           "use more lines.")
                                     .Arg(SlopeText(edge, result.angleDegrees))
                                     .Arg(Fixed(gap, 3))
                                     .Arg(Fixed(bin, 3)));
    if (gap > bin / 2)
        result.notes.push_back(common::TrText("quality", "%1: the pixel centres fall on positions up to %2 pixels "
                                                         "apart along the edge normal, so ESF bins of %3 pixels are "
                                                         "filled unevenly and the MTF near the Nyquist frequency is "
                                                         "less certain.")
                                   .Arg(SlopeText(edge, result.angleDegrees))
                                   .Arg(Fixed(gap, 3))
                                   .Arg(Fixed(bin, 3)));
}

} // namespace

const char* OrientationName(EdgeOrientation orientation)
{
    return orientation == EdgeOrientation::Vertical ? "vertical" : "horizontal";
}

common::Text OrientationText(EdgeOrientation orientation)
{
    return orientation == EdgeOrientation::Vertical ? common::TrText("quality", "vertical")
                                                    : common::TrText("quality", "horizontal");
}

double MtfAt(const std::vector<MtfPoint>& curve, double frequency)
{
    if (curve.empty() || frequency < curve.front().frequency || frequency > curve.back().frequency)
        return NAN;
    const auto upper = std::lower_bound(curve.begin(), curve.end(), frequency,
                                        [](const MtfPoint& p, double f) { return p.frequency < f; });
    if (upper->frequency == frequency || upper == curve.begin())
        return upper->mtf;
    const MtfPoint& a = *(upper - 1);
    const MtfPoint& b = *upper;
    return a.mtf + (frequency - a.frequency) / (b.frequency - a.frequency) * (b.mtf - a.mtf);
}

MtfResult MeasureEdgeMtf(const EdgeImage& roi, const MtfSettings& settings, common::ThreadPool& pool)
{
    CheckSettings(roi, settings);
    MtfResult result;
    result.pixelMm = settings.pixelMm;
    result.binWidthPx = settings.binFraction;
    result.orientation = OrientationOf(roi);
    const Lines lines = LinesOf(roi, result.orientation);
    const double polarity = PolarityOf(lines);
    const EdgeLine edge = LocateEdge(lines, polarity, pool);
    result.edgeOffset = edge.offset;
    result.edgeSlope = edge.slope;
    result.edgeResidualPx = edge.residual;
    result.linesUsed = edge.used;
    result.angleDegrees = std::atan(edge.slope) * 180.0 / std::numbers::pi;
    if (edge.residual > 1.0)
        throw common::InputError(common::TrText("quality", "The edge in the ROI is not straight: its positions lie %1 "
                                                           "pixels (RMS) from the best line. Place the ROI across one "
                                                           "straight edge that runs through it from side to side.")
                                     .Arg(Fixed(edge.residual, 2)));
    // At 45 degrees the slope of 1 is the more useful thing to say than the range: the phases first.
    const auto refuseAngle = [&] {
        throw common::InputError(common::TrText("quality", "The edge is tilted %1 degrees to the pixel grid; the "
                                                           "slanted-edge MTF needs 1 to 45 degrees (2 to 3 are "
                                                           "usual). Tilt the edge and take the image again.")
                                     .Arg(Fixed(result.angleDegrees, 2)));
    };
    const double absAngle = std::abs(result.angleDegrees);
    if (absAngle < kMinAngleDegrees)
        refuseAngle();
    const double cosine = 1.0 / std::sqrt(1.0 + edge.slope * edge.slope);
    const double bin = settings.binFraction;
    CheckPhases(edge, lines.count, cosine, bin, result);
    if (absAngle > kMaxAngleDegrees)
        refuseAngle();

    // The range of d that every line covers, so that every bin sees every line.
    const double firstEdge = edge.offset, lastEdge = edge.offset + edge.slope * static_cast<double>(lines.count - 1);
    const double dLow = -std::min(firstEdge, lastEdge) * cosine;
    const double dHigh = (static_cast<double>(lines.across - 1) - std::max(firstEdge, lastEdge)) * cosine;
    if (-dLow < kMinSidePx || dHigh < kMinSidePx)
        throw common::InputError(common::TrText("quality", "The edge runs too close to the ROI's side: fewer than %1 "
                                                           "pixels lie on one side of it in some line. Centre the ROI "
                                                           "on the edge, or make it shorter along the edge.")
                                     .Arg(Fixed(kMinSidePx, 0)));
    const Projection projection{lines, edge, cosine, dLow, bin,
                                static_cast<std::size_t>(std::floor((dHigh - dLow) / bin))};
    const BinnedEsf esf = BinEsf(projection, pool);
    const std::size_t bins = projection.bins;
    result.esf = esf.value;
    result.esfStartPx = dLow + 0.5 * bin;

    // Levels and noise over the outer quarter of each side.
    const std::size_t quarter = std::max<std::size_t>(1, bins / 4);
    double low = 0.0, high = 0.0;
    for (std::size_t j = 0; j < quarter; ++j) {
        low += result.esf[j];
        high += result.esf[bins - 1 - j];
    }
    result.lowLevel = std::min(low, high) / static_cast<double>(quarter);
    result.highLevel = std::max(low, high) / static_cast<double>(quarter);
    result.contrast = result.highLevel - result.lowLevel;
    result.noise = PlateauNoise(projection, esf, quarter, pool);
    if (!(result.contrast > 3.0 * result.noise))
        throw common::InputError(common::TrText("quality", "The ROI holds no clear edge: the difference between its "
                                                           "two sides (%1) is not above 3 times the noise (%2). Place "
                                                           "the ROI across the edge.")
                                     .Arg(Fixed(result.contrast, 3))
                                     .Arg(Fixed(result.noise, 3)));

    // LSF by the finite difference; its sign follows the polarity so that it integrates to the contrast.
    result.lsf.resize(bins - 1);
    for (std::size_t j = 0; j + 1 < bins; ++j)
        result.lsf[j] = polarity * (result.esf[j + 1] - result.esf[j]) / bin;
    const std::vector<MtfPoint> full = MtfOfLsf(result.lsf, bin, settings.pixelMm);
    result.mtf50 = FallsTo(full, 0.5);
    result.mtf10 = FallsTo(full, 0.1);
    const double nyquist = 0.5 / settings.pixelMm;
    for (const MtfPoint& p : full) {
        if (p.frequency > nyquist)
            break;
        result.curve.push_back(p);
    }
    // The curve ends at the Nyquist frequency itself, where the NPS's last bin may lie.
    if (result.curve.back().frequency < nyquist)
        result.curve.push_back({nyquist, MtfAt(full, nyquist)});
    // The curve's last sample may lie just below the Nyquist frequency; the half steps reach it
    // through the next sample.
    for (int i = 0; 0.5 * i <= nyquist * (1 + 1e-12); ++i)
        result.halfSteps.push_back({0.5 * i, MtfAt(full, 0.5 * i)});
    return result;
}

} // namespace quality
