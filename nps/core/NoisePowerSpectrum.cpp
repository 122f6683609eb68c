#include "NoisePowerSpectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>

#include "Errors.h"
#include "NumberText.h"
#include "FftwPlannerLock.h"
#include "RadialAverage.h"

namespace nps {

namespace {

struct FftwFree {
    void operator()(void* p) const { fftw_free(p); }
};
template <typename T>
using FftwBuffer = std::unique_ptr<T[], FftwFree>;

template <typename T>
FftwBuffer<T> Allocate(std::size_t count)
{
    auto* p = static_cast<T*>(fftw_malloc(sizeof(T) * count));
    if (!p)
        common::ThrowOutOfMemory();
    return FftwBuffer<T>(p);
}

// One in-place real-to-complex n x n plan: the ROI's rows are padded to 2 (n / 2 + 1) doubles,
// and the half-plane transform takes their place. One buffer instead of two keeps a ROI's whole
// working set in a core's L2 cache. FFTW_ESTIMATE picks the algorithm from the size alone, so the
// same n always runs the same arithmetic: results do not depend on timing.
class RealPlan {
public:
    explicit RealPlan(int n)
    {
        auto buffer = Allocate<double>(PaddedSize(n));
        const std::lock_guard lock(common::FftwPlannerLock());
        plan_ = fftw_plan_dft_r2c_2d(n, n, buffer.get(), reinterpret_cast<fftw_complex*>(buffer.get()), FFTW_ESTIMATE);
        if (!plan_)
            common::ThrowOutOfMemory();
    }
    ~RealPlan()
    {
        const std::lock_guard lock(common::FftwPlannerLock());
        fftw_destroy_plan(plan_);
    }
    RealPlan(const RealPlan&) = delete;
    RealPlan& operator=(const RealPlan&) = delete;
    static std::size_t RowStride(int n) { return 2 * (static_cast<std::size_t>(n) / 2 + 1); }
    static std::size_t PaddedSize(int n) { return static_cast<std::size_t>(n) * RowStride(n); }
    // Buffers from fftw_malloc have the alignment the plan was made with.
    void Run(double* buffer) const { fftw_execute_dft_r2c(plan_, buffer, reinterpret_cast<fftw_complex*>(buffer)); }

private:
    fftw_plan plan_ = nullptr;
};

// ROIs are summed in blocks of this many consecutive ROIs, and the blocks' sums into the ensemble
// in block order. The order of every addition is thus fixed by the ROI list alone, whatever the
// number of threads, while each ROI's power is added as soon as its transform ends. A block may
// span two images: its sum is carried from the one to the next.
constexpr std::size_t kBlockRois = 8;

// Scratch of one block in flight: the ROI and then its transform, and the block's power sum (in
// the bins' sample order).
struct BlockScratch {
    FftwBuffer<double> roi;
    std::vector<double> power;
};

struct RoiFigures {
    double mean = 0.0, meanSquare = 0.0, residualMean = 0.0;
};

void CheckGrid(const NpsRequest& request, std::size_t images)
{
    if (images == 0)
        throw common::InputError(common::TrText("nps", "The NPS needs at least one image."));
    CheckRoiSize(request.grid.size);
    if (request.grid.corners.empty())
        throw common::InputError(common::TrText("nps", "The ROI list is empty."));
}

void CheckImage(const NpsRequest& request, const NpsImage& image)
{
    const PixelView& p = image.pixels;
    if (p.width < 0 || p.height < 0 ||
        p.values.size() < static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height))
        throw std::invalid_argument("ComputeNps: pixel view smaller than its size");
    CheckGridInside(request.grid, p.width, p.height, image.name);
}

double NanIfEmpty(double sum, double count)
{
    return count > 0.0 ? sum / count : std::numeric_limits<double>::quiet_NaN();
}

// The variance of the mean of M correlated values x_i (here one ROI's bin mean) is
// sum over all pairs of cov(x_i, x_j) / M^2. ROIs that share no pixel are taken as independent,
// so only the P ordered pairs that overlap (each ROI with itself included) are summed, each
// covariance estimated by the product of the two deviations from the mean. The mean taken from
// the same values makes that sum's expectation (M^2 - P) / M times the variance of the mean
// instead of M times it, hence the divisor M^2 - P; with no overlap (P = M) this is the usual
// s^2 / M. The sums run over deviations from a shift (the first ROI's value), so that the
// expansion below does not cancel large numbers. Each ROI brings a row of values (the bins of
// one or more curves), each value estimated on its own.
class OverlapVariance {
public:
    OverlapVariance(const RoiOverlaps& overlaps, std::size_t valueCount)
        : overlaps_(overlaps), valueCount_(valueCount), ring_(overlaps.window * valueCount), shift_(valueCount),
          sum_(valueCount, 0.0), squares_(valueCount, 0.0), pairs_(valueCount, 0.0), degreeSum_(valueCount, 0.0)
    {
    }

