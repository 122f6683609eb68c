#pragma once
// The MTF and DQE curves as pictures, with the NPS plot's conventions (ticks, markers, legend,
// notes), for the command line's PNG files.
#include "CurvePlot.h"
#include "DqeRun.h"
#include "MtfRun.h"

namespace quality {

// The presampling MTF from 0 to the Nyquist frequency.
nps::CurvePlot MtfCurvePlot(const MtfRunOutcome& outcome);

// DQE along u and along v at the NPS's bins.
nps::CurvePlot DqeCurvePlot(const DqeRunOutcome& outcome);

} // namespace quality
