#include "NpsPlot.h"

#include <cmath>

namespace nps {

const std::array<NpsCurveStyle, 3>& NpsCurveStyles()
{
    static const std::array<NpsCurveStyle, 3> styles = {{
        {"radial", QColor(0, 0, 0), &NpsCurvePoint::nps},
        {"u axis", QColor(200, 30, 30), &NpsCurvePoint::uAxis},
        {"v axis", QColor(30, 60, 200), &NpsCurvePoint::vAxis},
    }};
    return styles;
}

QColor NpsBandColour() { return QColor(0, 0, 0, 45); }

CurvePlot NpsCurvePlot(const NpsResult& result, bool logarithmic)
{
    CurvePlot plot;
    plot.title = QStringLiteral("NPS: %1 ROIs of %2 px in %3 image(s), detrend %4 (%5), axis curves %6")
                     .arg(result.roiCount)
                     .arg(result.n)
                     .arg(result.imageCount)
                     .arg(QString::fromLatin1(DetrendName(result.detrend)))
                     .arg(QString::fromLatin1(DetrendScopeName(result.scope)))
                     .arg(QString::fromLatin1(AxisPlacementName(result.axisPlacement)))
                     .toStdString();
    plot.yTitle = "NPS (value² mm²)";
    plot.logarithmic = logarithmic;
    PlotBand band{kNpsBandName, NpsBandColour(), {}, {}, {}};
    for (const NpsCurveStyle& style : NpsCurveStyles()) {
        PlotCurve curve{style.name, style.colour, {}, {}};
        for (const NpsCurvePoint& point : result.curve) {
            curve.x.push_back(point.frequency);
            curve.y.push_back(point.*style.value);
        }
        plot.curves.push_back(std::move(curve));
    }
    for (const NpsCurvePoint& point : result.curve) {
        band.x.push_back(point.frequency);
        band.centre.push_back(point.nps);
        band.halfWidth.push_back(point.standardError);
    }
    plot.band = std::move(band);
    return plot;
}

NpsPlotScales PlotScales(const NpsResult& result, bool logarithmic)
{
    return CurvePlotScales(NpsCurvePlot(result, logarithmic));
}

QImage NpsPlotImage(const NpsResult& result, bool logarithmic, int width, int height)
{
    return CurvePlotImage(NpsCurvePlot(result, logarithmic), width, height);
}

} // namespace nps
