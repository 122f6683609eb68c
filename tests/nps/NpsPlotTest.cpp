// The NPS plots' scales, hand-computed, and what the PNG and the window's chart show of a small
// hand-made result: ranges that hold every curve, markers, the band in the legend, one palette,
// and a note where nothing can be drawn.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>
#include <cmath>

#include "NpsCurves.h"
#include "NpsPlot.h"
#include "PlotScale.h"

namespace {

TEST(NpsPlot, LinearTicksStepByOneTwoOrFive)
{
    const struct {
        double lo, hi;
        double step, min, max;
    } cases[] = {
        {0.0, 1143.0, 200.0, 0.0, 1200.0},  // not 571, 1.14e+03, ... in fifths
        {0.0, 2.5, 0.5, 0.0, 2.5},
        {0.0, 5.0, 1.0, 0.0, 5.0},
        {0.0, 3.7e-5, 1e-5, 0.0, 4e-5},
        {-0.3, 1.7, 0.5, -0.5, 2.0},
    };
    for (const auto& c : cases) {
        const nps::AxisScale s = nps::LinearScale(c.lo, c.hi);
        EXPECT_DOUBLE_EQ(s.step, c.step) << c.hi;
        EXPECT_NEAR(s.min, c.min, 1e-12 * c.step) << c.hi;
        EXPECT_NEAR(s.max, c.max, 1e-12 * c.step) << c.hi;
        ASSERT_FALSE(s.ticks.empty());
        EXPECT_EQ(s.ticks.size(), static_cast<std::size_t>(std::lround((c.max - c.min) / c.step)) + 1) << c.hi;
    }
    const struct {
        double value, step;
        const char* text;
    } texts[] = {
        {3 * 0.1, 0.1, "0.3"}, {1200.0, 200.0, "1200"}, {2.5, 0.5, "2.5"}, {1e-5, 1e-5, "1e-05"},
        {2e-5, 1e-5, "2e-05"}, {1e6, 0.0, "1e+06"},     {0.01, 0.0, "0.01"}, {-0.5, 0.5, "-0.5"},
    };
    for (const auto& t : texts)
        EXPECT_EQ(nps::TickText(t.value, t.step), t.text) << t.value;
}

TEST(NpsPlot, LogarithmicTicksAtTheDecades)
{
    const struct {
        double lo, hi;
        std::vector<double> ticks;
    } cases[] = {
        {10.0, 20.0, {10, 20, 50, 100}},
        {3.7e-6, 1.2e-5, {1e-6, 2e-6, 5e-6, 1e-5, 2e-5, 5e-5, 1e-4}},
        {0.5, 2000.0, {0.1, 1, 10, 100, 1000, 10000}},
        {1e-3, 1e9, {1e-3, 1e-1, 1e1, 1e3, 1e5, 1e7, 1e9}},  // 12 decades: every other one labelled
    };
    for (const auto& c : cases) {
        const nps::AxisScale s = nps::DecadeScale(c.lo, c.hi);
        ASSERT_EQ(s.ticks.size(), c.ticks.size()) << c.lo;
        for (std::size_t i = 0; i < c.ticks.size(); ++i)
            EXPECT_NEAR(s.ticks[i], c.ticks[i], 1e-9 * c.ticks[i]) << c.lo << " tick " << i;
        EXPECT_DOUBLE_EQ(s.min, c.ticks.front());
        EXPECT_DOUBLE_EQ(s.max, c.ticks.back());
    }
    EXPECT_EQ(nps::DecadeScale(0.5, 2000.0).minorTicks.size(), 5u * 8u);  // 2 .. 9 in each of 5 decades
}

// Four bins at 0, 0.5, 1, 1.5 /mm: the first empty, the v curve far above the radial one in the
// third, a negative u value (possible after detrending at the lowest frequency) in the second.
nps::NpsResult SmallResult()
{
    nps::NpsResult r;
    r.binWidth = 0.5;
    const double nan = std::nan("");
    r.curve = {{0.0, nan, nan, 0, nan, nan, nan},
               {0.5, 2.0, 0.5, 8, 1e-6, -1.0, 3.0},
               {1.0, 3.0, 0.25, 12, 1e-6, 4.0, 40.0},
               {1.5, 2.5, 0.25, 16, 1e-6, 2.0, 3.5}};
    return r;
}

TEST(NpsPlot, RangesHoldEveryCurveAndTheBand)
{
    const nps::NpsResult result = SmallResult();
    const struct {
        bool logarithmic;
        double yMin, yMax;
        std::size_t leftOut;
    } cases[] = {
        {false, -10.0, 40.0, 0},  // step 10 around -1 .. 40
        {true, 1.0, 100.0, 1},    // the negative u value left out, and said so
    };
    for (const auto& c : cases) {
        const nps::NpsPlotScales s = nps::PlotScales(result, c.logarithmic);
        EXPECT_DOUBLE_EQ(s.y.min, c.yMin) << c.logarithmic;
        EXPECT_DOUBLE_EQ(s.y.max, c.yMax) << c.logarithmic;
        EXPECT_DOUBLE_EQ(s.x.max, 1.5);
        EXPECT_EQ(s.leftOut, c.leftOut);
        EXPECT_EQ(s.note.empty(), c.leftOut == 0) << s.note;

        // The window's chart takes the same range, so the v curve stays on it.
        nps::NpsCurves curves;
        curves.Show(&result, c.logarithmic);
        const auto vertical = curves.chart()->axes(Qt::Vertical);
        ASSERT_EQ(vertical.size(), 1);
        if (c.logarithmic) {
            auto* axis = qobject_cast<QLogValueAxis*>(vertical[0]);
            ASSERT_NE(axis, nullptr);
            EXPECT_DOUBLE_EQ(axis->max(), c.yMax);
        } else {
            auto* axis = qobject_cast<QValueAxis*>(vertical[0]);
            ASSERT_NE(axis, nullptr);
            EXPECT_DOUBLE_EQ(axis->max(), c.yMax);
            EXPECT_DOUBLE_EQ(axis->tickInterval(), 10.0);
        }
    }
}

TEST(NpsPlot, ChartShowsMarkersTheBandAndThePngsColours)
{
    // An empty u bin between two others: two pieces of the u curve, one legend entry.
    nps::NpsResult result = SmallResult();
    result.curve[2].uAxis = std::nan("");
    nps::NpsCurves curves;
    curves.Show(&result, false);
    int uPieces = 0;
    curves.show();
    QStringList legend;
    for (QLegendMarker* marker : curves.chart()->legend()->markers())
        if (marker->isVisible())
            legend << marker->label();
    EXPECT_EQ(legend, (QStringList{QString::fromUtf8(nps::kNpsBandName), "radial", "u axis", "v axis"}));
    int band = 0;
    for (QAbstractSeries* series : curves.chart()->series()) {
        if (auto* area = qobject_cast<QAreaSeries*>(series)) {
            ++band;
            EXPECT_EQ(area->color(), nps::NpsBandColour());
            continue;
        }
        auto* line = qobject_cast<QLineSeries*>(series);
        ASSERT_NE(line, nullptr);
        EXPECT_TRUE(line->pointsVisible()) << line->name().toStdString();
        uPieces += line->name() == "u axis" ? 1 : 0;
        for (const nps::NpsCurveStyle& style : nps::NpsCurveStyles())
            if (line->name() == style.name)
                EXPECT_EQ(line->pen().color(), style.colour) << style.name;
    }
    EXPECT_EQ(band, 1);
    EXPECT_EQ(uPieces, 2);
}

// Dark pixels inside the plot's box, away from its frame, grid and legend: the middle third.
int InkInTheMiddle(const QImage& image)
{
    int ink = 0;
    for (int y = image.height() / 3; y < 2 * image.height() / 3; ++y)
        for (int x = image.width() / 3; x < 2 * image.width() / 3; ++x)
            ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    return ink;
}

TEST(NpsPlot, SaysSoWhereNothingCanBeDrawn)
{
    nps::NpsResult zeros = SmallResult();
    for (auto& p : zeros.curve)
        if (std::isfinite(p.nps))
            p.nps = p.uAxis = p.vAxis = p.standardError = 0.0;
    const nps::NpsPlotScales s = nps::PlotScales(zeros, true);
    EXPECT_EQ(s.drawn, 0u);
    EXPECT_NE(s.note.find("Nothing to draw on a logarithmic axis"), std::string::npos) << s.note;
    // The note stands in the middle of the PNG, where the curves would be, and in the chart's title.
    EXPECT_GT(InkInTheMiddle(nps::NpsPlotImage(zeros, true)), 50);
    nps::NpsCurves curves;
    curves.Show(&zeros, true);
    EXPECT_TRUE(curves.chart()->title().contains("Nothing to draw")) << curves.chart()->title().toStdString();
    // On a linear axis the zeros are drawn, and nothing needs saying.
    EXPECT_TRUE(nps::PlotScales(zeros, false).note.empty());
}

} // namespace
