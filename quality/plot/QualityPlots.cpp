#include "QualityPlots.h"

#include <QString>
#include <charconv>
#include <cmath>

#include "MtfDqeExports.h"

namespace quality {

namespace {

// The NPS plot's colours for its u and v axis curves, so that u and v look alike in every plot.
const QColor kAlongU(200, 30, 30), kAlongV(30, 60, 200);

// Four significant digits: a title says what the table says exactly.
std::string Short(double v)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 4);
    return std::string(text, end.ptr);
}

std::string CyclesText(double f) { return std::isfinite(f) ? Short(f) + " cycles/mm" : "not reached"; }

nps::PlotCurve DqeCurve(const char* name, QColor colour, const std::vector<DqePoint>& points)
{
    nps::PlotCurve curve{name, colour, {}, {}};
    for (const DqePoint& p : points) {
        curve.x.push_back(p.frequency);
        curve.y.push_back(p.dqe);
    }
    return curve;
}

} // namespace

nps::CurvePlot MtfCurvePlot(const MtfRunOutcome& outcome)
{
    const MtfResult& r = outcome.result;
    nps::CurvePlot plot;
    plot.title = std::string("MTF: ") + OrientationName(r.orientation) + " edge tilted " + Short(r.angleDegrees) +
                 " degrees, MTF50 " + CyclesText(r.mtf50) + ", MTF10 " + CyclesText(r.mtf10);
    plot.yTitle = "presampling MTF";
    nps::PlotCurve curve{r.orientation == EdgeOrientation::Vertical ? "MTF along u" : "MTF along v",
                         r.orientation == EdgeOrientation::Vertical ? kAlongU : kAlongV, {}, {}};
    for (const MtfPoint& p : r.curve) {
        curve.x.push_back(p.frequency);
        curve.y.push_back(p.mtf);
    }
    plot.curves.push_back(std::move(curve));
    return plot;
}

nps::CurvePlot DqeCurvePlot(const DqeRunOutcome& outcome)
{
    nps::CurvePlot plot;
    const DqeLevel& first = outcome.First();
    plot.title = std::string("DQE: ") + BeamQualityName(outcome.quality) + ", K = " + Short(first.kerma) +
                 " uGy, q = " + Short(outcome.photonsPerAreaPerKerma) + " per mm² per uGy";
    plot.yTitle = "DQE";
    plot.curves.push_back(DqeCurve("DQE along u", kAlongU, first.u));
    plot.curves.push_back(DqeCurve("DQE along v", kAlongV, first.v));
    return plot;
}

} // namespace quality
