// The filter core's fast paths (amplitudes evaluated once per radius pair and mirrored, gain rows
// taken in two runs, whole-number bin tallies) against the rules applied one element at a time in
// the plain order: every byte must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "Errors.h"
#include "FilterPipeline.h"
#include "FilteredHistogram.h"
#include "RadialFilter.h"
#include "TableStatistics.h"

namespace {

using filter::SquareMatrix;

std::unique_ptr<SquareMatrix> Matrix() { return std::make_unique<SquareMatrix>(); }

bool SameBytes(const SquareMatrix& a, const SquareMatrix& b, int n)
{
    for (int x = 0; x < n; ++x)
        if (std::memcmp(a[x], b[x], static_cast<std::size_t>(n) * sizeof(double)) != 0)
            return false;
    return true;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The radial gain element by element, column after column of the offsets d = 0, 1, ... (columns
// h - d and h + d); the first offset whose column meets a failing amplitude stops the filter
// with the columns before it multiplied.
template <typename Amplitude>
void DirectRadial(SquareMatrix& gain, int n, bool steepen, Amplitude amplitude)
{
    const int h = n / 2;
    const int span = std::max(h, n - 1 - h) + 1;
    for (int d = 0; d < span; ++d) {
        std::vector<double> a(static_cast<std::size_t>(n));
        for (int y = 0; y < n; ++y)
            a[static_cast<std::size_t>(y)] = amplitude(static_cast<long long>(d) * d + static_cast<long long>(y - h) * (y - h));
        const std::vector<int> columns = d == 0 ? std::vector<int>{h} : std::vector<int>{h - d, h + d};
        for (int x : columns) {
            if (x < 0 || x >= n)
                continue;
            for (int y = 0; y < n; ++y) {
                const double ay = a[static_cast<std::size_t>(y)];
                gain[x][y] = gain[x][y] * ay;
                if (steepen && ay < 0.7)
                    gain[x][y] = gain[x][y] * ay * ay * ay;
            }
        }
    }
}

TEST(ElementRules, RadialFiltersMatchTheElementRule)
{
    const struct {
        const char* what;
        bool highCut;
        double cutOff;
        int power;
        bool steepen;
        int n;
    } cases[] = {
        {"high-cut", true, 0.25, 5, false, 64},     {"high-cut, steepened", true, 0.1, 3, true, 256},
        {"high-cut, power 0", true, 0.3, 0, true, 8}, {"high-cut, the largest matrix", true, 0.0371, 7, true, 1024},
        {"low-cut", false, 0.2, 5, false, 64},
        {"low-cut, steepened", false, 0.05, 2, true, 256},
        {"low-cut, negative power fails part-way", false, 0.3, -1, false, 64},
    };
    for (const auto& c : cases) {
        auto fast = Matrix(), direct = Matrix();
        filter::ResetGain(*fast, c.n);
        filter::ResetGain(*direct, c.n);
        double fastMax = -1;
        bool fastFailed = false, directFailed = false;
        const long long exponent = 2LL * c.power;
        try {
            if (c.highCut)
                filter::HighCutFilter(*fast, c.n, static_cast<float>(c.cutOff), c.power, c.steepen, fastMax);
            else
                filter::LowCutFilter(*fast, c.n, c.cutOff, c.power, c.steepen, fastMax);
        } catch (const common::FloatError&) {
            fastFailed = true;
        }
        const int n = c.n;
        const float hc = static_cast<float>(c.cutOff);
        try {
            if (c.highCut)
                DirectRadial(*direct, n, c.steepen, [&](long long r2) {
                    const float r = static_cast<float>(std::sqrt(static_cast<double>(r2)));
                    const float t = static_cast<float>(static_cast<double>(r) / n / static_cast<double>(hc));
                    const float g = static_cast<float>(1.0 / (filter::IntPower(t, exponent) + 1.0));
                    return static_cast<double>(std::sqrt(g));
                });
            else
                DirectRadial(*direct, n, c.steepen, [&](long long r2) {
                    const double r = std::sqrt(static_cast<double>(r2));
                    const double d = std::max((1.0 - r / n / c.cutOff) + 1.0, 0.0);
                    return std::sqrt(1.0 / (filter::IntPower(d, exponent) + 1.0));
                });
        } catch (const common::FloatError&) {
            directFailed = true;
        }
        EXPECT_EQ(fastFailed, directFailed) << c.what;
        EXPECT_TRUE(SameBytes(*fast, *direct, n)) << c.what;
        if (!fastFailed) {
            double m = (*direct)[0][0];
            float single = static_cast<float>((*direct)[0][0]);
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    if ((*direct)[x][y] > m)
                        m = (*direct)[x][y];
                    if ((*direct)[x][y] > single)
                        single = static_cast<float>((*direct)[x][y]);
                }
            EXPECT_TRUE(SameBits(fastMax, c.highCut ? static_cast<double>(single) : m)) << c.what;
        }
    }
}

// The first filter of a run takes the gain as ResetGain leaves it, without reading it: the gain,
// its maximum and the refusal must be those of ResetGain followed by the filter.
TEST(ElementRules, FirstFilterResetsTheGainInItsOwnPass)
{
    const struct {
        const char* what;
        bool low, high;
        double lowCut;
        float highCut;
        int power;
        bool steepen;
    } cases[] = {
        {"high-cut", false, true, 0, 0.25f, 5, true},
        {"low-cut", true, false, 0.2, 0, 4, false},
        {"band-pass", true, true, 0.1, 0.3f, 3, true},
        {"low-cut with a cut-off of 0 skips", true, false, 0.0, 0, 5, false},
        {"band-pass whose low-cut skips", true, true, -0.1, 0.3f, 2, false},
        {"high-cut with a cut-off of 0 refuses", false, true, 0, 0.0f, 5, false},
        {"low-cut with a negative power fails part-way", true, false, 0.3, 0, -1, false},
        {"high-cut with a negative power fails at the centre", false, true, 0, 0.25f, -2, false},
    };
    const int n = 64;
    for (const auto& c : cases) {
        const auto run = [&](bool ones, SquareMatrix& gain, double& filterMax) {
            for (int x = 0; x < spectrum::kMatrixSide; ++x)
                std::fill(gain[x], gain[x] + spectrum::kMatrixSide, 7.5);  // what an earlier run left
            filter::GainStart start = ones ? filter::GainStart::Ones : filter::GainStart::Held;
            if (!ones)
                filter::ResetGain(gain, n);
            try {
                if (c.low)
                    filter::LowCutFilter(gain, n, c.lowCut, c.power, c.steepen, filterMax, common::OneThread(), start);
                if (c.high)
                    filter::HighCutFilter(gain, n, c.highCut, c.power, c.steepen, filterMax, common::OneThread(), start);
            } catch (const common::FloatError&) {
                if (start == filter::GainStart::Ones)
                    filter::ResetGain(gain, n);
                return true;
            }
            if (start == filter::GainStart::Ones)
                filter::ResetGain(gain, n);
            return false;
        };
        auto separate = Matrix(), together = Matrix();
        double separateMax = -1, togetherMax = -1;
        const bool separateFailed = run(false, *separate, separateMax);
        const bool togetherFailed = run(true, *together, togetherMax);
        EXPECT_EQ(separateFailed, togetherFailed) << c.what;
        EXPECT_TRUE(SameBytes(*separate, *together, spectrum::kMatrixSide)) << c.what;
        EXPECT_TRUE(SameBits(separateMax, togetherMax)) << c.what;
    }
}

TEST(ElementRules, FilteredSpectrumPowerMaximumAndPlacedImage)
{
    const double zero = 0.0, negativeZero = -0.0, nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        int n;
        double first;  // the map's [0][0]
        double planted;  // put at several places of the map, a tie for the largest
        bool zeroMap;
        double placedTiny = 0;  // put among the values placed: x / n subnormal, or nearly
    } cases[] = {
        {"ties of the largest power", 16, 1.0, 1e9, false},
        {"the first element largest", 8, 1e12, 5.0, false},
        {"signed zeros only", 8, negativeZero, zero, true},
        {"a NaN first", 8, nan, 3.0, false},
        {"larger, with a NaN among the values", 64, 2.0, nan, false},
        {"values whose division by n is subnormal", 16, 1.0, 2.0, false, 2.5e-307},
        {"the smallest subnormal among the values", 64, 1.0, 2.0, false, 5e-324},
    };
    for (const auto& c : cases) {
        const int n = c.n, h = n / 2;
        auto re = Matrix(), im = Matrix(), map = Matrix(), gain = Matrix();
        auto fRe = Matrix(), fIm = Matrix(), fPower = Matrix(), image = Matrix();
        std::mt19937 rng(static_cast<unsigned>(n));
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                (*re)[x][y] = static_cast<double>(rng() % 2001) - 1000.5;
                (*im)[x][y] = static_cast<double>(rng() % 301) / 7;
                (*map)[x][y] = c.zeroMap ? 0.0 : static_cast<double>(rng() % 1000);
                (*gain)[x][y] = static_cast<double>(rng() % 97) / 96;
            }
        (*map)[0][0] = c.first;
        (*gain)[0][0] = 1;
        for (int k = 1; k < 4; ++k) {
            (*map)[k * n / 4][k] = c.planted;
            (*gain)[k * n / 4][k] = 1;
        }
        const double powerMax = filter::FilterSpectrum(*re, *im, *map, *gain, n, *fRe, *fIm, *fPower);
        double directMax = (*gain)[0][0] * (*gain)[0][0] * (*map)[0][0];
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const double a = (*gain)[(x + h) % n][(y + h) % n];
                ASSERT_TRUE(SameBits((*fRe)[x][y], (*re)[x][y] * a)) << c.what << " " << x << "," << y;
                ASSERT_TRUE(SameBits((*fIm)[x][y], (*im)[x][y] * a)) << c.what << " " << x << "," << y;
                const double p = (*gain)[x][y] * (*gain)[x][y] * (*map)[x][y];
                ASSERT_TRUE(SameBits((*fPower)[x][y], p)) << c.what << " " << x << "," << y;
                if (p > directMax)
                    directMax = p;
            }
        EXPECT_TRUE(SameBits(powerMax, directMax)) << c.what << ": " << powerMax << " " << directMax;

