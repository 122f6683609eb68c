#pragma once
// The NPS curves as a picture: radial NPS with its standard-error band, and the two axis curves,
// against cycles/mm. Drawn with QPainter on a QImage, so the command line needs no display; the
// window's chart takes its colours, names and scales from here, so both look alike.
#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "CurvePlot.h"
#include "NoisePowerSpectrum.h"

namespace nps {

struct NpsCurveStyle {
    const char* name;
    QColor colour;
    double NpsCurvePoint::*value;
};
// Radial, u axis, v axis, in the order they are drawn.
const std::array<NpsCurveStyle, 3>& NpsCurveStyles();
// The band of the radial curve's standard error, and its name in the legend.
QColor NpsBandColour();
inline constexpr const char* kNpsBandName = "± standard error";

// The NPS curves and band as a curve plot.
CurvePlot NpsCurvePlot(const NpsResult& result, bool logarithmic);

// A linear or logarithmic NPS axis; on the logarithmic one, values <= 0 and empty bins are left out
// and a note says so; where nothing can be drawn the plot says that instead of staying empty.
QImage NpsPlotImage(const NpsResult& result, bool logarithmic, int width = 900, int height = 600);

} // namespace nps
