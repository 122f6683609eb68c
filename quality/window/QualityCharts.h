#pragma once
// What the MTF and DQE window draws: curves in Qt Charts with the NPS chart's conventions (ticks
// at 1, 2 or 5 x 10^k, the same pens, markers and curve colours), and the edge image with its ROI.
#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

#include "ImageLoading.h"
#include "MtfRun.h"

class QChartView;

namespace quality {

struct ChartCurve {
    QString name;
    QColor colour;
    std::vector<QPointF> points;  // a value that is not finite breaks the line there
};

// The colours of one curve alone, of the u curve and of the v curve: the NPS chart's radial, u
// axis and v axis colours, so that u and v look the same in every window.
QColor SingleCurveColour();
QColor UCurveColour();
QColor VCurveColour();

// Replaces what `view` shows with `curves` on linear axes that hold every finite value; with no
// curve (or nothing finite) the chart keeps only its title.
void ShowCurves(QChartView* view, const QString& title, const QString& xTitle, const QString& yTitle,
                const std::vector<ChartCurve>& curves);

// The image in grey (window: its 1st to 99th percentile, so that a bright or dark side does not
// wash the edge out), the edge ROI outlined, scaled to fit `side` x `side`.
QImage EdgePicture(const imageio::LoadedImage& image, const EdgeRoi& roi, int side);

// The ESF, LSF and MTF of a result as curves: ESF and LSF against the distance from the edge in
// pixels, the MTF against cycles/mm.
ChartCurve EsfCurve(const MtfResult& result);
ChartCurve LsfCurve(const MtfResult& result);
ChartCurve MtfCurve(const MtfResult& result, const QString& name, const QColor& colour);

} // namespace quality
