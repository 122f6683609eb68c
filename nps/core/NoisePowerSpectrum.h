#pragma once
// The noise power spectrum of an ensemble of ROIs over one or more images:
//
//   NPS(u, v) = dx dy / (n n) * mean over all ROIs of |DFT(ROI - fit)|^2     [value^2 mm^2]
//
// with u, v in cycles/mm (dx = dy = the pixel spacing), the trend fitted as the request says, and
// the DFT computed by FFTW for any n. The result carries the curves and the checks that go with
// every measurement. The numbers are identical bit for bit for any thread count: each ROI is
// transformed on its own, and the ensemble is summed in an order fixed by the ROI list alone
// (consecutive ROIs in blocks, the blocks one after the other; images in turn, ROIs in list order).
// Images are taken one at a time: the memory a run needs does not grow with their number.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Detrend.h"
#include "NpsParallel.h"
#include "RadialAverage.h"
#include "RoiGrid.h"
#include "Text.h"

namespace nps {

struct NpsImage {
    std::string name;  // for messages and the summary
    PixelView pixels;
};

// Hands the images of a run to the ensemble one after the other.
class NpsImageSource {
public:
    virtual ~NpsImageSource() = default;
    virtual std::size_t Count() const = 0;
    // Image `index`, asked for in the order 0, 1, ...; its pixels stay valid until the next call.
    virtual NpsImage Take(std::size_t index) = 0;
};

struct NpsRequest {
    std::vector<NpsImage> images;  // the images when no source is given
    RoiGrid grid;
    DetrendKind detrend = DetrendKind::Poly2;
    DetrendScope scope = DetrendScope::WholeArea;
    double pixelMm = 0.0;
    double binWidth = 0.05;  // cycles/mm
    int axisLines = 7;       // lines on each side of an axis for the axis curves
    AxisPlacement axisPlacement = AxisPlacement::Radial;
};

// Called on the calling thread after each round of ROIs (a few per thread); `cancel`, when set, is
// polled as often.
struct NpsMonitor {
    std::function<void(std::size_t done, std::size_t total)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// Thrown when the monitor's cancel flag was seen set; no result is made.
class NpsCancelled : public std::runtime_error {
public:
    NpsCancelled() : std::runtime_error("The NPS was cancelled.") {}
};

struct NpsCurvePoint {
    double frequency = 0.0;      // bin centre, cycles/mm
    double nps = 0.0;            // mean of the ensemble NPS over the bin (NaN when empty)
    // Of that mean: the variance of a mean of the single-ROI bin means, with the covariance of
    // every pair of ROIs that share pixels taken from their deviations (see RoiOverlaps); NaN for
    // one ROI, or when every ROI overlaps every other.
    double standardError = 0.0;
    long long count = 0;         // NPS samples in the bin
    double nnps = 0.0;           // nps / meanSignal^2 (NaN when the mean signal is 0)
    double uAxis = 0.0;          // the axis curves in the same bins (NaN when empty)
    double vAxis = 0.0;
    // Of uAxis and vAxis, in their units: found as standardError is, from each ROI's own bin means
    // of that axis curve; NaN for one ROI, when every ROI overlaps every other, or when the bin is
    // empty.
    double uAxisStandardError = 0.0;
    double vAxisStandardError = 0.0;
};

struct NpsResult {
    int n = 0;
    double pixelMm = 0.0;
    DetrendKind detrend = DetrendKind::None;
    DetrendScope scope = DetrendScope::PerRoi;
    double binWidth = 0.0;
    int axisLines = 0;
    AxisPlacement axisPlacement = AxisPlacement::Radial;
    // n x n, row-major, centred: element (r, c) is at v = (r - n/2) / (n dx), u = (c - n/2) / (n dx).
    std::vector<double> nps2d;
    std::vector<NpsCurvePoint> curve;
    std::size_t imageCount = 0, roiCount = 0;  // roiCount counts every ROI of every image
    double meanSignal = 0.0;  // mean of the ROIs before detrending
    // Mean over the ROIs of the mean square of the detrended ROI: what the NPS integrates to. With
    // a trend fitted over the area it holds each ROI's offset from the area's fit as well.
    double meanSquare = 0.0;
    // Mean over the ROIs of each detrended ROI's variance about its own mean.
    double roiVariance = 0.0;
    double integral = 0.0;    // sum of NPS du dv over the plane; equals `meanSquare` (Parseval)
    double parsevalRelativeError = 0.0;  // |integral - meanSquare| / meanSquare (0 when both are 0)
    std::vector<common::Text> notes;     // what the user should know about the settings (empty bins)
};

// Refuses (common::InputError) no images, a ROI or area outside any image, and the bins' refusals.
NpsResult ComputeNps(const NpsRequest& request, Pool& pool, const NpsMonitor& monitor = {});
// The same over the images of `source` (request.images is not read).
NpsResult ComputeNps(const NpsRequest& request, NpsImageSource& source, Pool& pool, const NpsMonitor& monitor = {});

// Which ROIs of a placement share pixels: for ROI i, the earlier ROIs j < i that overlap it (in
// ascending order), and how many ROIs overlap it in all, itself included. ROIs of different images
// never share pixels.
struct RoiOverlaps {
    std::vector<std::size_t> start;        // partners of i: earlier[start[i] .. start[i + 1] - 1]
    std::vector<std::uint32_t> earlier;
    std::vector<std::uint32_t> degree;     // 1 + the number of other ROIs that overlap i
    std::size_t window = 1;                // 1 + the largest i - j over overlapping pairs
};
RoiOverlaps FindOverlaps(const RoiGrid& grid);

} // namespace nps
