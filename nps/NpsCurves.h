#pragma once
// The NPS curves in Qt Charts: radial, u-axis and v-axis NPS against cycles/mm with markers, the
// radial curve's standard-error band, a linear or logarithmic NPS axis, and a readout of the bin
// under the mouse. Colours, names and scales are the PNG plot's.
#include <QChartView>
#include <functional>

#include "NoisePowerSpectrum.h"
#include "PlotScale.h"

namespace nps {

// A chart axis for a plot scale, with its ticks where the PNG plots have them (every chart of the
// measurements uses it, so the windows and the PNGs read alike).
QAbstractAxis* ChartAxisOf(const AxisScale& scale, const QString& title);

class NpsCurves : public QChartView {
    Q_OBJECT

public:
    explicit NpsCurves(QWidget* parent = nullptr);
    void Show(const NpsResult* result, bool logarithmic);
    // The readout text for the bin nearest to `frequency` ("" without a result).
    QString ReadoutAt(double frequency) const;

signals:
    void readout(const QString& text);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Adds a series on both axes; only a curve's first series stands in the legend.
    void AddSeries(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y, bool inLegend);
    const NpsResult* result_ = nullptr;
};

} // namespace nps