        if (c.zeroMap)
            (*fRe)[1][2] = nan;  // and a NaN among the values placed
        if (c.placedTiny != 0)
            for (int k = 0; k < n; ++k) {
                (*fRe)[k][(k * 5) % n] = c.placedTiny * (k + 1);
                (*fRe)[k][(k * 3 + 1) % n] = -c.placedTiny * (2 * k + 3);
            }
        const filter::Extremes extremes = filter::PlaceFilteredImage(*fRe, n, *image);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y)
                ASSERT_TRUE(SameBits((*image)[(n - x) % n][(n - y) % n], (*fRe)[x][y] / n / n)) << c.what;
        const filter::Extremes scanned = filter::FindExtremes(*image, n);
        EXPECT_TRUE(SameBits(extremes.max, scanned.max) && SameBits(extremes.min, scanned.min)) << c.what;
    }
}

// Extremes of a line found four elements at a time against the scan in order: NaN never kept, of
// equal values the first, and the two zeros told apart.
TEST(ElementRules, LineExtremesAreThoseOfTheScanInOrder)
{
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const std::vector<std::vector<double>> lines = {
        {},
        {nan},
        {-0.0},
        {nan, nan, nan, nan, nan},
        {-0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0, 0.0, -0.0},
        {0.0, -0.0, 0.0, -0.0, -1.0, 0.0, -0.0},
        {-3.0, -2.0, -1.0, 0.0, -5.0, -0.0, nan, -0.0},
        {-3.0, -2.0, -1.0, -0.0, -5.0, 0.0, nan, 0.0},
        {1.0, 2.0, 0.0, -0.0, 3.0, 1.0, 2.0, 0.0, -0.0, 0.5},
        {nan, -inf, 7.0, inf, nan, -inf, inf, 2.0, 1.0},
        {2.0, 5.0, 5.0, 1.0, 5.0, -7.0, 3.0, -7.0, -7.0, nan, 4.0},
    };
    // Longer lines: several vector steps and a tail, NaN and both zeros in every lane.
    std::vector<std::vector<double>> all = lines;
    for (int length : {16, 37}) {
        std::vector<double> mixed, zeros;
        for (int i = 0; i < length; ++i) {
            mixed.push_back(i % 5 == 0 ? nan : static_cast<double>((i * 7) % length) - 11.0);
            zeros.push_back(i % 3 == 0 ? -0.0 : i % 3 == 1 ? 0.0 : -static_cast<double>(i));
        }
        all.push_back(mixed);
        all.push_back(zeros);
    }
    for (const std::vector<double>& v : all) {
        double max = -inf, min = inf;
        for (double x : v) {
            max = x > max ? x : max;
            min = x < min ? x : min;
        }
        const int n = static_cast<int>(v.size());
        const filter::Extremes e = filter::ExtremesOfLine(v.data(), n);
        EXPECT_TRUE(SameBits(e.max, max) && SameBits(e.min, min)) << n << ": " << e.max << " " << e.min;
        EXPECT_TRUE(SameBits(filter::LargestOfLine(v.data(), n), max)) << n;
    }
}