    // The values of ROI `local` of an image (ROIs in list order, images in turn).
    void Add(std::size_t local, const double* x)
    {
        if (count_ == 0)
            std::copy(x, x + valueCount_, shift_.begin());
        double* y = ring_.data() + (local % overlaps_.window) * valueCount_;
        for (std::size_t b = 0; b < valueCount_; ++b)
            y[b] = x[b] - shift_[b];
        const double degree = static_cast<double>(overlaps_.degree[local]);
        for (std::size_t b = 0; b < valueCount_; ++b) {
            sum_[b] += y[b];
            squares_[b] += y[b] * y[b];
            degreeSum_[b] += degree * y[b];
        }
        for (std::size_t k = overlaps_.start[local]; k < overlaps_.start[local + 1]; ++k) {
            const double* partner = ring_.data() + (overlaps_.earlier[k] % overlaps_.window) * valueCount_;
            for (std::size_t b = 0; b < valueCount_; ++b)
                pairs_[b] += y[b] * partner[b];
        }
        ++count_;
        orderedPairs_ += degree;
    }

    // The standard error of the mean of value b (unscaled); NaN where it cannot be estimated.
    double StandardError(std::size_t b) const
    {
        const double m = static_cast<double>(count_), p = orderedPairs_;
        if (count_ < 2 || !(m * m - p > 0.0))
            return std::numeric_limits<double>::quiet_NaN();
        const double d = sum_[b] / m;
        // sum over overlapping ordered pairs of (y_i - d)(y_j - d) = Q - d D + P d^2, with
        // Q = sum y_i^2 + 2 sum_{i<j} y_i y_j and D = 2 sum_i degree_i y_i.
        const double q = squares_[b] + 2.0 * pairs_[b];
        const double overlapping = (q - 2.0 * d * degreeSum_[b] + p * d * d) / (m * m - p);
        // Overlapping ROIs share pixels, so their values go together: the variance is never
        // below what independent ROIs would give.
        const double independent = std::max(0.0, squares_[b] - m * d * d) / (m * (m - 1.0));
        return std::sqrt(std::max(overlapping, independent));
    }

private:
    const RoiOverlaps& overlaps_;
    std::size_t valueCount_;    // per ROI
    std::vector<double> ring_;  // the last `window` ROIs' deviations, by local index
    std::vector<double> shift_, sum_, squares_, pairs_, degreeSum_;
    std::size_t count_ = 0;
    double orderedPairs_ = 0.0;
};

// A ROI's row of values for the spread: the bin means of the radial curve, then of the u-axis and
// of the v-axis curve.
constexpr std::size_t kCurves = 3;

// Per bin, the standard errors (unscaled) of the curves' means.
struct CurveErrors {
    std::vector<double> radial, uAxis, vAxis;
};

// What the ensemble leaves for the result.
struct EnsembleSums {
    std::vector<double> power;  // in the bins' sample order: block sums added in block order
    double meanSum = 0.0, meanSquareSum = 0.0, roiVarianceSum = 0.0;  // over ROIs, in ROI order
    std::size_t rois = 0;
};

// The ROIs of every image, a block per thread at a time, summed in a fixed order.
class Ensemble {
public:
    Ensemble(const NpsRequest& request, Pool& pool, const FrequencyBins& bins, const RoiOverlaps& overlaps,
             std::size_t images)
        : request_(request), pool_(pool), bins_(bins), n_(request.grid.size),
          pixels_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_)),
          roisPerImage_(request.grid.corners.size()), total_(roisPerImage_ * images), plan_(n_),
          spread_(overlaps, kCurves * bins.BinCount())
    {
        const std::size_t blocks = (total_ + kBlockRois - 1) / kBlockRois;
        scratch_.resize(std::min(static_cast<std::size_t>(pool.Size()), blocks));
        for (BlockScratch& s : scratch_) {
            s.roi = Allocate<double>(RealPlan::PaddedSize(n_));
            s.power.assign(bins.HalfSize(), 0.0);
        }
        roiBins_.assign(scratch_.size() * kBlockRois * kCurves * bins.BinCount(), 0.0);
        figures_.resize(scratch_.size() * kBlockRois);
        sums_.power.assign(bins.HalfSize(), 0.0);
    }

    // The ROIs of image `index`, in rounds of a block per scratch.
    void AddImage(const NpsImage& image, std::size_t index, const NpsMonitor& monitor)
    {
        image_ = &image.pixels;
        // A whole-area trend is fitted once, before the ROIs are cut out.
        if (request_.scope == DetrendScope::WholeArea) {
            const Area& a = request_.grid.area;
            areaFit_ = FitSurface(image.pixels, a.x, a.y, a.width, a.height, request_.detrend, &pool_);
        }
        const std::size_t first = index * roisPerImage_, end = first + roisPerImage_;
        for (std::size_t start = first; start < end;) {
            if (monitor.cancel && monitor.cancel->load())
                throw NpsCancelled();
            const std::size_t firstBlock = start / kBlockRois;
            const std::size_t blocks =
                std::min(scratch_.size(), (end + kBlockRois - 1) / kBlockRois - firstBlock);
            const std::size_t roundEnd = std::min(end, (firstBlock + blocks) * kBlockRois);
            ParallelFor(pool_, blocks, [&](std::size_t b) {
                const std::size_t block = firstBlock + b;
                RunBlock(b, block * kBlockRois, std::max(start, block * kBlockRois),
                         std::min(roundEnd, (block + 1) * kBlockRois), start, first);
            });
            AddRound(start, roundEnd, firstBlock, blocks, first);
            start = roundEnd;
            if (monitor.progress)
                monitor.progress(start, total_);
        }
        image_ = nullptr;
    }

    EnsembleSums Finish(CurveErrors& errors)
    {
        const std::size_t binCount = bins_.BinCount();
        errors.radial.resize(binCount);
        errors.uAxis.resize(binCount);
        errors.vAxis.resize(binCount);
        for (std::size_t b = 0; b < binCount; ++b) {
            errors.radial[b] = spread_.StandardError(b);
            errors.uAxis[b] = spread_.StandardError(binCount + b);
            errors.vAxis[b] = spread_.StandardError(2 * binCount + b);
        }
        return std::move(sums_);
    }

