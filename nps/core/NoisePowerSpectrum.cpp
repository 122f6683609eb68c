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

} // namespace

NpsResult ComputeNps(const NpsRequest& request, Pool& pool, const NpsMonitor& monitor)
{
    CheckRequest(request);
    const int n = request.grid.size;
    const FrequencyBins bins(n, request.pixelMm, request.binWidth, request.axisLines);
    const std::size_t pixels = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const std::size_t half = bins.HalfSize(), binCount = bins.BinCount();
    const std::size_t roisPerImage = request.grid.corners.size();
    const std::size_t total = roisPerImage * request.images.size();
    const RealPlan plan(n);

    // One surface per image for a whole-area fit, fitted before the ROIs are cut out.
    std::vector<Surface> areaFits(request.scope == DetrendScope::WholeArea ? request.images.size() : 0);
    ParallelFor(pool, areaFits.size(), [&](std::size_t i) {
        const Area& a = request.grid.area;
        areaFits[i] = FitSurface(request.images[i].pixels, a.x, a.y, a.width, a.height, request.detrend);
    });

    // A few ROIs per thread and batch, so that the threads meet less often; the batch is kept to
    // some 64 MiB of scratch. Its width changes nothing in the result.
    const std::size_t slotBytes = sizeof(double) * (pixels + 3 * half);
    const std::size_t perThread = std::clamp<std::size_t>((std::size_t{64} << 20) / slotBytes, 1, 8);
    const std::size_t slots = std::min(static_cast<std::size_t>(pool.Threads()) * perThread, total);
    std::vector<Slot> slot(slots);
    for (Slot& s : slot) {
        s.roi = Allocate<double>(pixels);
        s.spectrum = Allocate<fftw_complex>(half);
        s.power.assign(half, 0.0);
    }
    std::vector<double> sum(half, 0.0);
    std::vector<RoiFigures> figures(total);
    // Per slot: the ROI's bin means; over all ROIs: their running mean and sum of squared
    // deviations (Welford), updated in ROI order.
    std::vector<double> slotBins(slots * binCount, 0.0);
    std::vector<double> binMean(binCount, 0.0), binSpread(binCount, 0.0);

    for (std::size_t start = 0; start < total; start += slots) {
        if (monitor.cancel && monitor.cancel->load())
            throw NpsCancelled();
        const std::size_t batch = std::min(slots, total - start);
        ParallelFor(pool, batch, [&](std::size_t s) {
            const std::size_t item = start + s;
            const PixelView& image = request.images[item / roisPerImage].pixels;
            const RoiCorner& c = request.grid.corners[item % roisPerImage];
            Slot& work = slot[s];
            const std::span<double> roi(work.roi.get(), pixels);
            // The per-ROI fit reads the block first; the subtraction then finds it in the cache.
            const Surface fit = request.scope == DetrendScope::WholeArea
                                    ? areaFits[item / roisPerImage]
                                    : FitSurface(image, c.x, c.y, n, n, request.detrend);
            const BlockSums sums = SubtractSurface(image, c.x, c.y, n, fit, roi);
            figures[item] = {sums.values / static_cast<double>(pixels),
                             sums.residualSquares / static_cast<double>(pixels)};
            // While this ROI is transformed, the memory system fetches the next one's rows (the
            // next ROI of the list, whichever thread takes it): the fit would wait for them.
            if (item + 1 < total) {
                const PixelView& nextImage = request.images[(item + 1) / roisPerImage].pixels;
                const RoiCorner& next = request.grid.corners[(item + 1) % roisPerImage];
                for (long long y = 0; y < n; ++y) {
                    const double* row = nextImage.values.data() + (next.y + y) * nextImage.width + next.x;
                    for (long long x = 0; x < n; x += 8)
                        __builtin_prefetch(row + x, 0, 1);
                }
            }
            plan.Run(work.roi.get(), work.spectrum.get());
            const std::span<double> mine(slotBins.data() + s * binCount, binCount);
            std::fill(mine.begin(), mine.end(), 0.0);
            bins.AddRadialPower(&work.spectrum[0][0], work.power, mine);
            for (std::size_t b = 0; b < binCount; ++b)
                mine[b] = NanIfEmpty(mine[b], bins.RadialCounts()[b]);
        });
        // The ensemble sum in ROI order; split by whole rows, each element summed alone.
        const std::size_t width = static_cast<std::size_t>(bins.HalfWidth());
        ParallelFor(pool, slots, [&](std::size_t part) {
            for (std::size_t row = part; row < static_cast<std::size_t>(n); row += slots)
                for (std::size_t s = 0; s < batch; ++s)
                    for (std::size_t k = row * width; k < (row + 1) * width; ++k)
                        sum[k] += slot[s].power[k];
        });
        for (std::size_t s = 0; s < batch; ++s) {
            const double count = static_cast<double>(start + s + 1);
            for (std::size_t b = 0; b < binCount; ++b) {
                const double x = slotBins[s * binCount + b], before = binMean[b];
                binMean[b] += (x - before) / count;
                binSpread[b] += (x - before) * (x - binMean[b]);
            }
        }
        if (monitor.progress)
            monitor.progress(start + batch, total);
    }

    NpsResult result;
    result.n = n;
    result.pixelMm = request.pixelMm;
    result.detrend = request.detrend;
    result.scope = request.scope;
    result.binWidth = request.binWidth;
    result.axisLines = request.axisLines;
    result.imageCount = request.images.size();
    result.roiCount = total;
    const double m = static_cast<double>(total);
    const double scale = request.pixelMm * request.pixelMm / static_cast<double>(pixels);
    for (double& v : sum)
        v = scale * (v / m);
    for (const RoiFigures& f : figures) {
        result.meanSignal += f.mean;
        result.variance += f.meanSquare;
    }
    result.meanSignal /= m;
    result.variance /= m;
    const double df = 1.0 / (static_cast<double>(n) * request.pixelMm);
    result.integral = bins.WeightedTotal(sum) * df * df;
    result.parsevalRelativeError =
        result.variance == 0.0 ? std::abs(result.integral) : std::abs(result.integral - result.variance) / result.variance;

    // The centred full plane from the half plane and conjugate symmetry.
    result.nps2d.assign(pixels, 0.0);
    const int hw = bins.HalfWidth();
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            const int ky = ((r - n / 2) % n + n) % n, kx = ((c - n / 2) % n + n) % n;
            const std::size_t k = kx < hw ? static_cast<std::size_t>(ky) * hw + kx
                                          : static_cast<std::size_t>((n - ky) % n) * hw + (n - kx);
            result.nps2d[static_cast<std::size_t>(r) * n + c] = sum[k];
        }

    std::vector<double> radial(binCount, 0.0);
    bins.AddRadial(sum, radial);
    const std::vector<double> uAxis = bins.AxisMeans(sum, true), vAxis = bins.AxisMeans(sum, false);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double meanSquared = result.meanSignal * result.meanSignal;
    for (std::size_t b = 0; b < binCount; ++b) {
        NpsCurvePoint p;
        p.frequency = bins.Frequency(b);
        p.count = static_cast<long long>(bins.RadialCounts()[b]);
        p.nps = NanIfEmpty(radial[b], bins.RadialCounts()[b]);
        // Standard error of the mean over ROIs of each ROI's bin mean, in the NPS's units.
        p.standardError = nan;
        if (total > 1 && p.count > 0)
            p.standardError = scale * std::sqrt(binSpread[b] / (m - 1.0) / m);
        p.nnps = meanSquared != 0.0 ? p.nps / meanSquared : nan;
        p.uAxis = uAxis[b];
        p.vAxis = vAxis[b];
        result.curve.push_back(p);
    }
    return result;
}

} // namespace nps
