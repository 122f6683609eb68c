#include "NpsCurves.h"

#include <QAreaSeries>
#include <QChart>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QValueAxis>
#include <cmath>

#include "NpsExports.h"
#include "NpsPlot.h"
#include "PlotScale.h"

namespace nps {

QAbstractAxis* ChartAxisOf(const AxisScale& scale, const QString& title)
{
    if (scale.logarithmic) {
        auto* log = new QLogValueAxis;
        log->setBase(10.0);
        log->setRange(scale.min, scale.max);
        log->setLabelFormat(QStringLiteral("%g"));
        log->setMinorTickCount(8);
        log->setTitleText(title);
        return log;
    }
    auto* axis = new QValueAxis;
    axis->setRange(scale.min, scale.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(scale.step);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTitleText(title);
    return axis;
}

namespace {

// Runs of neighbouring bins that have a drawable value: a line is not drawn across an empty bin.
template <typename Value>
std::vector<std::vector<std::size_t>> Runs(const NpsResult& result, Value value, bool logarithmic)
{
    std::vector<std::vector<std::size_t>> runs(1);
    for (std::size_t b = 0; b < result.curve.size(); ++b) {
        const double v = value(result.curve[b]);
        if (std::isfinite(v) && (!logarithmic || v > 0.0))
            runs.back().push_back(b);
        else if (!runs.back().empty())
            runs.emplace_back();
    }
    if (runs.back().empty())
        runs.pop_back();
    return runs;
}

} // namespace

NpsCurves::NpsCurves(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    chart()->setTitle(QStringLiteral("NPS"));
}

void NpsCurves::AddSeries(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y, bool inLegend)
{
    QChart* c = chart();
    c->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    for (QLegendMarker* marker : c->legend()->markers(series))
        marker->setVisible(inLegend);
}

void NpsCurves::Show(const NpsResult* result, bool logarithmic)
{
    result_ = result;
    QChart* c = chart();
    c->removeAllSeries();
    // A removed axis is no longer the chart's: it is deleted here, or every redraw would leak two.
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    c->setTitle(QStringLiteral("NPS"));
    if (!result)
        return;
    // The same ranges as the PNG: every curve and the band fit, the u and v curves included.
    const NpsPlotScales scales = PlotScales(*result, logarithmic);
    QAbstractAxis* x = ChartAxisOf(scales.x, QStringLiteral("cycles/mm"));
    QAbstractAxis* y = ChartAxisOf(scales.y, QStringLiteral("NPS (value² mm²)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    if (!scales.note.empty())
        c->setTitle(QStringLiteral("NPS: %1").arg(QString::fromStdString(scales.note)));

    // The standard-error band of the radial curve, under the curves.
    const auto withError = [](const NpsCurvePoint& p) { return std::isfinite(p.standardError) ? p.nps : NAN; };
    bool first = true;
    for (const auto& run : Runs(*result, withError, logarithmic)) {
        auto* upper = new QLineSeries;
        auto* lower = new QLineSeries;
        for (const std::size_t b : run) {
            const NpsCurvePoint& p = result->curve[b];
            const double bottom = p.nps - p.standardError;
            upper->append(p.frequency, p.nps + p.standardError);
            // A logarithmic axis drops a whole series for one value <= 0: the band ends at the axis.
            lower->append(p.frequency, logarithmic && !(bottom > 0.0) ? scales.y.min : bottom);
        }
        auto* band = new QAreaSeries(upper, lower);
        // The band does not own its edges: they go with it, or every redraw would leak two.
        upper->setParent(band);
        lower->setParent(band);
        band->setName(QString::fromUtf8(kNpsBandName));
        band->setColor(NpsBandColour());
        band->setBorderColor(Qt::transparent);
        AddSeries(band, x, y, first);
        first = false;
    }
    for (const NpsCurveStyle& style : NpsCurveStyles()) {
        first = true;
        const auto value = [&](const NpsCurvePoint& p) { return p.*style.value; };
        for (const auto& run : Runs(*result, value, logarithmic)) {
            auto* series = new QLineSeries;
            series->setName(QString::fromLatin1(style.name));
            series->setPen(QPen(style.colour, 1.6));
            series->setPointsVisible(true);
            series->setMarkerSize(3.5);
            for (const std::size_t b : run)
                series->append(result->curve[b].frequency, result->curve[b].*style.value);
            AddSeries(series, x, y, first);
            first = false;
        }
    }
}

QString NpsCurves::ReadoutAt(double frequency) const
{
    if (!result_ || result_->curve.empty() || !std::isfinite(frequency))
        return {};
    const double b = std::nearbyint(frequency / result_->binWidth);
    const std::size_t bin = static_cast<std::size_t>(std::clamp(b, 0.0, static_cast<double>(result_->curve.size() - 1)));
    const NpsCurvePoint& p = result_->curve[bin];
    const auto text = [](double v) { return QString::fromStdString(NumberField(v)); };
    return tr("f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 samples)")
        .arg(text(p.frequency), text(p.nps), text(p.standardError), text(p.nnps), text(p.uAxis), text(p.vAxis))
        .arg(p.count);
}

void NpsCurves::mouseMoveEvent(QMouseEvent* event)
{
    QChartView::mouseMoveEvent(event);
    if (!result_ || chart()->series().isEmpty())
        return;
    const QPointF value = chart()->mapToValue(chart()->mapFromScene(mapToScene(event->position().toPoint())),
                                              chart()->series().front());
    emit readout(ReadoutAt(value.x()));
}

} // namespace nps
