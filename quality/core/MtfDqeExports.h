#pragma once
// MTF and DQE results as text: the curve tables (comma-separated, "\n" line ends, a header line,
// the frequency first) and the JSON summaries, the same for every front end.
#include <string>
#include <vector>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "MtfRun.h"
#include "NpsExports.h"

namespace quality {

// Shortest text that reads back to the same double; "" for NaN or an infinity (the NPS exports'
// number format, so that every table of a measurement writes its numbers alike).
inline std::string NumberText(double value) { return nps::NumberField(value); }

// frequency_per_mm,mtf: the transform's frequencies from 0 to the Nyquist frequency.
std::string MtfTableText(const MtfResult& result);

// Settings, the fitted edge, levels, noise, MTF50, MTF10, the MTF at every 0.5 cycles/mm, the ESF
// and LSF, and the notes.
std::string MtfSummaryJson(const MtfRunOutcome& outcome);

// The conversion function as a JSON object (points, fit, residuals), for summaries that hold it.
std::string ConversionJson(const ConversionFit& fit);

} // namespace quality
