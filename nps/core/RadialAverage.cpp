#include "RadialAverage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "Errors.h"

namespace nps {

namespace {

constexpr double kMaxBins = 100000.0;

// Signed index of a transform row or column: k for k <= n / 2, k - n above.
long long Signed(long long k, long long n) { return k <= n / 2 ? k : k - n; }

std::string Number(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
    return std::string(text, end);
}

} // namespace

AxisPlacement ParseAxisPlacement(std::string_view text)
{
    if (text == "radial") return AxisPlacement::Radial;
    if (text == "along") return AxisPlacement::Along;
    throw common::InputError(
        common::TrText("nps", "The axis curves' placement must be radial or along, not '%1'.").Arg(text));
}

const char* AxisPlacementName(AxisPlacement placement)
{
    return placement == AxisPlacement::Radial ? "radial" : "along";
}

FrequencyBins::FrequencyBins(int n, double pixelMm, double binWidth, int axisLines, AxisPlacement placement)
    : n_(n), binWidth_(binWidth)
{
    if (!(pixelMm > 0.0) || !std::isfinite(pixelMm))
        throw common::InputError(common::TrText("nps", "The pixel spacing must be a positive number of millimetres."));
    if (!(binWidth > 0.0) || !std::isfinite(binWidth))
        throw common::InputError(common::TrText("nps", "The bin width must be a positive number of cycles/mm."));
    const double nyquist = 1.0 / (2.0 * pixelMm);
    // A curve of one point above zero says nothing about its shape.
    if (nyquist / binWidth < 2.0)
        throw common::InputError(common::TrText("nps", "The bin width %1 /mm leaves fewer than two bins up to the "
                                                       "Nyquist frequency %2 /mm; give at most %3 /mm.")
                                     .Arg(Number(binWidth))
                                     .Arg(Number(nyquist))
                                     .Arg(Number(nyquist / 2.0)));
    if (nyquist / binWidth > kMaxBins)
        throw common::InputError(
            common::TrText("nps", "The bin width is too small: it would make more than 100000 bins."));
    if (axisLines < 1 || axisLines > (n - 1) / 2)
        throw common::InputError(
            common::TrText("nps", "The axis curves need 1 to %1 lines on each side of the axis for a ROI of %2.")
                .Arg((n - 1) / 2)
                .Arg(n));
    binCount_ = static_cast<std::size_t>(std::floor(nyquist / binWidth)) + 1;
    const double df = 1.0 / (static_cast<double>(n) * pixelMm);
    const auto binOf = [&](double f) {
        const double b = std::nearbyint(f / binWidth);
        return b < static_cast<double>(binCount_) ? static_cast<int>(b) : -1;
    };
    const std::size_t half = HalfSize();
    radialBin_.assign(half, -1);
    uBin_.assign(half, -1);
    vBin_.assign(half, -1);
    radialCount_.assign(binCount_, 0.0);
    uCount_.assign(binCount_, 0.0);
    vCount_.assign(binCount_, 0.0);
    for (int ky = 0; ky < n; ++ky) {
        const long long sy = Signed(ky, n);
        for (int kx = 0; kx < HalfWidth(); ++kx) {
            const std::size_t k = static_cast<std::size_t>(ky) * static_cast<std::size_t>(HalfWidth()) +
                                  static_cast<std::size_t>(kx);
            const double w = Weight(k);
            const double u = static_cast<double>(kx) * df, v = static_cast<double>(std::llabs(sy)) * df;
            const double radius = std::sqrt(u * u + v * v);
            if (kx != 0 || ky != 0) {
                radialBin_[k] = binOf(radius);
                if (radialBin_[k] >= 0)
                    radialCount_[static_cast<std::size_t>(radialBin_[k])] += w;
            }
            const bool radial = placement == AxisPlacement::Radial;
            if (std::llabs(sy) >= 1 && std::llabs(sy) <= axisLines) {
                uBin_[k] = binOf(radial ? radius : u);
                if (uBin_[k] >= 0)
                    uCount_[static_cast<std::size_t>(uBin_[k])] += w;
            }
            if (kx >= 1 && kx <= axisLines) {
                vBin_[k] = binOf(radial ? radius : v);
                if (vBin_[k] >= 0)
                    vCount_[static_cast<std::size_t>(vBin_[k])] += w;
            }
            const auto index = static_cast<std::uint32_t>(k);
            if (uBin_[k] >= 0)
                uSamples_.push_back({index, static_cast<std::uint32_t>(uBin_[k]), w});
            if (vBin_[k] >= 0)
                vSamples_.push_back({index, static_cast<std::uint32_t>(vBin_[k]), w});
        }
    }
    IndexRadialBins();
}

void FrequencyBins::IndexRadialBins()
{
    // A counting sort of the samples by key 2 b (weight 1 in bin b), 2 b + 1 (weight 2 in bin b)
    // and 2 BinCount() (in no bin); the samples of one key stay in ascending order.
    const std::size_t keys = 2 * binCount_ + 1;
    const auto keyOf = [&](std::size_t k) {
        const int b = radialBin_[k];
        return b < 0 ? 2 * binCount_ : 2 * static_cast<std::size_t>(b) + (Weight(k) == 2.0 ? 1 : 0);
    };
    segmentStart_.assign(keys + 1, 0);
    for (std::size_t k = 0; k < radialBin_.size(); ++k)
        ++segmentStart_[keyOf(k) + 1];
    for (std::size_t key = 0; key < keys; ++key)
        segmentStart_[key + 1] += segmentStart_[key];
    sampleOrder_.resize(radialBin_.size());
    std::vector<std::size_t> next(segmentStart_.begin(), segmentStart_.end() - 1);
    for (std::size_t k = 0; k < radialBin_.size(); ++k)
        sampleOrder_[next[keyOf(k)]++] = static_cast<std::uint32_t>(k);
}

std::size_t FrequencyBins::EmptyRadialBins() const
{
    std::size_t empty = 0;
    for (std::size_t b = 1; b < binCount_; ++b)
        empty += radialCount_[b] == 0.0 ? 1 : 0;
    return empty;
}

double FrequencyBins::Weight(std::size_t k) const
{
    const int kx = static_cast<int>(k % static_cast<std::size_t>(HalfWidth()));
    // Column 0 and, for even n, column n / 2 hold their own partners.
    return kx == 0 || (n_ % 2 == 0 && kx == n_ / 2) ? 1.0 : 2.0;
}

void FrequencyBins::AddRadial(std::span<const double> half, std::span<double> sums) const
{
    // Row by row: neighbours along a row mostly share a bin, so their sum is kept in a register
    // and added to the bin when the bin changes.
    const std::size_t width = static_cast<std::size_t>(HalfWidth());
    // Columns 1 .. width - 2 always weigh 2; the first, and the last for even n, weigh 1.
    const std::size_t lastDouble = n_ % 2 == 0 ? width - 1 : width;
    for (std::size_t row = 0; row < static_cast<std::size_t>(n_); ++row) {
        const int* bin = radialBin_.data() + row * width;
        int current = -1;
        double run = 0.0;
        for (std::size_t kx = 0; kx < width; ++kx) {
            if (bin[kx] != current) {
                if (current >= 0)
                    sums[static_cast<std::size_t>(current)] += run;
                current = bin[kx];
                run = 0.0;
            }
            const double w = kx == 0 || kx >= lastDouble ? 1.0 : 2.0;
            run += w * half[row * width + kx];
        }
        if (current >= 0)
            sums[static_cast<std::size_t>(current)] += run;
    }
}

namespace {

// The power of the samples order[from .. to - 1] into powerSum[from .. to - 1] (added, or written
// when Start), and their sum: four interleaved partial sums combined pairwise, a fixed order with
// four independent chains of additions instead of one.
template <bool Start>
double AddSegment(const double* pairs, const std::uint32_t* order, double* powerSum, std::size_t from, std::size_t to)
{
    double lane[4] = {0.0, 0.0, 0.0, 0.0};
    const auto add = [&](std::size_t i, std::size_t l) {
        const double* pair = pairs + 2 * static_cast<std::size_t>(order[i]);
        const double p = pair[0] * pair[0] + pair[1] * pair[1];
        powerSum[i] = Start ? p : powerSum[i] + p;
        lane[l] += p;
    };
    std::size_t i = from;
    for (; i + 4 <= to; i += 4)
        for (std::size_t l = 0; l < 4; ++l)
            add(i + l, l);
    for (std::size_t l = 0; i < to; ++i, ++l)
        add(i, l);
    return (lane[0] + lane[1]) + (lane[2] + lane[3]);
}

template <bool Start>
void AddPowerInOrder(const double* pairs, const std::uint32_t* order, const std::vector<std::size_t>& segmentStart,
                     double* powerSum, std::span<double> radialSums)
{
    const std::size_t binCount = radialSums.size();
    for (std::size_t b = 0; b < binCount; ++b) {
        const std::size_t* s = segmentStart.data() + 2 * b;
        const double single = AddSegment<Start>(pairs, order, powerSum, s[0], s[1]);
        const double twice = AddSegment<Start>(pairs, order, powerSum, s[1], s[2]);
        radialSums[b] = single + 2.0 * twice;
    }
    AddSegment<Start>(pairs, order, powerSum, segmentStart[2 * binCount], segmentStart[2 * binCount + 1]);
}

} // namespace

void FrequencyBins::AddPowerInSampleOrder(const double* pairs, std::span<double> powerSum, bool start,
                                          std::span<double> radialSums) const
{
    if (powerSum.size() != HalfSize() || radialSums.size() != binCount_)
        throw std::invalid_argument("AddPowerInSampleOrder: wrong sizes");
    (start ? AddPowerInOrder<true> : AddPowerInOrder<false>)(pairs, sampleOrder_.data(), segmentStart_,
                                                              powerSum.data(), radialSums);
}

std::vector<double> FrequencyBins::FromSampleOrder(std::span<const double> inSampleOrder) const
{
    if (inSampleOrder.size() != HalfSize())
        throw std::invalid_argument("FromSampleOrder: wrong size");
    std::vector<double> half(HalfSize());
    for (std::size_t i = 0; i < half.size(); ++i)
        half[sampleOrder_[i]] = inSampleOrder[i];
    return half;
}

std::vector<double> FrequencyBins::AxisMeans(std::span<const double> half, bool uAxis) const
{
    const std::vector<int>& bins = uAxis ? uBin_ : vBin_;
    const std::vector<double>& counts = uAxis ? uCount_ : vCount_;
    std::vector<double> sums(binCount_, 0.0);
    for (std::size_t k = 0; k < HalfSize(); ++k)
        if (bins[k] >= 0)
            sums[static_cast<std::size_t>(bins[k])] += Weight(k) * half[k];
    for (std::size_t b = 0; b < binCount_; ++b)
        sums[b] = counts[b] > 0.0 ? sums[b] / counts[b] : std::numeric_limits<double>::quiet_NaN();
    return sums;
}

void FrequencyBins::AxisPowerSums(const double* pairs, std::span<double> uSums, std::span<double> vSums) const
{
    if (uSums.size() != binCount_ || vSums.size() != binCount_)
        throw std::invalid_argument("AxisPowerSums: wrong sizes");
    const auto sum = [pairs](const std::vector<AxisSample>& samples, std::span<double> sums) {
        std::fill(sums.begin(), sums.end(), 0.0);
        for (const AxisSample& s : samples) {
            const double* pair = pairs + 2 * static_cast<std::size_t>(s.index);
            sums[s.bin] += s.weight * (pair[0] * pair[0] + pair[1] * pair[1]);
        }
    };
    sum(uSamples_, uSums);
    sum(vSamples_, vSums);
}

double FrequencyBins::WeightedTotal(std::span<const double> half) const
{
    double total = 0.0;
    for (std::size_t k = 0; k < HalfSize(); ++k)
        total += Weight(k) * half[k];
    return total;
}

} // namespace nps
