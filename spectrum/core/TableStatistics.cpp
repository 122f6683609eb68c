#include "TableStatistics.h"
#include "Cpu.h"

#include <immintrin.h>

#include <cmath>

#include "Errors.h"
#include "Rounding.h"

namespace spectrum {

namespace {

// The first pass: the sum with the extremes riding along (the same comparisons in the same order,
// one pass fewer over the values), and the mean. Without values the division refuses before the
// extremes matter.
TableStatistics SumAndExtremes(std::span<const double> values, int width, int height)
{
    TableStatistics s;
    double sum = 0;
    const double first = values.empty() ? 0.0 : values.front();
    double max = first, min = first;
    for (double v : values) {
        sum += v;
        if (v > max)
            max = v;
        if (v < min)
            min = v;
    }
    s.mean = common::CheckedDivide(common::CheckedDivide(sum, static_cast<double>(width)), static_cast<double>(height));
    s.max = max;
    s.min = min;
    return s;
}

double StandardDeviation(double squares, int width, int height) { return std::sqrt(squares / width / height); }

} // namespace

void SquaredDeviations::Add(std::span<const double> values)
{
    double s = sum;
    for (double v : values)
        s += (v - mean) * (v - mean);
    sum = s;
}

TableStatistics ComputeTableStatistics(std::span<const double> values, int width, int height)
{
    TableStatistics s = SumAndExtremes(values, width, height);
    SquaredDeviations squares{s.mean};
    squares.Add(values);
    s.sd = StandardDeviation(squares.sum, width, height);
    return s;
}

void CheckBinCount(long long bins)
{
    if (bins < 1 || bins > kMaxHistogramBins)
        throw common::InputError(common::TrText("spectrum", "The number of histogram bins must lie between 1 and %1.")
                                     .Arg(kMaxHistogramBins));
}

BinCounter::BinCounter(double min, double max, int bins) : min_(min)
{
    const double range = max - min;
    // The test's left side for every k, formed once: v fits bin k when edge[k] >= v - min.
    for (int k = 0; k < kHistogramCounts; ++k)
        edge_[static_cast<std::size_t>(k)] = range * k / bins;
    // Only for the starting guess: the test itself settles every bin.
    perUnit_ = range > 0 ? bins / range : 0.0;
}

inline int BinCounter::Bin(double value) const
{
    constexpr int last = kHistogramCounts - 1;
    const double d = value - min_;
    // Start from the arithmetic guess, rounded up (usually the answer, so the loops below rarely
    // run), and settle on the smallest k that passes the test itself.
    const double guess = d * perUnit_;
    int k = last;
    if (!(guess > 0))
        k = 0;
    else if (guess < last)
        k = static_cast<int>(guess) + (static_cast<int>(guess) < guess);
    while (k > 0 && edge_[static_cast<std::size_t>(k - 1)] >= d)
        --k;
    while (k < last && !(edge_[static_cast<std::size_t>(k)] >= d))
        ++k;
    return k;
}

// Four values a step: the arithmetic guess of each, and the two edge tests that settle it, in
// vector registers. A value whose guess the tests do not confirm (rare: the guess is off by one
// at an edge, or the value is NaN) takes the scalar search. So every bin is the one Bin gives.
__attribute__((target("avx2"))) void BinCounter::AddAvx2(std::span<const double> values, SquaredDeviations* squares)
{
    const double mean = squares ? squares->mean : 0.0;
    double sum = squares ? squares->sum : 0.0;
    constexpr int last = kHistogramCounts - 1;
    const __m256d min = _mm256_set1_pd(min_), perUnit = _mm256_set1_pd(perUnit_), zero = _mm256_setzero_pd(),
                  lastBin = _mm256_set1_pd(last);
    std::size_t i = 0;
    for (; i + 4 <= values.size(); i += 4) {
        const __m256d d = _mm256_sub_pd(_mm256_loadu_pd(values.data() + i), min);
        // 0 unless the guess is above 0 (NaN included), its ceiling below the last bin, else the last.
        const __m256d k = _mm256_min_pd(_mm256_ceil_pd(_mm256_max_pd(_mm256_mul_pd(d, perUnit), zero)), lastBin);
        const __m128i bin = _mm256_cvttpd_epi32(k);
        const __m128i below = _mm_max_epi32(_mm_sub_epi32(bin, _mm_set1_epi32(1)), _mm_setzero_si128());
        const __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
        const __m256d edgeBelow = _mm256_mask_i32gather_pd(zero, edge_.data(), below, all, 8);
        const __m256d edgeAt = _mm256_mask_i32gather_pd(zero, edge_.data(), bin, all, 8);
        const __m256d lowSettled =
            _mm256_or_pd(_mm256_cmp_pd(k, zero, _CMP_EQ_OQ), _mm256_cmp_pd(edgeBelow, d, _CMP_NGE_UQ));
        const __m256d highSettled =
            _mm256_or_pd(_mm256_cmp_pd(k, lastBin, _CMP_EQ_OQ), _mm256_cmp_pd(edgeAt, d, _CMP_GE_OQ));
        const int settled = _mm256_movemask_pd(_mm256_and_pd(lowSettled, highSettled));
        alignas(16) std::int32_t bins[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(bins), bin);
        for (std::size_t lane = 0; lane < 4; ++lane) {
            const int b = (settled >> lane & 1) ? bins[lane] : Bin(values[i + lane]);
            ++tally_[lane][static_cast<std::size_t>(b)];
        }
        if (squares)
            for (std::size_t lane = 0; lane < 4; ++lane)
                sum += (values[i + lane] - mean) * (values[i + lane] - mean);
    }
    if (squares) {
        squares->sum = sum;
        squares->Add(values.subspan(i));
    }
    for (; i < values.size(); ++i)
        ++tally_[0][static_cast<std::size_t>(Bin(values[i]))];
}

void BinCounter::Add(std::span<const double> values, SquaredDeviations* squares)
{
    if (common::CpuAllows(common::CpuLevel::Avx2)) {
        AddAvx2(values, squares);
        return;
    }
    if (squares)
        squares->Add(values);
    std::size_t i = 0;
    for (; i + 4 <= values.size(); i += 4)
        for (std::size_t lane = 0; lane < 4; ++lane)
            ++tally_[lane][static_cast<std::size_t>(Bin(values[i + lane]))];
    for (; i < values.size(); ++i)
        ++tally_[0][static_cast<std::size_t>(Bin(values[i]))];
}

void BinCounter::AddTo(std::array<double, kHistogramCounts>& counts) const
{
    for (std::size_t k = 0; k < counts.size(); ++k)
        counts[k] += static_cast<double>(tally_[0][k] + tally_[1][k] + tally_[2][k] + tally_[3][k]);
}

namespace {

// Parts of the values counted side by side on the pool's threads. With `squares` the first part
// also sums the squares, of its own values while it counts them and then of the rest, so that
// the sum keeps the order of the values.
std::array<double, kHistogramCounts> CountInParts(std::span<const double> values, double min, double max, int bins,
                                                  common::ThreadPool& pool, SquaredDeviations* squares)
{
    const int parts = pool.Size();
    std::vector<BinCounter> counters(static_cast<std::size_t>(parts), BinCounter(min, max, bins));
    const auto size = static_cast<int>(values.size());
    common::ParallelFor(pool, parts, [&](int part) {
        const int first = common::RunStart(size, parts, part);
        const int end = common::RunStart(size, parts, part + 1);
        const auto run = values.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(end - first));
        counters[static_cast<std::size_t>(part)].Add(run, part == 0 ? squares : nullptr);
        if (part == 0 && squares)
            squares->Add(values.subspan(static_cast<std::size_t>(end)));
    });
    std::array<double, kHistogramCounts> counts{};
    for (const BinCounter& counter : counters)
        counter.AddTo(counts);
    return counts;
}

} // namespace

std::array<double, kHistogramCounts> HistogramCounts(std::span<const double> values, double min, double max,
                                                     int bins, common::ThreadPool& pool)
{
    CheckBinCount(bins);
    return CountInParts(values, min, max, bins, pool, nullptr);
}

StatisticsWithHistogram ComputeTableStatisticsAndHistogram(std::span<const double> values, int width, int height,
                                                           int bins, common::ThreadPool& pool)
{
    StatisticsWithHistogram result;
    TableStatistics& s = result.statistics;
    s = SumAndExtremes(values, width, height);
    CheckBinCount(bins);
    SquaredDeviations squares{s.mean};
    result.counts = CountInParts(values, s.min, s.max, bins, pool, &squares);
    s.sd = StandardDeviation(squares.sum, width, height);
    return result;
}

std::vector<ChartPoint> HistogramPoints(const std::array<double, kHistogramCounts>& counts, double min, double max,
                                        int bins)
{
    CheckBinCount(bins);
    std::vector<ChartPoint> points;
    for (int i = 0; i <= bins + 2; ++i)
        points.push_back({static_cast<double>(common::Trunc(min + (max - min) * i / bins)), counts[i]});
    return points;
}

} // namespace spectrum
