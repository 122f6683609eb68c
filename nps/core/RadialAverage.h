#pragma once
// Binning the spectrum of an n x n ROI by spatial frequency.
//
// The spectrum of a real ROI is stored as its non-redundant half plane: rows ky = 0 .. n - 1,
// columns kx = 0 .. n / 2 (FFTW's real-to-complex layout). Every half-plane sample stands for
// itself and its conjugate partner ((n - ky) mod n, n - kx), which lies at the same |frequency|;
// the weight (1 or 2) counts how many full-plane samples it stands for, so sums and counts over
// the half plane equal those over the full plane.
//
// Bin b holds the frequencies f with round(f / width) = b, i.e. [(b - 1/2) w, (b + 1/2) w), and is
// reported at its centre b w. Bins run up to the last centre at or below the Nyquist frequency
// 1 / (2 dx); the zero-frequency sample is in no bin.
//  - radial: f = sqrt(u^2 + v^2) over the whole plane;
//  - u axis: the k lines v = +-1 .. +-k on each side of the u axis, the axis excluded (it holds the
//    row-to-row structure, not the noise), each sample at its radial frequency sqrt(u^2 + v^2) as
//    IEC 62220-1-1 places them, or at |u| when asked for (AxisPlacement::Along);
//  - v axis: likewise with u and v exchanged.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <string_view>

namespace nps {

// Where a sample of the axis curves' lines is binned: at its radial frequency sqrt(u^2 + v^2)
// (IEC 62220-1-1), or at its distance along the axis, |u| for the u axis (the older practice).
enum class AxisPlacement { Radial, Along };
AxisPlacement ParseAxisPlacement(std::string_view text);  // "radial", "along"
const char* AxisPlacementName(AxisPlacement placement);

class FrequencyBins {
public:
    // Refuses (common::InputError) a spacing or bin width that is not a positive number, bins so
    // wide that fewer than two lie above zero up to the Nyquist frequency, bins so narrow that
    // there would be more than 100000, and axis lines outside 1 .. (n - 1) / 2.
    FrequencyBins(int n, double pixelMm, double binWidth, int axisLines,
                  AxisPlacement placement = AxisPlacement::Radial);

    int N() const { return n_; }
    int HalfWidth() const { return n_ / 2 + 1; }
    std::size_t HalfSize() const { return static_cast<std::size_t>(n_) * static_cast<std::size_t>(HalfWidth()); }
    std::size_t BinCount() const { return binCount_; }
    double BinWidth() const { return binWidth_; }
    double Frequency(std::size_t bin) const { return static_cast<double>(bin) * binWidth_; }
    // Full-plane samples per bin.
    const std::vector<double>& RadialCounts() const { return radialCount_; }
    // Radial bins above zero that hold no sample: bins narrower than the frequency step 1 / (n dx)
    // leave some of them empty.
    std::size_t EmptyRadialBins() const;

    // sum over each bin of weight * half[k], added to `sums` (BinCount() values).
    void AddRadial(std::span<const double> half, std::span<double> sums) const;
    // For the transform of one ROI given as (re, im) pairs over the half plane: adds the power
    // re^2 + im^2 of every sample to `powerSum` (or writes it there when `start`), and writes
    // the ROI's radial bin sums (weighted as above) to `radialSums` (BinCount() values).
    // `powerSum` is kept in the bins' own sample order, where each bin's samples lie together:
    // one pass serves both, and no sum waits on a branch or on the bin before it.
    // FromSampleOrder turns such an array back into the half plane.
    void AddPowerInSampleOrder(const double* pairs, std::span<double> powerSum, bool start,
                               std::span<double> radialSums) const;
    std::vector<double> FromSampleOrder(std::span<const double> inSampleOrder) const;
    // Bin means of the u-axis and v-axis curves (NaN for an empty bin).
    std::vector<double> AxisMeans(std::span<const double> half, bool uAxis) const;
    // Full-plane samples per bin of the u-axis or the v-axis curve.
    const std::vector<double>& AxisCounts(bool uAxis) const { return uAxis ? uCount_ : vCount_; }
    // For the transform of one ROI given as (re, im) pairs over the half plane: the power
    // re^2 + im^2 summed over each bin of the u-axis curve into `uSums` and of the v-axis curve
    // into `vSums` (BinCount() values each, written), weighted and ordered as AxisMeans sums them.
    // Only the axis lines are read, so a ROI costs the lines, not the plane.
    void AxisPowerSums(const double* pairs, std::span<double> uSums, std::span<double> vSums) const;
    // sum over the plane of every sample, each counted as often as in the full plane.
    double WeightedTotal(std::span<const double> half) const;

private:
    double Weight(std::size_t k) const;
    void IndexRadialBins();
    int n_;
    double binWidth_;
    std::size_t binCount_ = 0;
    std::vector<int> radialBin_, uBin_, vBin_;  // per half-plane sample, -1 for none
    std::vector<double> radialCount_, uCount_, vCount_;
    // The samples in a bin of each axis curve, in half-plane order: what AxisPowerSums visits.
    struct AxisSample {
        std::uint32_t index, bin;
        double weight;
    };
    std::vector<AxisSample> uSamples_, vSamples_;
    // Every half-plane sample index, ordered by radial bin: for bin b first those of weight 1
    // (entries segmentStart_[2 b] ..), then those of weight 2 (from segmentStart_[2 b + 1]), then
    // after the last bin the samples of no bin (segmentStart_[2 BinCount()] .. HalfSize() - 1).
    std::vector<std::size_t> segmentStart_;
    std::vector<std::uint32_t> sampleOrder_;
};

} // namespace nps