private:
    // ROIs from .. end - 1 of the block that starts at ROI blockFirst, one after the other, into
    // scratch b; the round started at ROI roundStart, the image at ROI imageFirst.
    void RunBlock(std::size_t b, std::size_t blockFirst, std::size_t from, std::size_t end, std::size_t roundStart,
                  std::size_t imageFirst)
    {
        BlockScratch& work = scratch_[b];
        for (std::size_t item = from; item < end; ++item) {
            const std::size_t local = item - imageFirst;
            figures_[item - roundStart] = TransformRoi(work.roi.get(), local);
            if (item + 1 < end)
                PrefetchFirstRows(local + 1);
            const std::size_t binCount = bins_.BinCount();
            double* row = roiBins_.data() + (item - roundStart) * kCurves * binCount;
            const std::span<double> mine(row, binCount), u(row + binCount, binCount), v(row + 2 * binCount, binCount);
            bins_.AddPowerInSampleOrder(work.roi.get(), work.power, item == blockFirst, mine);
            bins_.AxisPowerSums(work.roi.get(), u, v);
            for (std::size_t k = 0; k < binCount; ++k) {
                mine[k] = NanIfEmpty(mine[k], bins_.RadialCounts()[k]);
                u[k] = NanIfEmpty(u[k], bins_.AxisCounts(true)[k]);
                v[k] = NanIfEmpty(v[k], bins_.AxisCounts(false)[k]);
            }
        }
    }

    // The detrended ROI `local` of the image into `roi` (padded rows), then transformed there.
    RoiFigures TransformRoi(double* roi, std::size_t local)
    {
        const RoiCorner& c = request_.grid.corners[local];
        // The per-ROI fit reads the block first; the subtraction then finds it in the cache.
        const Surface fit = request_.scope == DetrendScope::WholeArea
                                ? areaFit_
                                : FitSurface(*image_, c.x, c.y, n_, n_, request_.detrend);
        const BlockSums sums = SubtractSurface(*image_, c.x, c.y, n_, fit,
                                               std::span<double>(roi, RealPlan::PaddedSize(n_)), RealPlan::RowStride(n_));
        plan_.Run(roi);
        const double count = static_cast<double>(pixels_);
        return {sums.values / count, sums.residualSquares / count, sums.residuals / count};
    }

    // The fit asks for the rows ahead of the one it reads; the first rows of the next ROI are
    // asked for here, while this ROI's power is summed.
    void PrefetchFirstRows(std::size_t local) const
    {
        const RoiCorner& c = request_.grid.corners[local];
        for (long long y = 0; y < std::min<long long>(n_, kPrefetchRows); ++y)
            for (long long x = 0; x < n_; x += 8)
                __builtin_prefetch(image_->values.data() + (c.y + y) * image_->width + c.x + x, 0, 3);
    }

    // The round's finished blocks into the ensemble in block order, split into runs of elements,
    // each element summed alone; a block the image ends inside is carried to the next image in
    // scratch 0. Then the single-ROI figures and bin means, in ROI order.
    void AddRound(std::size_t start, std::size_t roundEnd, std::size_t firstBlock, std::size_t blocks,
                  std::size_t imageFirst)
    {
        std::size_t finished = blocks;
        const std::size_t lastEnd = std::min(total_, (firstBlock + blocks) * kBlockRois);
        if (lastEnd > roundEnd)
            --finished;  // the last block goes on in the next image
        constexpr std::size_t kRun = 4096;
        const std::size_t size = sums_.power.size();
        ParallelFor(pool_, (size + kRun - 1) / kRun, [&](std::size_t run) {
            const std::size_t end = std::min(size, (run + 1) * kRun);
            for (std::size_t b = 0; b < finished; ++b)
                for (std::size_t k = run * kRun; k < end; ++k)
                    sums_.power[k] += scratch_[b].power[k];
        });
        if (finished < blocks)
            std::swap(scratch_[0], scratch_[blocks - 1]);
        const std::size_t binCount = bins_.BinCount();
        for (std::size_t item = start; item < roundEnd; ++item) {
            const RoiFigures& f = figures_[item - start];
            sums_.meanSum += f.mean;
            sums_.meanSquareSum += f.meanSquare;
            sums_.roiVarianceSum += f.meanSquare - f.residualMean * f.residualMean;
            ++sums_.rois;
            spread_.Add(item - imageFirst, roiBins_.data() + (item - start) * kCurves * binCount);
        }
    }

    const NpsRequest& request_;
    Pool& pool_;
    const FrequencyBins& bins_;
    const int n_;
    const std::size_t pixels_, roisPerImage_, total_;
    const RealPlan plan_;
    const PixelView* image_ = nullptr;
    Surface areaFit_;
    std::vector<BlockScratch> scratch_;
    std::vector<double> roiBins_;     // per ROI of the round, in ROI order: its curves' bin means
    std::vector<RoiFigures> figures_;  // per ROI of the round
    OverlapVariance spread_;
    EnsembleSums sums_;
};

