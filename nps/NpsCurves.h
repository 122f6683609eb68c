#pragma once
// The NPS curves in Qt Charts: radial, u-axis and v-axis NPS against cycles/mm, a linear or
// logarithmic NPS axis, and a readout of the bin under the mouse.
#include <QChartView>
#include <functional>

#include "NoisePowerSpectrum.h"

namespace nps {

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
    const NpsResult* result_ = nullptr;
};

} // namespace nps
