#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "Errors.h"
#include "TableStatistics.h"

namespace {

using spectrum::ChartPoint;

TEST(TableStatistics, HandComputedValues)
{
    // 3 x 2: mean 2.5, squares 2.25 + 0.25 + 0.25 + 2.25 + 6.25 + 6.25 = 17.5, SD sqrt(17.5 / 6).
    const double v[] = {1, 2, 3, 4, 5, 0};
    const auto s = spectrum::ComputeTableStatistics(v, 3, 2);
    EXPECT_DOUBLE_EQ(s.mean, 2.5);
    EXPECT_DOUBLE_EQ(s.sd, std::sqrt(17.5 / 6));
    EXPECT_EQ(s.max, 5);
    EXPECT_EQ(s.min, 0);
}

TEST(TableStatistics, OneCellAndEmptyTable)
{
    const double one[] = {-7.25};
    const auto s = spectrum::ComputeTableStatistics(one, 1, 1);
    EXPECT_EQ(s.mean, -7.25);
    EXPECT_EQ(s.sd, 0);
    EXPECT_EQ(s.max, -7.25);
    EXPECT_EQ(s.min, -7.25);
    const auto counts = spectrum::HistogramCounts(one, s.min, s.max, 32);
    EXPECT_EQ(counts[0], 1);
    try {
        spectrum::ComputeTableStatistics({}, 0, 5);
        FAIL();
    } catch (const common::FloatError& e) {
        EXPECT_STREQ(e.what(), common::kInvalidFloatOpMessage);
    }
}

TEST(Histogram, BinRuleAndPoints)
{
    // min 0, max 320, 32 bins of width 10: 10 is in bin 1, 10.5 in bin 2, 0 in bin 0, 320 in 32.
    const double v[] = {0, 10, 10.5, 320, 319.9, 0};
    const auto counts = spectrum::HistogramCounts(v, 0, 320, 32);
    EXPECT_EQ(counts[0], 2);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_EQ(counts[32], 2);
    double total = 0;
    for (double c : counts)
        total += c;
    EXPECT_EQ(total, 6);

    const auto points = spectrum::HistogramPoints(counts, 0, 320, 32);
    ASSERT_EQ(points.size(), 35u);
    EXPECT_EQ(points[1], (ChartPoint{10, 1}));
    EXPECT_EQ(points[34], (ChartPoint{340, 0}));
    EXPECT_EQ(points[33].y, 0);
}

TEST(Histogram, EqualValuesAndTruncatedPositions)
{
    const double same[] = {4, 4, 4};
    const auto counts = spectrum::HistogramCounts(same, 4, 4, 5);
    EXPECT_EQ(counts[0], 3);
    for (const ChartPoint& p : spectrum::HistogramPoints(counts, 4, 4, 5))
        EXPECT_EQ(p.x, 4);
    // x positions cut toward zero: -2.7 gives -2.
    const auto points = spectrum::HistogramPoints({}, -2.7, 1.3, 4);
    EXPECT_EQ(points[0].x, -2);
    EXPECT_EQ(points[1].x, -1);  // -1.7
}

TEST(Histogram, BinCountOutsideTheTableIsRefused)
{
    for (long long bins : {0LL, -3LL, 98LL, 1000LL}) {
        try {
            spectrum::CheckBinCount(bins);
            FAIL() << bins;
        } catch (const common::InputError& e) {
            EXPECT_NE(std::string(e.what()).find("between 1 and 97"), std::string::npos);
        }
    }
    spectrum::CheckBinCount(1);
    spectrum::CheckBinCount(97);
    // A value far above the maximum cannot run off the count table.
    const double v[] = {1e9};
    EXPECT_EQ(spectrum::HistogramCounts(v, 0, 10, 97)[99], 1);
}

// The statistics with the histogram counted in the squares' pass against the two computed one after
// the other: the same bits for any thread count, on sums whose value depends on their order (huge
// and tiny values mixed), lengths that leave a rest after the steps of four, and NaN.
TEST(TableStatistics, HistogramInTheSquaresPassGivesTheSameResults)
{
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> dist(-1, 1);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        int width, height, bins;
        bool withNan;
    } cases[] = {{"order-dependent sums", 37, 29, 32, false},
                 {"one value", 1, 1, 5, false},
                 {"a rest of three", 7, 1, 97, false},
                 {"a NaN among them", 16, 16, 20, true}};
    const auto same = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    for (const auto& c : cases) {
        std::vector<double> v(static_cast<std::size_t>(c.width) * c.height);
        for (std::size_t i = 0; i < v.size(); ++i)
            v[i] = dist(rng) * (i % 3 == 0 ? 1e12 : i % 3 == 1 ? 1e-3 : 7.0);
        if (c.withNan)
            v[v.size() / 2] = nan;
        const spectrum::TableStatistics s = spectrum::ComputeTableStatistics(v, c.width, c.height);
        const auto counts = spectrum::HistogramCounts(v, s.min, s.max, c.bins);
        for (int threads : {1, 2, 3}) {
            common::ThreadPool pool(threads);
            const auto both = spectrum::ComputeTableStatisticsAndHistogram(v, c.width, c.height, c.bins, pool);
            EXPECT_TRUE(same(both.statistics.mean, s.mean) && same(both.statistics.sd, s.sd) &&
                        same(both.statistics.max, s.max) && same(both.statistics.min, s.min))
                << c.what << " on " << threads << " threads: SD " << both.statistics.sd << " " << s.sd;
            EXPECT_EQ(both.counts, counts) << c.what << " on " << threads << " threads";
        }
    }
    // Refusals: the empty table's division first, then the bin count.
    EXPECT_THROW(spectrum::ComputeTableStatisticsAndHistogram({}, 0, 5, 32), common::FloatError);
    const double one[] = {3};
    EXPECT_THROW(spectrum::ComputeTableStatisticsAndHistogram(one, 1, 1, 0), common::InputError);
}

} // namespace
