#pragma once
// Curves against spatial frequency as a picture, for every measurement that draws one (the NPS,
// the MTF, the DQE): ticks at 1, 2, 5 x 10^k or at the decades, markers, a legend, an optional
// band around one curve, titles clear of the labels, and a note where nothing (or not everything)
// can be drawn. Drawn with QPainter on a QImage, so the command line needs no display; the
// windows' charts take their scales from CurvePlotScales, so both show the same ranges.
#include <QColor>
#include <QImage>
#include <optional>
#include <string>
#include <vector>

#include "PlotScale.h"

namespace nps {

struct PlotCurve {
    std::string name;
    QColor colour;
    std::vector<double> x, y;  // a value that cannot be drawn (NaN; on a log axis 0 or below) breaks the line
};

// A band centre +- halfWidth, drawn under the curves where both are finite (and, on a log axis,
// the centre above 0).
struct PlotBand {
    std::string name;
    QColor colour;
    std::vector<double> x, centre, halfWidth;
};

struct CurvePlot {
    std::string title;
    std::string xTitle = "spatial frequency (cycles/mm)";
    std::string yTitle;
    bool logarithmic = false;
    std::vector<PlotCurve> curves;
    std::optional<PlotBand> band;
};

// The ranges and ticks that hold every curve and the band; the x axis from 0 to the last x.
CurveScales CurvePlotScales(const CurvePlot& plot);

QImage CurvePlotImage(const CurvePlot& plot, int width = 900, int height = 600);

// The picture as the bytes of a PNG file; raises the file-creation error for `path` when it cannot
// be encoded.
std::vector<std::uint8_t> PngFileBytes(const QImage& image, const std::string& path);

} // namespace nps
