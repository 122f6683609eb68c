#pragma once
// The detective quantum efficiency along one axis:
//
//   DQE(f) = MTF(f)^2 / (q K NNPS(f)),   NNPS(f) = NPS(f) / K^2
//
// with the NPS of flat fields linearised to air kerma (uGy^2 mm^2), K their air kerma (uGy), q the
// photon fluence per air kerma of the beam quality (1 / (mm^2 uGy)) and the MTF of an edge image
// along the same axis, taken at the NPS's frequencies.
#include <span>
#include <string>
#include <vector>

#include "SlantedEdge.h"

namespace quality {

enum class BeamQuality { Rqa3, Rqa5, Rqa7, Rqa9 };

// "RQA3", "RQA5", "RQA7", "RQA9" (any case); refuses (common::InputError) anything else.
BeamQuality ParseBeamQuality(const std::string& text);
const char* BeamQualityName(BeamQuality quality);
// Photons per mm^2 per uGy of the beam quality, as IEC 62220-1-1 tabulates them.
double PhotonsPerAreaPerKerma(BeamQuality quality);

// Each value with its standard uncertainty from the measurement's own scatter (NaN when unknown).
// The DQE's follows from the MTF's and the NNPS's to first order, the two being independent:
//   (u_DQE / DQE)^2 = (2 u_MTF / MTF)^2 + (u_NNPS / NNPS)^2.
// The air kerma and q carry no stated uncertainty here: they scale every frequency alike.
struct DqePoint {
    double frequency = 0.0;  // cycles/mm
    double mtf = 0.0;        // interpolated in the edge's curve
    double nnps = 0.0;       // mm^2
    double dqe = 0.0;        // NaN where the NNPS is undefined or not above 0, or the MTF unknown
    double mtfError = NAN, nnpsError = NAN, dqeError = NAN;
};

// DQE at each frequency of `frequencies` with its NPS of linearised flat fields `nps` (uGy^2 mm^2)
// and the NPS's standard errors `npsErrors`: refuses (common::InputError) an air kerma or q not
// above 0 and spans of different lengths.
std::vector<DqePoint> DqeCurve(const std::vector<MtfPoint>& mtf, std::span<const double> frequencies,
                               std::span<const double> nps, std::span<const double> npsErrors, double kerma,
                               double photonsPerAreaPerKerma);

// A curve's values at `frequency` by linear interpolation between its points (NaN outside it).
DqePoint DqeAt(const std::vector<DqePoint>& curve, double frequency);

// The mean of the u and v values and its standard error, sqrt(u_u^2 + u_v^2) / 2.
struct MeanWithError {
    double value = NAN, error = NAN;
};
MeanWithError MeanOfAxes(double u, double uError, double v, double vError);

} // namespace quality
