#include "QualityCharts.h"

#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "NpsCurves.h"
#include "NpsPlot.h"
#include "PlotScale.h"

namespace quality {

namespace {

constexpr std::size_t kMostMarkedPoints = 120;

// Runs of neighbouring points with finite values: a line is not drawn across an undefined one.
std::vector<std::vector<QPointF>> Runs(const std::vector<QPointF>& points)
{
    std::vector<std::vector<QPointF>> runs(1);
    for (const QPointF& p : points) {
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            runs.back().push_back(p);
        else if (!runs.back().empty())
            runs.emplace_back();
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
}

int Grey(double v, double lo, double hi)
{
    if (!(hi > lo))
        return 128;
    return static_cast<int>(std::clamp((v - lo) / (hi - lo) * 255.0, 0.0, 255.0));
}

} // namespace

QColor SingleCurveColour() { return nps::NpsCurveStyles()[0].colour; }
QColor UCurveColour() { return nps::NpsCurveStyles()[1].colour; }
QColor VCurveColour() { return nps::NpsCurveStyles()[2].colour; }

void ShowCurves(QChartView* view, const QString& title, const QString& xTitle, const QString& yTitle,
                const std::vector<ChartCurve>& curves)
{
    QChart* c = view->chart();
    c->removeAllSeries();
    // A removed axis is no longer the chart's: deleted here, or every redraw would leak it.
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle(title);
    double xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
    for (const ChartCurve& curve : curves)
        for (const auto& run : Runs(curve.points))
            for (const QPointF& p : run) {
                xLo = std::min(xLo, p.x());
                xHi = std::max(xHi, p.x());
                yLo = std::min(yLo, p.y());
                yHi = std::max(yHi, p.y());
            }
    if (!(xLo <= xHi))
        return;
    QAbstractAxis* x = nps::ChartAxisOf(nps::LinearScale(xLo, xHi), xTitle);
    QAbstractAxis* y = nps::ChartAxisOf(nps::LinearScale(std::min(yLo, 0.0), yHi), yTitle);
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    c->legend()->setVisible(curves.size() > 1);
    for (const ChartCurve& curve : curves) {
        bool first = true;
        for (const auto& run : Runs(curve.points)) {
            auto* series = new QLineSeries;
            series->setName(curve.name);
            series->setPen(QPen(curve.colour, 1.6));
            // Markers as on the NPS chart where the samples can be told apart; on the densely
            // sampled ESF, LSF and MTF they would merge into a thick band that hides the line.
            series->setPointsVisible(curve.points.size() <= kMostMarkedPoints);
            series->setMarkerSize(3.5);
            for (const QPointF& p : run)
                series->append(p);
            c->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(y);
            // Only a curve's first run stands in the legend.
            for (QLegendMarker* marker : c->legend()->markers(series))
                marker->setVisible(first);
            first = false;
        }
    }
}

QImage EdgePicture(const imageio::LoadedImage& image, const EdgeRoi& roi, int side)
{
    if (image.width <= 0 || image.height <= 0 || image.samples.empty())
        return {};
    std::vector<double> sorted(image.samples);
    const auto at = [&](double fraction) {
        const auto k = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
        return sorted[k];
    };
    const double lo = at(0.01), hi = at(0.99);
    QImage grey(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGB32);
    for (long long y = 0; y < image.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(static_cast<int>(y)));
        for (long long x = 0; x < image.width; ++x) {
            const int g = Grey(image.samples[static_cast<std::size_t>(y * image.width + x)], lo, hi);
            line[x] = qRgb(g, g, g);
        }
    }
    QImage shown = grey.scaled(side, side, Qt::KeepAspectRatio, Qt::FastTransformation);
    const double scale = static_cast<double>(shown.width()) / static_cast<double>(image.width);
    QPainter p(&shown);
    p.setPen(QPen(QColor(255, 200, 0), 2));
    p.drawRect(QRectF(static_cast<double>(roi.x) * scale, static_cast<double>(roi.y) * scale,
                      static_cast<double>(roi.width) * scale - 1, static_cast<double>(roi.height) * scale - 1));
    return shown;
}

ChartCurve EsfCurve(const MtfResult& r)
{
    ChartCurve curve{QStringLiteral("ESF"), SingleCurveColour(), {}};
    for (std::size_t k = 0; k < r.esf.size(); ++k)
        curve.points.emplace_back(r.esfStartPx + static_cast<double>(k) * r.binWidthPx, r.esf[k]);
    return curve;
}

ChartCurve LsfCurve(const MtfResult& r)
{
    // LSF sample k lies between ESF bins k and k + 1.
    ChartCurve curve{QStringLiteral("LSF"), SingleCurveColour(), {}};
    for (std::size_t k = 0; k < r.lsf.size(); ++k)
        curve.points.emplace_back(r.esfStartPx + (static_cast<double>(k) + 0.5) * r.binWidthPx, r.lsf[k]);
    return curve;
}

ChartCurve MtfCurve(const MtfResult& r, const QString& name, const QColor& colour)
{
    ChartCurve curve{name, colour, {}};
    for (const MtfPoint& p : r.curve)
        curve.points.emplace_back(p.frequency, p.mtf);
    return curve;
}

} // namespace quality