TEST(ElementRules, HistogramTalliesMatchTheBinRule)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        double min, max;
        int bins;
        bool filterWindow = true;  // the filter window refuses or lumps the degenerate ranges its own way
    } cases[] = {{"32 bins", 0, 320, 32},
                 {"edges of a third", -1, 2, 3},
                 {"97 bins", 100, 3900, 97},
                 {"an empty range", 4, 4, 5, false},
                 {"a range beyond the doubles", -1e308, 1e308, 50, false}};
    for (const auto& c : cases) {
        const int n = 64;
        auto image = Matrix();
        std::vector<double> values;
        std::mt19937 rng(7);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                // Runs of equal values, values on the bin edges, outside the range, and a NaN.
                double v = c.min + (c.max - c.min) * static_cast<double>(rng() % 40) / 37 - (c.max - c.min) / 20;
                const double edge = c.min + (c.max - c.min) * static_cast<double>(y % c.bins) / c.bins;
                if (y % 5 == 0)
                    v = edge;
                if (y % 5 == 1 || y % 5 == 2)  // the doubles next to an edge, where a guess errs
                    v = std::nextafter(edge, y % 5 == 1 ? -1e308 : 1e308);
                if (x == 3 && y == 9)
                    v = nan;
                if (x == 4 && y < 2)
                    v = y == 0 ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
                (*image)[x][y] = v;
                values.push_back(v);
            }
        std::array<double, spectrum::kHistogramCounts> direct{};
        for (double v : values) {
            int k = 0;
            while (k < spectrum::kHistogramCounts - 1 && !((c.max - c.min) * k / c.bins >= v - c.min))
                ++k;
            direct[static_cast<std::size_t>(k)] += 1;
        }
        EXPECT_EQ(spectrum::HistogramCounts(values, c.min, c.max, c.bins), direct) << c.what;
        if (!c.filterWindow)
            continue;
        const auto points = filter::FilteredHistogram(*image, n, c.max, c.min, c.bins);
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_EQ(points[i].y, direct[i]) << c.what << ", bin " << i;
    }
}

} // namespace
