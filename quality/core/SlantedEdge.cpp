#include "SlantedEdge.h"

#include <fftw3.h>

#include <algorithm>
#include <memory>
#include <numbers>
#include <span>

#include "CurveAt.h"
#include "EdgeLocation.h"
#include "Errors.h"
#include "NumberText.h"
#include "FftwPlannerLock.h"

namespace quality {

namespace {

constexpr long long kMinSide = 16;
constexpr double kMinAngleDegrees = 1.0, kMaxAngleDegrees = 45.0;
// IEC 62220-1-1 places the edge at 1.5 to 3 degrees; other angles are measured, with a note.
constexpr double kStandardMinAngleDegrees = 1.5, kStandardMaxAngleDegrees = 3.0, kAngleTolerance = 0.05;
// Pixels on each side of the edge, at the least, for an ESF that reaches its plateaus.
constexpr double kMinSidePx = 5.0;
// Lines are summed in blocks of this many, the blocks in order: the sums do not depend on the
// number of threads.
constexpr long long kBlockLines = 16;
// The groups of lines whose scatter gives the MTF's uncertainty: runs of kGroupLines neighbouring
// lines, dealt out to kMaxGroups groups in turn.
constexpr long long kGroupLines = 4, kMaxGroups = 16;
// A plateau whose trend moves it by more than this fraction of the contrast over the ESF range
// (and by more than 3 standard errors of its slope) is reported.
constexpr double kTrendNoteFraction = 0.01;

double Sinc(double x)
{
    if (x == 0.0)
        return 1.0;
    const double a = std::numbers::pi * x;
    return std::sin(a) / a;
}


common::Text SlopeText(const EdgeLine& edge, double angleDegrees)
{
    const double inverse = 1.0 / std::abs(edge.slope);
    const long long n = std::llround(inverse);
    if (n >= 1 && std::abs(inverse - static_cast<double>(n)) < 0.25)
        return common::TrText("quality", "The edge's angle, %1 degrees (slope %2), is close to a slope of 1/%3")
            .Arg(common::FixedText(angleDegrees, 2))
            .Arg(common::FixedText(edge.slope, 4))
            .Arg(n);
    return common::TrText("quality", "The edge's angle, %1 degrees (slope %2)")
        .Arg(common::FixedText(angleDegrees, 2))
        .Arg(common::FixedText(edge.slope, 4));
}

// The MTF of LSFs of one length from their |DFT|, zero-padded to at least 16 times that length and
// 4096 samples (frequency steps of at most 1 / (16 L) for an LSF of length L): the transform planned
// and the boxes' transfer functions computed once for the whole edge and its groups of lines.
class LsfTransform {
public:
    LsfTransform(std::size_t lsfLength, double bin, double pixelMm)
    {
        while (padded_ < 16 * lsfLength)
            padded_ *= 2;
        // A bin's mean averages the ESF over one bin width, and the finite difference over one
        // more: each multiplies the MTF by sinc(f bin).
        const double stepPerPx = 1.0 / (static_cast<double>(padded_) * bin);  // cycles/pixel
        frequencies_.resize(padded_ / 2 + 1);
        boxes_.resize(padded_ / 2 + 1);
        for (std::size_t k = 0; k < frequencies_.size(); ++k) {
            const double fPx = static_cast<double>(k) * stepPerPx;
            const double box = Sinc(fPx * bin);
            frequencies_[k] = fPx / pixelMm;
            boxes_[k] = box * box;
        }
        in_.reset(static_cast<double*>(fftw_malloc(sizeof(double) * padded_)));
        out_.reset(static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * (padded_ / 2 + 1))));
        if (!in_ || !out_)
            common::ThrowOutOfMemory();
        {
            const std::lock_guard lock(common::FftwPlannerLock());
            // FFTW_ESTIMATE chooses by the size alone: the same size always runs the same arithmetic.
            plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(padded_), in_.get(), out_.get(), FFTW_ESTIMATE);
        }
        if (!plan_)
            common::ThrowOutOfMemory();
    }
    ~LsfTransform()
    {
        const std::lock_guard lock(common::FftwPlannerLock());
        fftw_destroy_plan(plan_);
    }
    LsfTransform(const LsfTransform&) = delete;
    LsfTransform& operator=(const LsfTransform&) = delete;

    // The transform's magnitude over its value at zero frequency, divided by the boxes, at every
    // transform frequency up to 1 / (2 bin).
    std::vector<MtfPoint> Mtf(const std::vector<double>& lsf)
    {
        std::fill(in_.get(), in_.get() + padded_, 0.0);
        std::copy(lsf.begin(), lsf.end(), in_.get());
        fftw_execute(plan_);
        const double zero = std::hypot(out_.get()[0][0], out_.get()[0][1]);
        std::vector<MtfPoint> full(frequencies_.size());
        for (std::size_t k = 0; k < full.size(); ++k)
            full[k] = {frequencies_[k], std::hypot(out_.get()[k][0], out_.get()[k][1]) / zero / boxes_[k]};
        return full;
    }

