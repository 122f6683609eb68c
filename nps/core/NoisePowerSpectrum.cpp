#include "NoisePowerSpectrum.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <memory>
#include <mutex>

#include "Errors.h"
#include "RadialAverage.h"

namespace nps {

namespace {

// FFTW's planner is not thread-safe (its execute functions are); plans are made under this lock.
std::mutex& PlannerLock()
{
    static std::mutex lock;
    return lock;
}

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
        const std::lock_guard lock(PlannerLock());
        plan_ = fftw_plan_dft_r2c_2d(n, n, buffer.get(), reinterpret_cast<fftw_complex*>(buffer.get()), FFTW_ESTIMATE);
        if (!plan_)
            common::ThrowOutOfMemory();
    }
    ~RealPlan()
    {
        const std::lock_guard lock(PlannerLock());
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
// number of threads, while each ROI's power is added as soon as its transform ends.
constexpr std::size_t kBlockRois = 8;

// Scratch of one block in flight: the ROI and then its transform, and the block's power sum (in
// the bins' sample order).
struct BlockScratch {
    FftwBuffer<double> roi;
    std::vector<double> power;
};

struct RoiFigures {
    double mean = 0.0, meanSquare = 0.0;
};

void CheckRequest(const NpsRequest& request)
{
    if (request.images.empty())
        throw common::InputError("The NPS needs at least one image.");
    CheckRoiSize(request.grid.size);
    if (request.grid.corners.empty())
        throw common::InputError("The ROI list is empty.");
    for (const NpsImage& image : request.images) {
        const PixelView& p = image.pixels;
        if (p.width < 0 || p.height < 0 ||
            p.values.size() < static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height))
            throw std::invalid_argument("ComputeNps: pixel view smaller than its size");
        CheckGridInside(request.grid, p.width, p.height, image.name);
    }
}

double NanIfEmpty(double sum, double count)
{
    return count > 0.0 ? sum / count : std::numeric_limits<double>::quiet_NaN();
}

// What the ensemble leaves for the result.
struct EnsembleSums {
    std::vector<double> power;                 // in the bins' sample order: block sums added in block order
    std::vector<RoiFigures> figures;           // per ROI
    std::vector<double> binMean, binSpread;    // of the single-ROI bin means (Welford, ROI order)
};

// The ROIs of every image, a block per thread at a time, summed in a fixed order.
class Ensemble {
public:
    Ensemble(const NpsRequest& request, Pool& pool, const FrequencyBins& bins)
        : request_(request), pool_(pool), bins_(bins), n_(request.grid.size),
          pixels_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_)),
          roisPerImage_(request.grid.corners.size()), total_(roisPerImage_ * request.images.size()), plan_(n_)
    {
        const std::size_t blocks = (total_ + kBlockRois - 1) / kBlockRois;
        scratch_.resize(std::min(static_cast<std::size_t>(pool.Size()), blocks));
        for (BlockScratch& s : scratch_) {
            s.roi = Allocate<double>(RealPlan::PaddedSize(n_));
            s.power.assign(bins.HalfSize(), 0.0);
        }
        roiBins_.assign(scratch_.size() * kBlockRois * bins.BinCount(), 0.0);
        sums_.power.assign(bins.HalfSize(), 0.0);
        sums_.figures.resize(total_);
        sums_.binMean.assign(bins.BinCount(), 0.0);
        sums_.binSpread.assign(bins.BinCount(), 0.0);
    }

    EnsembleSums Run(const NpsMonitor& monitor)
    {
        // One surface per image for a whole-area fit, fitted before the ROIs are cut out.
        areaFits_.resize(request_.scope == DetrendScope::WholeArea ? request_.images.size() : 0);
        ParallelFor(pool_, areaFits_.size(), [&](std::size_t i) {
            const Area& a = request_.grid.area;
            areaFits_[i] = FitSurface(request_.images[i].pixels, a.x, a.y, a.width, a.height, request_.detrend);
        });
        const std::size_t roundRois = scratch_.size() * kBlockRois;
        for (std::size_t start = 0; start < total_; start += roundRois) {
            if (monitor.cancel && monitor.cancel->load())
                throw NpsCancelled();
            const std::size_t rois = std::min(roundRois, total_ - start);
            const std::size_t blocks = (rois + kBlockRois - 1) / kBlockRois;
            ParallelFor(pool_, blocks, [&](std::size_t b) {
                const std::size_t first = start + b * kBlockRois;
                RunBlock(b, first, std::min(first + kBlockRois, start + rois));
            });
            AddRound(start, rois, blocks);
            if (monitor.progress)
                monitor.progress(start + rois, total_);
        }
        return std::move(sums_);
    }

