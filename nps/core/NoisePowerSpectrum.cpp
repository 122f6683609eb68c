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

// One real-to-complex n x n plan. FFTW_ESTIMATE picks the algorithm from the size alone, so the
// same n always runs the same arithmetic: results do not depend on timing.
class RealPlan {
public:
    explicit RealPlan(int n)
    {
        auto in = Allocate<double>(static_cast<std::size_t>(n) * n);
        auto out = Allocate<fftw_complex>(static_cast<std::size_t>(n) * (n / 2 + 1));
        const std::lock_guard lock(PlannerLock());
        plan_ = fftw_plan_dft_r2c_2d(n, n, in.get(), out.get(), FFTW_ESTIMATE);
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
    // Buffers from fftw_malloc have the alignment the plan was made with.
    void Run(double* in, fftw_complex* out) const { fftw_execute_dft_r2c(plan_, in, out); }

private:
    fftw_plan plan_ = nullptr;
};

// Scratch of one batch slot: the detrended ROI, its transform and its power.
struct Slot {
    FftwBuffer<double> roi;
    FftwBuffer<fftw_complex> spectrum;
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
    std::vector<double> power;                 // half plane, summed in ROI order
    std::vector<RoiFigures> figures;           // per ROI
    std::vector<double> binMean, binSpread;    // of the single-ROI bin means (Welford, ROI order)
};

// The ROIs of every image, transformed batch by batch in parallel and summed in ROI order.
class Ensemble {
public:
    Ensemble(const NpsRequest& request, Pool& pool, const FrequencyBins& bins)
        : request_(request), pool_(pool), bins_(bins), n_(request.grid.size),
          pixels_(static_cast<std::size_t>(n_) * static_cast<std::size_t>(n_)),
          roisPerImage_(request.grid.corners.size()), total_(roisPerImage_ * request.images.size()), plan_(n_)
    {
        // A few ROIs per thread and batch, so that the threads meet less often; the batch is kept
        // to some 64 MiB of scratch. Its width changes nothing in the result.
        const std::size_t half = bins.HalfSize();
        const std::size_t slotBytes = sizeof(double) * (pixels_ + 3 * half);
        const std::size_t perThread = std::clamp<std::size_t>((std::size_t{64} << 20) / slotBytes, 1, 8);
        slots_.resize(std::min(static_cast<std::size_t>(pool.Size()) * perThread, total_));
        for (Slot& s : slots_) {
            s.roi = Allocate<double>(pixels_);
            s.spectrum = Allocate<fftw_complex>(half);
            s.power.assign(half, 0.0);
        }
        slotBins_.assign(slots_.size() * bins.BinCount(), 0.0);
        sums_.power.assign(half, 0.0);
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
        for (std::size_t start = 0; start < total_; start += slots_.size()) {
            if (monitor.cancel && monitor.cancel->load())
                throw NpsCancelled();
            const std::size_t batch = std::min(slots_.size(), total_ - start);
            ParallelFor(pool_, batch, [&](std::size_t s) { TransformRoi(s, start + s); });
            AddBatch(start, batch);
            if (monitor.progress)
                monitor.progress(start + batch, total_);
        }
        return std::move(sums_);
    }

private:
    void TransformRoi(std::size_t s, std::size_t item)
    {
        const PixelView& image = request_.images[item / roisPerImage_].pixels;
        const RoiCorner& c = request_.grid.corners[item % roisPerImage_];
        Slot& work = slots_[s];
        // The per-ROI fit reads the block first; the subtraction then finds it in the cache.
        const Surface fit = request_.scope == DetrendScope::WholeArea
                                ? areaFits_[item / roisPerImage_]
                                : FitSurface(image, c.x, c.y, n_, n_, request_.detrend);
        const BlockSums sums = SubtractSurface(image, c.x, c.y, n_, fit, std::span<double>(work.roi.get(), pixels_));
        sums_.figures[item] = {sums.values / static_cast<double>(pixels_),
                               sums.residualSquares / static_cast<double>(pixels_)};
        if (item + 1 < total_)
            Prefetch(item + 1);
        plan_.Run(work.roi.get(), work.spectrum.get());
        const std::span<double> mine(slotBins_.data() + s * bins_.BinCount(), bins_.BinCount());
        std::fill(mine.begin(), mine.end(), 0.0);
        bins_.AddRadialPower(&work.spectrum[0][0], work.power, mine);
        for (std::size_t b = 0; b < mine.size(); ++b)
            mine[b] = NanIfEmpty(mine[b], bins_.RadialCounts()[b]);
    }

    // Asks for the rows of ROI `item` while the current one is transformed (whichever thread
    // takes it next): the fit would otherwise wait for them.
    void Prefetch(std::size_t item) const
    {
        const PixelView& image = request_.images[item / roisPerImage_].pixels;
        const RoiCorner& c = request_.grid.corners[item % roisPerImage_];
        for (long long y = 0; y < n_; ++y) {
            const double* row = image.values.data() + (c.y + y) * image.width + c.x;
            for (long long x = 0; x < n_; x += 8)
                __builtin_prefetch(row + x, 0, 1);
        }
    }

    // The batch's powers into the ensemble sum, in ROI order; split by whole rows, each element
    // summed alone. Then the single-ROI bin means into the running spread, in ROI order.
    void AddBatch(std::size_t start, std::size_t batch)
    {
        const std::size_t width = static_cast<std::size_t>(bins_.HalfWidth()), parts = slots_.size();
        ParallelFor(pool_, parts, [&](std::size_t part) {
            for (std::size_t row = part; row < static_cast<std::size_t>(n_); row += parts)
                for (std::size_t s = 0; s < batch; ++s)
                    for (std::size_t k = row * width; k < (row + 1) * width; ++k)
                        sums_.power[k] += slots_[s].power[k];
        });
        const std::size_t binCount = bins_.BinCount();
        for (std::size_t s = 0; s < batch; ++s) {
            const double count = static_cast<double>(start + s + 1);
            for (std::size_t b = 0; b < binCount; ++b) {
                const double x = slotBins_[s * binCount + b], before = sums_.binMean[b];
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
    std::vector<Slot> slots_;
    std::vector<double> slotBins_;  // per slot: the ROI's bin means
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
    std::vector<double>& nps = sums.power;
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
