#pragma once
// MTF and DQE results as text: the curve tables (comma-separated, "\n" line ends, a header line,
// the frequency first) and the JSON summaries, the same for every front end.
#include <string>
#include <vector>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "DqeRun.h"
#include "MtfRun.h"
#include "NpsExports.h"

namespace quality {

// Shortest text that reads back to the same double; "" for NaN or an infinity (the NPS exports'
// number format, so that every table of a measurement writes its numbers alike).
inline std::string NumberText(double value) { return nps::NumberField(value); }
// Four significant digits, for the summaries a reader reads ("-" for NaN); the files keep all.
std::string Rounded(double value);

// frequency_per_mm,mtf,mtf_se: the transform's frequencies from 0 to the Nyquist frequency, the
// MTF's standard error last.
std::string MtfTableText(const MtfResult& result);

// Settings, the fitted edge, levels, noise, MTF50, MTF10, the MTF at every 0.5 cycles/mm, the ESF
// and LSF, and the notes.
std::string MtfSummaryJson(const MtfRunOutcome& outcome);

// The conversion function as a JSON object (points, fit, residuals), for summaries that hold it.
std::string ConversionJson(const ConversionFit& fit);

// frequency_per_mm, mtf_u, nnps_u, dqe_u, mtf_v, nnps_v, dqe_v, then their standard errors
// (mtf_u_se, nnps_u_se, dqe_u_se, mtf_v_se, nnps_v_se, dqe_v_se), the mean of the two axes' DQE
// with its standard error, and the air kerma: one block of rows per air kerma level.
std::string DqeTableText(const DqeRunOutcome& outcome);
// The settings, the sources of the spacing and q, the conversion function, both edges' MTF, and
// per level the figures at 0.5, 1, 1.5 ... cycles/mm; the first level's also at the top.
std::string DqeSummaryJson(const DqeRunOutcome& outcome);

} // namespace quality