private:
    // ROIs first .. end - 1, one after the other, into scratch b.
    void RunBlock(std::size_t b, std::size_t first, std::size_t end)
    {
        BlockScratch& work = scratch_[b];
        for (std::size_t item = first; item < end; ++item) {
            TransformRoi(work.roi.get(), item);
            if (item + 1 < end)
                PrefetchFirstRows(item + 1);
            const std::size_t binCount = bins_.BinCount();
            const std::span<double> mine(roiBins_.data() + (b * kBlockRois + item - first) * binCount, binCount);
            bins_.AddPowerInSampleOrder(work.roi.get(), work.power, item == first, mine);
            for (std::size_t k = 0; k < binCount; ++k)
                mine[k] = NanIfEmpty(mine[k], bins_.RadialCounts()[k]);
        }
    }

    // The detrended ROI `item` into `roi` (padded rows), its figures noted, then transformed there.
    void TransformRoi(double* roi, std::size_t item)
    {
        const PixelView& image = request_.images[item / roisPerImage_].pixels;
        const RoiCorner& c = request_.grid.corners[item % roisPerImage_];
        // The per-ROI fit reads the block first; the subtraction then finds it in the cache.
        const Surface fit = request_.scope == DetrendScope::WholeArea
                                ? areaFits_[item / roisPerImage_]
                                : FitSurface(image, c.x, c.y, n_, n_, request_.detrend);
        const BlockSums sums = SubtractSurface(image, c.x, c.y, n_, fit,
                                               std::span<double>(roi, RealPlan::PaddedSize(n_)), RealPlan::RowStride(n_));
        sums_.figures[item] = {sums.values / static_cast<double>(pixels_),
                               sums.residualSquares / static_cast<double>(pixels_)};
        plan_.Run(roi);
    }

    // The fit asks for the rows ahead of the one it reads; the first rows of the next ROI are
    // asked for here, while this ROI's power is summed.
    void PrefetchFirstRows(std::size_t item) const
    {
        const PixelView& image = request_.images[item / roisPerImage_].pixels;
        const RoiCorner& c = request_.grid.corners[item % roisPerImage_];
        for (long long y = 0; y < std::min<long long>(n_, kPrefetchRows); ++y)
            for (long long x = 0; x < n_; x += 8)
                __builtin_prefetch(image.values.data() + (c.y + y) * image.width + c.x + x, 0, 3);
    }

    // The round's block sums into the ensemble in block order, split into runs of elements, each
    // element summed alone. Then the single-ROI bin means into the running spread, in ROI order.
    void AddRound(std::size_t start, std::size_t rois, std::size_t blocks)
    {
        constexpr std::size_t kRun = 4096;
        const std::size_t size = sums_.power.size();
        ParallelFor(pool_, (size + kRun - 1) / kRun, [&](std::size_t run) {
            const std::size_t end = std::min(size, (run + 1) * kRun);
            for (std::size_t b = 0; b < blocks; ++b)
                for (std::size_t k = run * kRun; k < end; ++k)
                    sums_.power[k] += scratch_[b].power[k];
        });
        const std::size_t binCount = bins_.BinCount();
        for (std::size_t r = 0; r < rois; ++r) {
            const double count = static_cast<double>(start + r + 1);
            for (std::size_t b = 0; b < binCount; ++b) {
                const double x = roiBins_[r * binCount + b], before = sums_.binMean[b];
                sums_.binMean[b] += (x - before) / count;
                sums_.binSpread[b] += (x - before) * (x - sums_.binMean[b]);
            }
        }
    }

    const NpsRequest& request_;
    Pool& pool_;
    const FrequencyBins& bins_;
    const int n_;
    const std::size_t pixels_, roisPerImage_, total_;
    const RealPlan plan_;
    std::vector<Surface> areaFits_;
    std::vector<BlockScratch> scratch_;
    std::vector<double> roiBins_;  // per ROI of the round, in ROI order: its bin means
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

// The curves from the ensemble NPS (half plane, scaled) and the single-ROI spread.
std::vector<NpsCurvePoint> Curves(const std::vector<double>& nps, const EnsembleSums& sums, const FrequencyBins& bins,
                                  double scale, double meanSignal)
{
    const std::size_t binCount = bins.BinCount();
    const double m = static_cast<double>(sums.figures.size());
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
        // Standard error of the mean over ROIs of each ROI's bin mean, in the NPS's units.
        p.standardError = m > 1.0 && p.count > 0 ? scale * std::sqrt(sums.binSpread[b] / (m - 1.0) / m) : nan;
        p.nnps = meanSquared != 0.0 ? p.nps / meanSquared : nan;
        p.uAxis = uAxis[b];
        p.vAxis = vAxis[b];
        curve.push_back(p);
    }
    return curve;
}

} // namespace

NpsResult ComputeNps(const NpsRequest& request, Pool& pool, const NpsMonitor& monitor)
{
    CheckRequest(request);
    const int n = request.grid.size;
    const FrequencyBins bins(n, request.pixelMm, request.binWidth, request.axisLines);
    EnsembleSums sums = Ensemble(request, pool, bins).Run(monitor);

    NpsResult result;
    result.n = n;
    result.pixelMm = request.pixelMm;
    result.detrend = request.detrend;
    result.scope = request.scope;
    result.binWidth = request.binWidth;
    result.axisLines = request.axisLines;
    result.imageCount = request.images.size();
    result.roiCount = sums.figures.size();
    const double m = static_cast<double>(sums.figures.size());
    const double scale = request.pixelMm * request.pixelMm / (static_cast<double>(n) * static_cast<double>(n));
    std::vector<double> nps = bins.FromSampleOrder(sums.power);
    for (double& v : nps)
        v = scale * (v / m);
    for (const RoiFigures& f : sums.figures) {
        result.meanSignal += f.mean;
        result.variance += f.meanSquare;
    }
    result.meanSignal /= m;
    result.variance /= m;
    const double df = 1.0 / (static_cast<double>(n) * request.pixelMm);
    result.integral = bins.WeightedTotal(nps) * df * df;
    result.parsevalRelativeError =
        result.variance == 0.0 ? std::abs(result.integral) : std::abs(result.integral - result.variance) / result.variance;
    result.nps2d = CentredPlane(nps, bins);
    result.curve = Curves(nps, sums, bins, scale, result.meanSignal);
    return result;
}

} // namespace nps
