#pragma once
// The NPS as text: the curve table (file, clipboard and standard output alike) and the summary.
#include <string>
#include <vector>

#include "NoisePowerSpectrum.h"

namespace nps {

// Comma-separated, one header line then one line per bin, "\n" line ends:
// frequency_per_mm, nps, standard_error, count, nnps, nps_u_axis, nps_v_axis.
// The frequency with 12 significant digits, the other numbers in the shortest form that reads back
// to the same double; an undefined value (empty bin,
// one ROI, zero mean signal) is an empty field.
std::string NpsTableText(const NpsResult& result);

// A JSON object with the settings, the checks and the image names.
std::string NpsSummaryJson(const NpsResult& result, const std::vector<std::string>& imageNames);

// Shortest round-trip text of a double, "" for NaN or an infinity.
std::string NumberField(double value);

// Notes as the files keep them: in their source form, the same for every user, so that scripts
// can read them.
std::vector<std::string> PlainTexts(const std::vector<common::Text>& texts);

} // namespace nps
