#pragma once
// One DQE measurement from files, for every front end: the conversion function from its flat fields
// (or, without them, a response taken as proportional to air kerma), the NPS of the flat fields at
// air kerma K through the NPS core, and the MTF of a vertical and a horizontal edge, all on values
// linearised to air kerma.
//
// The NPS of the linearised flat fields is the NPS of their values divided by gain^2: the
// linearisation K = (value - offset) / gain is affine, and a constant offset reaches no frequency
// but zero, which the curves leave out.
#include <string>
#include <utility>
#include <vector>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "MtfRun.h"
#include "NpsRun.h"

namespace quality {

struct DqeRunSettings {
    nps::NpsRunSettings flats;        // the flat fields at `kerma` and how their NPS is taken
    double kerma = 0.0;               // uGy
    BeamQuality quality = BeamQuality::Rqa5;
    std::vector<std::pair<double, std::string>> conversion;  // (K, file) per flat field of the conversion function
    std::string edgeVertical, edgeHorizontal;
    std::optional<EdgeRoi> roiVertical, roiHorizontal;      // default: the whole image
    double binFraction = 0.25;
};

struct DqeRunOutcome {
    ConversionFit conversion;
    bool conversionMeasured = false;  // false: proportional response assumed from the flat fields
    nps::NpsRunOutcome nps;
    MtfRunOutcome mtfU, mtfV;         // the vertical edge (MTF along u), the horizontal one (along v)
    std::vector<DqePoint> u, v;       // at the NPS's bins, up to the Nyquist frequency
    double kerma = 0.0, photonsPerAreaPerKerma = 0.0;
    BeamQuality quality = BeamQuality::Rqa5;
    std::vector<common::Text> notes;  // what the user should know (the assumed response, the runs' notes)
};

// Refuses (common::InputError) an air kerma not above 0, an edge that is not of the orientation its
// option names, edge images of another pixel spacing than the flat fields, and what the loading,
// the conversion fit, the NPS and the MTF refuse.
DqeRunOutcome RunDqeOnFiles(const DqeRunSettings& settings, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&)>& loaded = {});

// frequency_per_mm, mtf_u, nnps_u, dqe_u, mtf_v, nnps_v, dqe_v.
std::string DqeTableText(const DqeRunOutcome& outcome);
std::string DqeSummaryJson(const DqeRunOutcome& outcome);

} // namespace quality
