#pragma once
// One DQE measurement from files, for every front end: the conversion function from its flat fields
// (or, when the user states it, a response taken as proportional to air kerma), the MTF of vertical
// and horizontal edges, and at each air kerma level the NPS of its flat fields through the NPS
// core, all on values linearised to air kerma; each figure with its standard uncertainty, and the
// checks a signed report needs.
//
// The NPS of the linearised flat fields is the NPS of their values divided by gain^2: the
// linearisation K = (value - offset) / gain is affine, and a constant offset reaches no frequency
// but zero, which the curves leave out.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ConversionFunction.h"
#include "Dqe.h"
#include "MtfRun.h"
#include "NpsRun.h"

namespace quality {

// The flat fields of one air kerma.
struct KermaLevel {
    double kerma = 0.0;  // uGy
    std::vector<std::string> files;
};

// Flat fields as the front ends take them: "FILE" at `kerma`, or "K=FILE" at K uGy (K a number);
// files of one air kerma form one level, levels in the order first seen. Refuses
// (common::InputError) no file and a K that is not above 0.
std::vector<KermaLevel> GroupFlatsByKerma(const std::vector<std::string>& flats, std::optional<double> kerma);

// The limits of the checks.
inline constexpr double kMaxConversionResidual = 0.02;   // of the signal above the offset
inline constexpr long long kMinNpsPixels = 4'000'000;    // IEC 62220-1-1's least number of pixels

struct DqeRunSettings {
    nps::NpsRunSettings flats;        // how the NPS is taken (its files are the levels')
    std::vector<KermaLevel> levels;
    BeamQuality quality = BeamQuality::Rqa5;
    std::optional<double> photonsPerAreaPerKerma;            // q for a beam quality outside the table
    std::vector<std::pair<double, std::string>> conversion;  // (K, file) per flat field of the conversion function
    bool assumeProportional = false;  // no conversion flat fields: the user states the values are proportional to K
    std::vector<std::string> edgesVertical, edgesHorizontal;
    std::optional<EdgeRoi> roiVertical, roiHorizontal;      // default: the whole image
    double binFraction = 0.25;
};

// The DQE at a frequency of the report (0.5, 1, 1.5 ... cycles/mm): u, v and their mean.
struct DqeFigure {
    double frequency = 0.0;
    DqePoint u, v;
    MeanWithError dqeMean;
};

struct DqeLevel {
    double kerma = 0.0;
    nps::NpsRunOutcome nps;
    long long npsPixels = 0;          // pixels of flat field the NPS's ROIs cover, over every image
    std::vector<DqePoint> u, v;       // at the NPS's bins, up to the Nyquist frequency
    std::vector<DqeFigure> figures;
};

struct DqeRunOutcome {
    ConversionFit conversion;
    bool conversionMeasured = false;  // false: proportional response stated by the user
    MtfRunOutcome mtfU, mtfV;         // the vertical edges (MTF along u), the horizontal ones (along v)
    std::vector<DqeLevel> levels;
    double photonsPerAreaPerKerma = 0.0;
    bool photonsGiven = false;        // q given by the user rather than from the table
    BeamQuality quality = BeamQuality::Rqa5;
    nps::SpacingUsed spacing;         // of the first flat field
    std::vector<common::Text> notes;  // what the user should know: the checks' warnings, the runs' notes
    const DqeLevel& First() const { return levels.front(); }
};

// Refuses (common::InputError) an air kerma not above 0, no flat field, no conversion flat fields
// without assumeProportional, an edge that is not of the orientation its option names, edge images
// of another pixel spacing than the flat fields, and what the loading, the conversion fit, the NPS
// and the MTF refuse.
DqeRunOutcome RunDqeOnFiles(const DqeRunSettings& settings, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&)>& loaded = {});

// Every file the run reads, for the output checks.
std::vector<std::string> DqeInputs(const DqeRunSettings& settings);

} // namespace quality