private:
    struct FftwFree {
        void operator()(void* p) const { fftw_free(p); }
    };
    std::size_t padded_ = 4096;
    std::vector<double> frequencies_, boxes_;
    std::unique_ptr<double, FftwFree> in_;
    std::unique_ptr<fftw_complex, FftwFree> out_;
    fftw_plan plan_ = nullptr;
};

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
                .Arg(common::FixedText(settings.binFraction, 4)));
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


// One image's edge, ready to be binned: its lines, the fitted edge, and the sign that makes its
// distances run the way the first image's do (so that ESFs of edges that fall the other way add up).
struct PreparedEdge {
    Lines lines;
    EdgeLine edge;
    double polarity = 1.0, direction = 1.0, cosine = 1.0;
    double dLow = 0.0, dHigh = 0.0;  // the range of d every line covers, in the first image's direction
};

// Where each pixel centre falls along the edge normal, and which ESF bin holds it.
struct Projection {
    const PreparedEdge& image;
    double dLow = 0.0, bin = 0.25;  // the lower side of bin 0
    std::size_t bins = 0;
    // Offset from the centre of its bin (in pixels), and the bin; bin -1 outside the range.
    long long BinOf(long long l, long long k, double& offset) const
    {
        const EdgeLine& e = image.edge;
        const double d = image.direction * (static_cast<double>(k) - e.offset - e.slope * static_cast<double>(l)) *
                         image.cosine;
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

using EsfSums = std::vector<BinSums>;  // one per bin

// The bins' sums of each group of lines: line l of every image belongs to group (l / 4) mod 16.
// Groups of a few neighbouring lines, spread along the whole edge, see every phase of the edge
// and the same part of the image; noise correlated between neighbouring lines stays in one group.
// Each group is summed by one task, its lines in order: the sums do not depend on the threads.
std::vector<EsfSums> GroupSums(const std::vector<PreparedEdge>& images, double dLow, double bin, std::size_t bins,
                               common::ThreadPool& pool)
{
    std::vector<EsfSums> groups(kMaxGroups, EsfSums(bins));
    common::ParallelFor(pool, static_cast<int>(kMaxGroups), [&](int g) {
        EsfSums& sums = groups[static_cast<std::size_t>(g)];
        for (const PreparedEdge& image : images) {
            const Projection p{image, dLow, bin, bins};
            for (long long first = g * kGroupLines; first < image.lines.count; first += kGroupLines * kMaxGroups)
                for (long long l = first; l < std::min(image.lines.count, first + kGroupLines); ++l)
                    for (long long k = 0; k < image.lines.across; ++k) {
                        double offset = 0.0;
                        if (const long long j = p.BinOf(l, k, offset); j >= 0)
                            sums[static_cast<std::size_t>(j)].Add(offset, image.lines.At(l, k));
                    }
        }
    });
    return groups;
}

// Groups merged into `count` (a divisor of 16): group g takes the old groups g, g + count, ...
std::vector<EsfSums> MergeGroups(const std::vector<EsfSums>& groups, std::size_t count)
{
    std::vector<EsfSums> merged(count, EsfSums(groups.front().size()));
    for (std::size_t g = 0; g < groups.size(); ++g)
        for (std::size_t j = 0; j < groups[g].size(); ++j)
            merged[g % count][j].Add(groups[g][j]);
    return merged;
}

bool FillsEveryBin(const EsfSums& sums)
{
    return std::all_of(sums.begin(), sums.end(), [](const BinSums& s) { return s.n > 0.0; });
}

struct BinnedEsf {
    std::vector<double> value, slope;  // the least-squares line of each bin at its centre, and its slope
};

// The oversampled ESF. A bin's value is the least-squares line through its samples (value against
// position), taken at the bin's centre: a plain mean would sit at the samples' mean position, which
// moves from bin to bin when the lines' edge positions do not spread evenly over a pixel, and that
// jitter lowers the MTF. Where the samples of a bin share one position the line is their mean. To
// second order the line at the centre equals the mean of the ESF over the bin, as the plain mean of
// evenly spread samples does: the bin's transfer function stays sinc(f * bin width).
BinnedEsf EsfOfSums(const EsfSums& sums, double bin)
{
    BinnedEsf esf;
    esf.value.resize(sums.size());
    esf.slope.resize(sums.size());
    for (std::size_t j = 0; j < sums.size(); ++j) {
        const BinSums& s = sums[j];
        const double meanU = s.u / s.n, meanV = s.v / s.n;
        const double suu = s.uu - s.n * meanU * meanU, suv = s.uv - s.n * meanU * meanV;
        // Positions that differ by less than a thousandth of the bin carry no slope.
        const double slope = suu > s.n * 1e-6 * bin * bin ? suv / suu : 0.0;
        esf.slope[j] = slope;
        esf.value[j] = meanV - slope * meanU;
    }
    return esf;
}

// RMS deviation of the pixels of the bins [0, quarter) and [bins - quarter, bins) from their bin's
// line, two degrees of freedom taken off per bin.
double PlateauNoise(const std::vector<PreparedEdge>& images, double dLow, double bin, const BinnedEsf& esf,
                    std::size_t quarter, common::ThreadPool& pool)
{
    const std::size_t bins = esf.value.size();
    double squares = 0.0;
    long long samples = 0;
    for (const PreparedEdge& image : images) {
        const Projection p{image, dLow, bin, bins};
        const long long blocks = (image.lines.count + kBlockLines - 1) / kBlockLines;
        std::vector<double> blockSquares(static_cast<std::size_t>(blocks), 0.0);
        std::vector<long long> blockSamples(static_cast<std::size_t>(blocks), 0);
        common::ParallelFor(pool, static_cast<int>(blocks), [&](int b) {
            for (long long l = b * kBlockLines; l < std::min(image.lines.count, (b + 1) * kBlockLines); ++l)
                for (long long k = 0; k < image.lines.across; ++k) {
                    double offset = 0.0;
                    const long long j = p.BinOf(l, k, offset);
                    if (j < 0 || (static_cast<std::size_t>(j) >= quarter && static_cast<std::size_t>(j) < bins - quarter))
                        continue;
                    const auto at = static_cast<std::size_t>(j);
                    const double r = image.lines.At(l, k) - (esf.value[at] + esf.slope[at] * offset);
                    blockSquares[static_cast<std::size_t>(b)] += r * r;
                    ++blockSamples[static_cast<std::size_t>(b)];
                }
        });
        for (long long b = 0; b < blocks; ++b) {
            squares += blockSquares[static_cast<std::size_t>(b)];
            samples += blockSamples[static_cast<std::size_t>(b)];
        }
    }
    const long long freedom = samples - 4 * static_cast<long long>(quarter);
    return freedom > 0 ? std::sqrt(squares / static_cast<double>(freedom)) : NAN;
}

// A straight line fitted to ESF bins [from, to) against their distance d: value = level + slope d.
struct PlateauLine {
    double level = 0.0, slope = 0.0, slopeError = 0.0;
};

PlateauLine FitPlateau(const std::vector<double>& esf, double firstCentre, double bin, std::size_t from, std::size_t to)
{
    const auto n = static_cast<double>(to - from);
    double meanD = 0.0, meanV = 0.0;
    for (std::size_t j = from; j < to; ++j) {
        meanD += firstCentre + static_cast<double>(j) * bin;
        meanV += esf[j];
    }
    meanD /= n;
    meanV /= n;
    double sdd = 0.0, sdv = 0.0;
    for (std::size_t j = from; j < to; ++j) {
        const double d = firstCentre + static_cast<double>(j) * bin - meanD;
        sdd += d * d;
        sdv += d * (esf[j] - meanV);
    }
    PlateauLine line;
    line.slope = sdd > 0.0 ? sdv / sdd : 0.0;
    line.level = meanV - line.slope * meanD;
    double squares = 0.0;
    for (std::size_t j = from; j < to; ++j) {
        const double r = esf[j] - (line.level + line.slope * (firstCentre + static_cast<double>(j) * bin));
        squares += r * r;
    }
    line.slopeError = n > 2.0 && sdd > 0.0 ? std::sqrt(squares / (n - 2.0) / sdd) : 0.0;
    return line;
}

// A smooth background across the edge (the heel effect of the tube, a gradient of the detector)
// tilts both plateaus of the ESF, and the finite difference turns that tilt into a step of the
// LSF's baseline, which lowers the MTF at low frequencies. Each plateau's slope is fitted over its
// outer quarter of the range, and the trend is removed from every bin: on the low side with the low
// slope, on the high side with the high one, in between with the slopes mixed as the ESF goes from
// one level to the other. That takes out a trend that adds to the signal (the same slope on both
// sides) and one that multiplies it (slopes in proportion to the levels) alike, to first order in
// the trend.
struct TrendRemoved {
    PlateauLine low, high;  // the first quarter's line and the last one's (in bin order)
};

TrendRemoved RemoveTrend(std::vector<double>& esf, double firstCentre, double bin, std::size_t quarter)
{
    const std::size_t bins = esf.size();
    TrendRemoved trend;
    trend.low = FitPlateau(esf, firstCentre, bin, 0, quarter);
    trend.high = FitPlateau(esf, firstCentre, bin, bins - quarter, bins);
    const double span = trend.high.level - trend.low.level;
    if (span == 0.0)
        return trend;
    for (std::size_t j = 0; j < bins; ++j) {
        const double d = firstCentre + static_cast<double>(j) * bin;
        const double w = std::clamp((esf[j] - trend.low.level) / span, 0.0, 1.0);
        esf[j] -= d * (trend.low.slope + (trend.high.slope - trend.low.slope) * w);
    }
    return trend;
}

// Refuses a slope whose projected pixel centres would leave bins empty, notes one that fills them
// unevenly.
void CheckPhases(const EdgeLine& edge, double angleDegrees, long long lineCount, double cosine, double bin,
                 MtfResult& result)
{
    const double gap = LargestPhaseGap(edge, lineCount) * cosine;
    if (gap > bin)
        throw common::InputError(common::TrText("quality", "%1: the pixel centres fall on positions %2 pixels apart "
                                                           "along the edge normal, which leaves ESF bins of %3 pixels "
                                                           "empty. Tilt the edge by another angle (2 to 5 degrees) or "
                                                           "use more lines.")
                                     .Arg(SlopeText(edge, angleDegrees))
                                     .Arg(common::FixedText(gap, 3))
                                     .Arg(common::FixedText(bin, 3)));
    if (gap > bin / 2)
        result.notes.push_back(common::TrText("quality", "%1: the pixel centres fall on positions up to %2 pixels "
                                                         "apart along the edge normal, so ESF bins of %3 pixels are "
                                                         "filled unevenly and the MTF near the Nyquist frequency is "
                                                         "less certain.")
                                   .Arg(SlopeText(edge, angleDegrees))
                                   .Arg(common::FixedText(gap, 3))
                                   .Arg(common::FixedText(bin, 3)));
}

// Reports a plateau that is not flat, with the change of each plateau over the ESF range as a
// fraction of the contrast.
void NoteTrend(const TrendRemoved& trend, MtfResult& result)
{
    const double range = result.esfHighPx - result.esfLowPx;
    result.plateauChangeLow = trend.low.slope * range / result.contrast;
    result.plateauChangeHigh = trend.high.slope * range / result.contrast;
    const auto notable = [&](const PlateauLine& line) {
        return std::abs(line.slope) * range > kTrendNoteFraction * result.contrast &&
               std::abs(line.slope) > 3.0 * line.slopeError;
    };
    if (notable(trend.low) || notable(trend.high))
        result.notes.push_back(common::TrText("quality", "The plateaus of the ESF are not flat: over the %1 pixels of "
                                                         "the ESF they change by %2 % and %3 % of the contrast (a heel "
                                                         "effect or a background trend). The trend was removed; check "
                                                         "the flat-field correction and the edge's placement.")
                                   .Arg(common::FixedText(range, 1))
                                   .Arg(common::FixedText(100.0 * result.plateauChangeLow, 1))
                                   .Arg(common::FixedText(100.0 * result.plateauChangeHigh, 1)));
}

// One image's edge: checked, located, and the range of distances every line covers.
PreparedEdge PrepareEdge(const EdgeImage& roi, const MtfSettings& settings, common::ThreadPool& pool,
                         MtfResult& result, double firstPolarity)
{
    CheckSettings(roi, settings);
    const EdgeOrientation orientation = OrientationOf(roi);
    const bool first = result.edges.empty();
    if (first)
        result.orientation = orientation;
    else if (orientation != result.orientation)
        throw common::InputError(common::TrText("quality", "Edge image %1 holds a %2 edge, the first one a %3 edge: "
                                                           "the ESFs of one MTF come from edges of one direction.")
                                     .Arg(result.edges.size() + 1)
                                     .Arg(OrientationText(orientation))
                                     .Arg(OrientationText(result.orientation)));
    PreparedEdge image;
    image.lines = LinesOf(roi, orientation);
    image.polarity = PolarityOf(image.lines);
    image.direction = first ? 1.0 : image.polarity * firstPolarity;
    image.edge = LocateEdge(image.lines, image.polarity, pool);
    const EdgeLine& edge = image.edge;
    const double angle = std::atan(edge.slope) * 180.0 / std::numbers::pi;
    if (edge.blockResidual > 1.0)
        throw common::InputError(common::TrText("quality", "The edge in the ROI is not straight: its positions lie %1 "
                                                           "pixels (RMS) from the best line. Place the ROI across one "
                                                           "straight edge that runs through it from side to side.")
                                     .Arg(common::FixedText(edge.blockResidual, 2)));
    // At 45 degrees the slope of 1 is the more useful thing to say than the range: the phases first.
    const auto refuseAngle = [&] {
        throw common::InputError(common::TrText("quality", "The edge is tilted %1 degrees to the pixel grid; the "
                                                           "slanted-edge MTF needs 1 to 45 degrees (2 to 3 are "
                                                           "usual). Tilt the edge and take the image again.")
                                     .Arg(common::FixedText(angle, 2)));
    };
    const double absAngle = std::abs(angle);
    if (absAngle < kMinAngleDegrees)
        refuseAngle();
    image.cosine = 1.0 / std::sqrt(1.0 + edge.slope * edge.slope);
    CheckPhases(edge, angle, image.lines.count, image.cosine, settings.binFraction, result);
    if (absAngle > kMaxAngleDegrees)
        refuseAngle();
    // The fitted angle scatters by a few hundredths of a degree: an edge set at 3 degrees is in range.
    if (absAngle < kStandardMinAngleDegrees - kAngleTolerance || absAngle > kStandardMaxAngleDegrees + kAngleTolerance)
        result.notes.push_back(common::TrText("quality", "The edge is tilted %1 degrees; IEC 62220-1-1 places it at "
                                                         "%2 to %3 degrees to the pixel grid.")
                                   .Arg(common::FixedText(angle, 2))
                                   .Arg(common::FixedText(kStandardMinAngleDegrees, 1))
                                   .Arg(common::FixedText(kStandardMaxAngleDegrees, 1)));

    const double firstEdge = edge.offset, lastEdge = edge.offset + edge.slope * static_cast<double>(image.lines.count - 1);
    const double low = -std::min(firstEdge, lastEdge) * image.cosine;
    const double high = (static_cast<double>(image.lines.across - 1) - std::max(firstEdge, lastEdge)) * image.cosine;
    image.dLow = image.direction > 0 ? low : -high;
    image.dHigh = image.direction > 0 ? high : -low;
    result.edges.push_back({edge.offset, edge.slope, angle, edge.residual, edge.used});
    return image;
}

// The ESF of some lines, the background trend removed, its LSF and MTF.
struct EsfMtf {
    std::vector<double> esf, lsf;
    TrendRemoved trend;
    std::vector<MtfPoint> full;  // up to 1 / (2 bin)
};

// How the ESFs of one measurement are made into MTFs: where their bins lie, the quarter their
// plateaus are fitted over, the polarity, and the one transform of their LSFs.
struct EsfGeometry {
    double firstCentre = 0.0, bin = 0.25;
    std::size_t quarter = 1;
    double polarity = 1.0;
    LsfTransform& transform;
};

EsfMtf MtfOfEsf(std::vector<double> esf, const EsfGeometry& g)
{
    EsfMtf m;
    m.trend = RemoveTrend(esf, g.firstCentre, g.bin, g.quarter);
    m.esf = std::move(esf);
    // LSF by the finite difference; its sign follows the polarity so that it integrates to the contrast.
    m.lsf.resize(m.esf.size() - 1);
    for (std::size_t j = 0; j + 1 < m.esf.size(); ++j)
        m.lsf[j] = g.polarity * (m.esf[j + 1] - m.esf[j]) / g.bin;
    m.full = g.transform.Mtf(m.lsf);
    return m;
}

// The jackknife's standard error over G leave-one-out estimates x_i:
// sqrt((G - 1) / G * sum (x_i - mean)^2).
double JackknifeStandardError(const std::vector<double>& values)
{
    const auto g = static_cast<double>(values.size());
    double mean = 0.0;
    for (double v : values)
        mean += v;
    mean /= g;
    double squares = 0.0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    return std::sqrt((g - 1.0) / g * squares);
}

// The standard error of the MTF at each transform frequency and of MTF50 by the jackknife over the
// groups of lines: the MTF measured G times, each time without one group, the same way as from all
// of them. The groups' own MTFs would scatter more than G times the whole one's variance allows: a
// bin's least-squares line through few samples is noisier than through G times as many, and the
// MTF is not linear in the ESF. Leaving one group out keeps each estimate nearly the whole one.
void GroupUncertainty(const std::vector<EsfSums>& groups, const EsfGeometry& geometry, std::vector<MtfPoint>& full,
                      MtfResult& result)
{
    std::vector<std::vector<MtfPoint>> curves;
    std::vector<double> mtf50s;
    for (std::size_t left = 0; left < groups.size(); ++left) {
        EsfSums others(groups.front().size());
        for (std::size_t g = 0; g < groups.size(); ++g)
            if (g != left)
                for (std::size_t j = 0; j < others.size(); ++j)
                    others[j].Add(groups[g][j]);
        curves.push_back(MtfOfEsf(EsfOfSums(others, geometry.bin).value, geometry).full);
        mtf50s.push_back(FallsTo(curves.back(), 0.5));
    }
    std::vector<double> values(groups.size());
    for (std::size_t k = 0; k < full.size(); ++k) {
        for (std::size_t g = 0; g < groups.size(); ++g)
            values[g] = curves[g][k].mtf;
        full[k].standardError = JackknifeStandardError(values);
    }
    result.mtf50StandardError = std::all_of(mtf50s.begin(), mtf50s.end(), [](double f) { return std::isfinite(f); })
                                    ? JackknifeStandardError(mtf50s)
                                    : NAN;
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
    const auto around = PointsAroundOf(curve, frequency);
    return around ? around->Value(&MtfPoint::mtf) : NAN;
}

double MtfStandardErrorAt(const std::vector<MtfPoint>& curve, double frequency)
{
    const auto around = PointsAroundOf(curve, frequency);
    return around ? around->Value(&MtfPoint::standardError) : NAN;
}

namespace {

// Levels over the outer quarter of each side of the ESF, their difference, and the refusal of a
// difference the noise could make.
void SetLevels(std::size_t quarter, MtfResult& result)
{
    const std::size_t bins = result.esf.size();
    double lowSum = 0.0, highSum = 0.0;
    for (std::size_t j = 0; j < quarter; ++j) {
        lowSum += result.esf[j];
        highSum += result.esf[bins - 1 - j];
    }
    result.lowLevel = std::min(lowSum, highSum) / static_cast<double>(quarter);
    result.highLevel = std::max(lowSum, highSum) / static_cast<double>(quarter);
    result.contrast = result.highLevel - result.lowLevel;
    if (!(result.contrast > 3.0 * result.noise))
        throw common::InputError(common::TrText("quality", "The ROI holds no clear edge: the difference between its "
                                                           "two sides (%1) is not above 3 times the noise (%2). Place "
                                                           "the ROI across the edge.")
                                     .Arg(common::FixedText(result.contrast, 3))
                                     .Arg(common::FixedText(result.noise, 3)));
}

// MTF50 and MTF10 from the whole transform, the curve up to the Nyquist frequency and the half
// steps.
void SetCurves(const std::vector<MtfPoint>& full, double nyquist, MtfResult& result)
{
    result.mtf50 = FallsTo(full, 0.5);
    result.mtf10 = FallsTo(full, 0.1);
    for (const MtfPoint& p : full) {
        if (p.frequency > nyquist)
            break;
        result.curve.push_back(p);
    }
    // The curve ends at the Nyquist frequency itself, where the NPS's last bin may lie.
    if (result.curve.back().frequency < nyquist)
        result.curve.push_back({nyquist, MtfAt(full, nyquist), MtfStandardErrorAt(full, nyquist)});
    // The curve's last sample may lie just below the Nyquist frequency; the half steps reach it
    // through the next sample.
    for (int i = 0; 0.5 * i <= nyquist * (1 + 1e-12); ++i)
        result.halfSteps.push_back({0.5 * i, MtfAt(full, 0.5 * i), MtfStandardErrorAt(full, 0.5 * i)});
}

} // namespace

MtfResult MeasureEdgeMtf(const EdgeImage& roi, const MtfSettings& settings, common::ThreadPool& pool)
{
    return MeasureEdgeMtf(std::span<const EdgeImage>(&roi, 1), settings, pool);
}

MtfResult MeasureEdgeMtf(std::span<const EdgeImage> rois, const MtfSettings& settings, common::ThreadPool& pool)
{
    if (rois.empty())
        throw common::InputError(common::TrText("quality", "The MTF needs at least one edge image."));
    MtfResult result;
    result.pixelMm = settings.pixelMm;
    result.binWidthPx = settings.binFraction;
    std::vector<PreparedEdge> images;
    for (const EdgeImage& roi : rois)
        images.push_back(PrepareEdge(roi, settings, pool, result, images.empty() ? 1.0 : images.front().polarity));
    const PreparedEdge& first = images.front();
    result.edgeOffset = first.edge.offset;
    result.edgeSlope = first.edge.slope;
    result.edgeResidualPx = first.edge.residual;
    result.linesUsed = first.edge.used;
    result.angleDegrees = result.edges.front().angleDegrees;

    // Distances from the edge up to kEsfHalfRangePx on each side, where every line of every image
    // reaches, in bins on a grid fixed to the edge (so that the ESFs of several images share it).
    double low = -kEsfHalfRangePx, high = kEsfHalfRangePx;
    for (const PreparedEdge& image : images) {
        low = std::max(low, image.dLow);
        high = std::min(high, image.dHigh);
    }
    if (-low < kMinSidePx || high < kMinSidePx)
        throw common::InputError(common::TrText("quality", "The edge runs too close to the ROI's side: fewer than %1 "
                                                           "pixels lie on one side of it in some line. Centre the ROI "
                                                           "on the edge, or make it shorter along the edge.")
                                     .Arg(common::FixedText(kMinSidePx, 0)));
    const double bin = settings.binFraction;
    const double firstBin = std::ceil(low / bin), lastBin = std::floor(high / bin);
    const auto bins = static_cast<std::size_t>(lastBin - firstBin);
    const double dLow = firstBin * bin;
    result.esfLowPx = dLow;
    result.esfHighPx = lastBin * bin;

    const std::vector<EsfSums> groups = GroupSums(images, dLow, bin, bins, pool);
    const EsfSums total = MergeGroups(groups, 1).front();
    if (!FillsEveryBin(total))
        throw common::InputError(common::TrText("quality", "%1: ESF bins of %2 pixels are left empty. Tilt the "
                                                           "edge by another angle (2 to 5 degrees) or use more "
                                                           "lines.")
                                     .Arg(SlopeText(first.edge, result.angleDegrees))
                                     .Arg(common::FixedText(bin, 3)));
    const BinnedEsf lines = EsfOfSums(total, bin);
    const double firstCentre = dLow + 0.5 * bin;
    const std::size_t quarter = std::max<std::size_t>(1, bins / 4);
    LsfTransform transform(bins - 1, bin, settings.pixelMm);
    const EsfGeometry geometry{firstCentre, bin, quarter, first.polarity, transform};
    const EsfMtf whole = MtfOfEsf(lines.value, geometry);
    result.esf = whole.esf;
    result.lsf = whole.lsf;
    result.esfStartPx = firstCentre;

    result.noise = PlateauNoise(images, dLow, bin, lines, quarter, pool);
    SetLevels(quarter, result);
    NoteTrend(whole.trend, result);

    std::vector<MtfPoint> full = whole.full;
    for (const std::size_t count : {std::size_t{16}, std::size_t{8}, std::size_t{4}}) {
        const std::vector<EsfSums> merged = MergeGroups(groups, count);
        if (std::all_of(merged.begin(), merged.end(), FillsEveryBin)) {
            result.uncertaintyGroups = static_cast<int>(count);
            GroupUncertainty(merged, geometry, full, result);
            break;
        }
    }
    if (result.uncertaintyGroups == 0)
        result.notes.push_back(common::TrText("quality", "Too few lines along the edge to split them into 4 groups "
                                                         "that each fill every ESF bin: the MTF has no uncertainty. "
                                                         "Use a longer edge ROI."));
    SetCurves(full, 0.5 / settings.pixelMm, result);
    return result;
}

} // namespace quality