// The centred full plane from the half plane and conjugate symmetry.
std::vector<double> CentredPlane(const std::vector<double>& half, const FrequencyBins& bins)
{
    const int n = bins.N(), hw = bins.HalfWidth();
    std::vector<double> plane(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int ky = ((r - n / 2) % n + n) % n, kx = ((c - n / 2) % n + n) % n;
            const std::size_t k = kx < hw ? static_cast<std::size_t>(ky) * hw + kx
                                          : static_cast<std::size_t>((n - ky) % n) * hw + (n - kx);
            plane[static_cast<std::size_t>(r) * n + c] = half[k];
        }
    return plane;
}

// The curves from the ensemble NPS (half plane, scaled) and the standard errors (unscaled).
std::vector<NpsCurvePoint> Curves(const std::vector<double>& nps, const CurveErrors& errors, const FrequencyBins& bins,
                                  double scale, double meanSignal)
{
    const std::size_t binCount = bins.BinCount();
    std::vector<double> radial(binCount, 0.0);
    bins.AddRadial(nps, radial);
    const std::vector<double> uAxis = bins.AxisMeans(nps, true), vAxis = bins.AxisMeans(nps, false);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double meanSquared = meanSignal * meanSignal;
    std::vector<NpsCurvePoint> curve;
    for (std::size_t b = 0; b < binCount; ++b) {
        NpsCurvePoint p;
        p.frequency = bins.Frequency(b);
        p.count = static_cast<long long>(bins.RadialCounts()[b]);
        p.nps = NanIfEmpty(radial[b], bins.RadialCounts()[b]);
        p.standardError = p.count > 0 ? scale * errors.radial[b] : nan;
        p.nnps = meanSquared != 0.0 ? p.nps / meanSquared : nan;
        p.uAxis = uAxis[b];
        p.vAxis = vAxis[b];
        p.uAxisStandardError = bins.AxisCounts(true)[b] > 0.0 ? scale * errors.uAxis[b] : nan;
        p.vAxisStandardError = bins.AxisCounts(false)[b] > 0.0 ? scale * errors.vAxis[b] : nan;
        curve.push_back(p);
    }
    return curve;
}

