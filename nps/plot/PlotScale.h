#pragma once
// The scales of the plots, shared by the PNG and the windows' charts so that both show the same
// ranges and ticks: ticks at 1, 2 or 5 x 10^k on a linear axis, at the decades on a logarithmic
// one, ranges that hold every curve and band.
#include <string>
#include <vector>

#include "NoisePowerSpectrum.h"

namespace nps {

struct AxisScale {
    double min = 0.0, max = 1.0;      // the axis' ends (on a logarithmic axis: values, not exponents)
    double step = 0.2;                // between labelled ticks (a logarithmic axis: in decades)
    bool logarithmic = false;
    std::vector<double> ticks;        // labelled, from min to max
    std::vector<double> minorTicks;   // 2 .. 9 x 10^k between the decades of a logarithmic axis
};

// About `wanted` ticks at a step of 1, 2 or 5 x 10^k, the ends on ticks around [lo, hi].
AxisScale LinearScale(double lo, double hi, int wanted = 6);
// Whole decades around [lo, hi] (both > 0); a tick at every decade, or every 2nd, 3rd ... when
// there are many; over one or two decades also at 2 and 5 x 10^k.
AxisScale DecadeScale(double lo, double hi, int wantedLabels = 8);

// A tick's text: no binary noise (0.30000000000000004 is "0.3"), exponents for the very large
// and the very small.
std::string TickText(double value, double step);

// What a plot can show of its values. Values that cannot be drawn (NaN; on a logarithmic axis, 0
// or below) are left out.
struct CurveScales {
    AxisScale x, y;
    std::size_t drawn = 0;     // values that can be drawn
    std::size_t leftOut = 0;   // finite values a logarithmic axis cannot show (0 or below)
    // Said in the plot when nothing, or not everything, can be drawn; empty otherwise.
    std::string note;
};
using NpsPlotScales = CurveScales;

// The scales of the NPS plot: the three curves and the band of the radial curve's standard error.
NpsPlotScales PlotScales(const NpsResult& result, bool logarithmic);

} // namespace nps
