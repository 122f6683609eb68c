#include "NpsCurves.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QMouseEvent>
#include <QValueAxis>
#include <cmath>

#include "NpsExports.h"

namespace nps {

NpsCurves::NpsCurves(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    chart()->setTitle(QStringLiteral("NPS"));
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
    if (!result)
        return;
    QAbstractAxis* x = new QValueAxis;
    x->setTitleText(QStringLiteral("cycles/mm"));
    QAbstractAxis* y;
    if (logarithmic) {
        auto* log = new QLogValueAxis;
        log->setLabelFormat(QStringLiteral("%.1e"));
        y = log;
    } else {
        y = new QValueAxis;
    }
    y->setTitleText(QStringLiteral("NPS (value² mm²)"));
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    const struct {
        const char* name;
        double NpsCurvePoint::*value;
    } curves[] = {{"radial", &NpsCurvePoint::nps}, {"u axis", &NpsCurvePoint::uAxis}, {"v axis", &NpsCurvePoint::vAxis}};
    for (const auto& curve : curves) {
        auto* series = new QLineSeries;
        series->setName(QString::fromLatin1(curve.name));
        for (const NpsCurvePoint& p : result->curve) {
            const double v = p.*curve.value;
            // A logarithmic axis drops the whole line for one value <= 0: such bins are left out.
            if (std::isfinite(v) && (!logarithmic || v > 0.0))
                series->append(p.frequency, v);
        }
        c->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
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
    return QStringLiteral("f %1 /mm   NPS %2 ± %3   NNPS %4   u %5   v %6   (%7 samples)")
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