// The images of a request, held by the caller.
class ImageList : public NpsImageSource {
public:
    explicit ImageList(const std::vector<NpsImage>& images) : images_(images) {}
    std::size_t Count() const override { return images_.size(); }
    NpsImage Take(std::size_t index) override { return images_.at(index); }

private:
    const std::vector<NpsImage>& images_;
};

} // namespace

RoiOverlaps FindOverlaps(const RoiGrid& grid)
{
    const std::size_t count = grid.corners.size();
    const long long n = grid.size;
    if (count > std::numeric_limits<std::uint32_t>::max())
        throw common::InputError(common::TrText("nps", "Too many ROIs."));
    // ROIs by the n x n cell their corner lies in: an overlapping ROI lies in one of the 3 x 3
    // cells around.
    const auto cellOf = [&](const RoiCorner& c) {
        const auto floorDiv = [n](long long v) { return v >= 0 ? v / n : -((-v + n - 1) / n); };
        return std::pair{floorDiv(c.y), floorDiv(c.x)};
    };
    std::vector<std::pair<std::pair<long long, long long>, std::uint32_t>> cells(count);
    for (std::size_t i = 0; i < count; ++i)
        cells[i] = {cellOf(grid.corners[i]), static_cast<std::uint32_t>(i)};
    std::sort(cells.begin(), cells.end());
    RoiOverlaps o;
    o.start.assign(count + 1, 0);
    o.degree.assign(count, 1);
    std::vector<std::uint32_t> partners;
    for (std::size_t i = 0; i < count; ++i) {
        const RoiCorner& a = grid.corners[i];
        const auto [cy, cx] = cellOf(a);
        partners.clear();
        for (long long y = cy - 1; y <= cy + 1; ++y) {
            auto it = std::lower_bound(cells.begin(), cells.end(), std::pair{std::pair{y, cx - 1}, std::uint32_t{0}});
            for (; it != cells.end() && it->first.first == y && it->first.second <= cx + 1; ++it) {
                const std::uint32_t j = it->second;
                const RoiCorner& b = grid.corners[j];
                if (j != i && std::llabs(a.x - b.x) < n && std::llabs(a.y - b.y) < n) {
                    ++o.degree[i];
                    if (j < i)
                        partners.push_back(j);
                }
            }
        }
        std::sort(partners.begin(), partners.end());
        for (const std::uint32_t j : partners)
            o.window = std::max(o.window, i - j + 1);
        o.earlier.insert(o.earlier.end(), partners.begin(), partners.end());
        o.start[i + 1] = o.earlier.size();
    }
    return o;
}

NpsResult ComputeNps(const NpsRequest& request, Pool& pool, const NpsMonitor& monitor)
{
    ImageList images(request.images);
    return ComputeNps(request, images, pool, monitor);
}

NpsResult ComputeNps(const NpsRequest& request, NpsImageSource& source, Pool& pool, const NpsMonitor& monitor)
{
    const std::size_t imageCount = source.Count();
    CheckGrid(request, imageCount);
    const int n = request.grid.size;
    const FrequencyBins bins(n, request.pixelMm, request.binWidth, request.axisLines, request.axisPlacement);
    const RoiOverlaps overlaps = FindOverlaps(request.grid);
    Ensemble ensemble(request, pool, bins, overlaps, imageCount);
    for (std::size_t i = 0; i < imageCount; ++i) {
        if (monitor.cancel && monitor.cancel->load())
            throw NpsCancelled();
        const NpsImage image = source.Take(i);
        CheckImage(request, image);
        ensemble.AddImage(image, i, monitor);
    }
    CurveErrors errors;
    const EnsembleSums sums = ensemble.Finish(errors);

    NpsResult result;
    result.n = n;
    result.pixelMm = request.pixelMm;
    result.detrend = request.detrend;
    result.scope = request.scope;
    result.binWidth = request.binWidth;
    result.axisLines = request.axisLines;
    result.axisPlacement = request.axisPlacement;
    result.imageCount = imageCount;
    result.roiCount = sums.rois;
    const double m = static_cast<double>(sums.rois);
    const double scale = request.pixelMm * request.pixelMm / (static_cast<double>(n) * static_cast<double>(n));
    std::vector<double> nps = bins.FromSampleOrder(sums.power);
    for (double& v : nps)
        v = scale * (v / m);
    result.meanSignal = sums.meanSum / m;
    result.meanSquare = sums.meanSquareSum / m;
    result.roiVariance = sums.roiVarianceSum / m;
    const double df = 1.0 / (static_cast<double>(n) * request.pixelMm);
    result.integral = bins.WeightedTotal(nps) * df * df;
    result.parsevalRelativeError = result.meanSquare == 0.0
                                       ? std::abs(result.integral)
                                       : std::abs(result.integral - result.meanSquare) / result.meanSquare;
    result.nps2d = CentredPlane(nps, bins);
    result.curve = Curves(nps, errors, bins, scale, result.meanSignal);
    if (const std::size_t empty = bins.EmptyRadialBins())
        result.notes.push_back(common::TrText("nps", "The bin width %1 /mm is narrower than the frequency step %2 /mm "
                                                     "of a %3-pixel ROI: %4 bin(s) above zero hold no sample and are "
                                                     "left empty.")
                                   .Arg(common::SignificantText(request.binWidth, 4))
                                   .Arg(common::SignificantText(df, 4))
                                   .Arg(n)
                                   .Arg(empty));
    return result;
}

} // namespace nps
