#include "DqeRun.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Conversions.h"
#include "Errors.h"
#include "NpsExports.h"
#include "NumberText.h"

namespace quality {

namespace {

std::string Percent(double fraction)
{
    return common::FixedText(100.0 * fraction, 1);
}

// The conversion function from its flat fields.
ConversionFit MeasuredConversion(const DqeRunSettings& s, const imageio::LoadOptions& load,
                                 const std::function<void(const imageio::LoadedImage&)>& loaded)
{
    std::vector<ConversionPoint> points;
    for (const auto& [kerma, file] : s.conversion) {
        const imageio::LoadedImage image = imageio::LoadImage(file, load);
        if (loaded)
            loaded(image);
        points.push_back({file, kerma, CentralMean(image)});
    }
    return FitConversion(points);
}

// The conversion function's largest residual, with the flat field it belongs to, when it is beyond
// what a linear detector shows.
void CheckConversion(const ConversionFit& fit, std::vector<common::Text>& notes)
{
    if (!(fit.maxRelativeResidual > kMaxConversionResidual))
        return;
    std::size_t worst = 0;
    double worstRelative = -1.0;
    for (std::size_t i = 0; i < fit.points.size(); ++i)
        if (fit.points[i].kerma > 0.0) {
            const double relative = std::abs(fit.residuals[i]) / std::abs(fit.gain * fit.points[i].kerma);
            if (relative > worstRelative) {
                worstRelative = relative;
                worst = i;
            }
        }
    notes.push_back(common::TrText("quality", "The conversion function's largest residual is %1 % of the signal at "
                                              "%2 uGy (flat %3; R² %4, limit %5 %): check that flat field's air kerma "
                                              "or the file.")
                        .Arg(Percent(worstRelative))
                        .Arg(nps::NumberField(fit.points[worst].kerma))
                        .Arg(fit.points[worst].name)
                        .Arg(nps::NumberField(std::round(fit.rSquared * 1e6) / 1e6))
                        .Arg(Percent(kMaxConversionResidual)));
}

MtfRunOutcome EdgeMtf(const DqeRunSettings& s, const std::vector<std::string>& files,
                      const std::optional<EdgeRoi>& roi, EdgeOrientation wanted, const ConversionFit& fit,
                      common::ThreadPool& pool, const std::function<void(const imageio::LoadedImage&)>& loaded,
                      double pixelMm)
{
    const char* option = wanted == EdgeOrientation::Vertical ? "--edge-v" : "--edge-h";
    if (files.empty())
        throw common::InputError(common::TrText("quality", "%1 is required: the DQE needs an edge image of each "
                                                           "direction.")
                                     .Arg(option));
    MtfRunSettings m;
    m.files = files;
    m.load = s.flats.load;
    m.binFraction = s.binFraction;
    m.conversion = fit;
    m.roi = roi;
    MtfRunOutcome outcome = RunMtfOnFiles(m, pool, [&](const imageio::LoadedImage& image, const EdgeRoi&) {
        if (loaded)
            loaded(image);
    });
    if (outcome.result.orientation != wanted)
        throw common::InputError(common::TrText("quality", "%1 takes an image of a %2 edge; %3 holds a %4 one.")
                                     .Arg(option)
                                     .Arg(OrientationText(wanted))
                                     .Arg(outcome.name)
                                     .Arg(OrientationText(outcome.result.orientation)));
    if (outcome.result.pixelMm != pixelMm)
        throw common::InputError(common::TrText("quality", "%1 has a pixel spacing of %2 mm, the flat fields %3 mm.")
                                     .Arg(outcome.name)
                                     .Arg(nps::NumberField(outcome.result.pixelMm))
                                     .Arg(nps::NumberField(pixelMm)));
    return outcome;
}

// Pixels the ROIs cover in one image (each pixel once, however many ROIs hold it): the bands
// between the ROIs' top and bottom sides, each with the union of the ROIs across it.
long long CoveredPixels(const nps::RoiGrid& grid)
{
    std::vector<long long> edges;
    for (const nps::RoiCorner& c : grid.corners) {
        edges.push_back(c.y);
        edges.push_back(c.y + grid.size);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    long long covered = 0;
    std::vector<std::pair<long long, long long>> spans;
    for (std::size_t b = 0; b + 1 < edges.size(); ++b) {
        spans.clear();
        for (const nps::RoiCorner& c : grid.corners)
            if (c.y <= edges[b] && edges[b] < c.y + grid.size)
                spans.emplace_back(c.x, c.x + grid.size);
        std::sort(spans.begin(), spans.end());
        long long width = 0, reached = std::numeric_limits<long long>::min();
        for (const auto& [from, to] : spans) {
            width += std::max(0LL, to - std::max(from, reached));
            reached = std::max(reached, to);
        }
        covered += width * (edges[b + 1] - edges[b]);
    }
    return covered;
}

// The NPS of one level's flat fields; `centralMean` gets the mean of their central means, which a
// proportional response is drawn through (so each flat field is read once).
DqeLevel MeasureLevel(const DqeRunSettings& s, const KermaLevel& k, const imageio::LoadOptions& load,
                      common::ThreadPool& pool, const std::function<void(const imageio::LoadedImage&)>& loaded,
                      std::optional<nps::SpacingUsed>& spacing, double& centralMean)
{
    DqeLevel level;
    level.kerma = k.kerma;
    nps::NpsRunSettings flats = s.flats;
    flats.files = k.files;
    flats.load = load;
    long long perImage = 0;
    nps::NpsRunHooks hooks;
    double centralSum = 0.0;
    hooks.loaded = [&](const imageio::LoadedImage& image) {
        if (!spacing)
            spacing = nps::SpacingOf(image);
        centralSum += CentralMean(image);
        if (loaded)
            loaded(image);
    };
    hooks.placed = [&](const nps::NpsImage&, const nps::RoiGrid& grid) { perImage = CoveredPixels(grid); };
    level.nps = nps::RunNpsOnFiles(flats, pool, {}, hooks);
    centralMean = centralSum / static_cast<double>(k.files.size());
    level.npsPixels = perImage * static_cast<long long>(level.nps.result.imageCount);
    return level;
}

void DqeCurves(DqeLevel& level, const DqeRunOutcome& out)
{
    const double gainSquared = out.conversion.gain * out.conversion.gain;
    std::vector<double> frequencies, npsU, npsV, errorU, errorV;
    for (const nps::NpsCurvePoint& p : level.nps.result.curve) {
        frequencies.push_back(p.frequency);
        npsU.push_back(p.uAxis / gainSquared);
        npsV.push_back(p.vAxis / gainSquared);
        errorU.push_back(p.uAxisStandardError / gainSquared);
        errorV.push_back(p.vAxisStandardError / gainSquared);
    }
    level.u = DqeCurve(out.mtfU.result.curve, frequencies, npsU, errorU, level.kerma, out.photonsPerAreaPerKerma);
    level.v = DqeCurve(out.mtfV.result.curve, frequencies, npsV, errorV, level.kerma, out.photonsPerAreaPerKerma);
    const double last = frequencies.empty() ? 0.0 : frequencies.back();
    for (int i = 1; 0.5 * i <= last * (1 + 1e-12); ++i) {
        DqeFigure f;
        f.frequency = 0.5 * i;
        f.u = DqeAt(level.u, f.frequency);
        f.v = DqeAt(level.v, f.frequency);
        f.dqeMean = MeanOfAxes(f.u.dqe, f.u.dqeError, f.v.dqe, f.v.dqeError);
        level.figures.push_back(f);
    }
}

} // namespace

std::vector<KermaLevel> GroupFlatsByKerma(const std::vector<std::string>& flats, std::optional<double> kerma)
{
    std::vector<KermaLevel> levels;
    for (const std::string& item : flats) {
        double k = 0.0;
        std::string file = item;
        const std::size_t equals = item.find('=');
        bool named = false;
        if (equals != std::string::npos && equals > 0) {
            try {
                k = common::StrToFloat(item.substr(0, equals));
                file = item.substr(equals + 1);
                named = true;
            } catch (const common::ConversionError&) {
                // Not a number before '=': the '=' belongs to the file's name.
            }
        }
        if (!named) {
            if (!kerma)
                throw common::InputError(common::TrText("quality", "The air kerma of %1 is not given: give --kerma "
                                                                   "K, or the flat field as K=FILE.")
                                             .Arg(item));
            k = *kerma;
        }
        if (!(k > 0.0) || !std::isfinite(k))
            throw common::InputError(common::TrText("quality", "The air kerma of the flat fields must be above 0 uGy."));
        const auto same = std::find_if(levels.begin(), levels.end(), [&](const KermaLevel& l) { return l.kerma == k; });
        if (same == levels.end())
            levels.push_back({k, {file}});
        else
            same->files.push_back(file);
    }
    if (levels.empty())
        throw common::InputError(common::TrText("quality", "The DQE needs at least one flat field."));
    return levels;
}

std::vector<std::string> DqeInputs(const DqeRunSettings& s)
{
    std::vector<std::string> inputs;
    for (const KermaLevel& level : s.levels)
        inputs.insert(inputs.end(), level.files.begin(), level.files.end());
    inputs.insert(inputs.end(), s.edgesHorizontal.begin(), s.edgesHorizontal.end());
    inputs.insert(inputs.end(), s.edgesVertical.begin(), s.edgesVertical.end());
    for (const auto& point : s.conversion)
        inputs.push_back(point.second);
    return inputs;
}

DqeRunOutcome RunDqeOnFiles(const DqeRunSettings& s, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&)>& loaded)
{
    if (s.levels.empty())
        throw common::InputError(common::TrText("quality", "The DQE needs at least one flat field."));
    for (const KermaLevel& level : s.levels)
        if (!(level.kerma > 0.0) || !std::isfinite(level.kerma) || level.files.empty())
            throw common::InputError(common::TrText("quality", "The air kerma of the flat fields must be above 0 uGy."));
    if (s.photonsPerAreaPerKerma && !(*s.photonsPerAreaPerKerma > 0.0 && std::isfinite(*s.photonsPerAreaPerKerma)))
        throw common::InputError(common::TrText("quality", "The photon fluence per air kerma must be above 0."));
    imageio::LoadOptions load = s.flats.load;
    load.detectorPlane = true;
    DqeRunOutcome out;
    out.quality = s.quality;
    out.photonsGiven = s.photonsPerAreaPerKerma.has_value();
    out.photonsPerAreaPerKerma = s.photonsPerAreaPerKerma.value_or(PhotonsPerAreaPerKerma(s.quality));
    out.conversionMeasured = !s.conversion.empty();
    if (out.conversionMeasured)
        out.conversion = MeasuredConversion(s, load, loaded);
    else if (!s.assumeProportional)
        throw common::InputError(common::TrText("quality", "The DQE needs the detector's conversion function: give flat "
                                                           "fields at several air kerma values (--conversion K=FILE), "
                                                           "or state that the raw values are proportional to air kerma "
                                                           "(--proportional). A detector with an offset reports a DQE "
                                                           "that is too high without it."));
    // The NPS needs no conversion function (the gain scales it afterwards): a proportional response
    // is drawn from the origin through each level's flat fields as the NPS reads them.
    std::vector<ConversionPoint> proportional = {{"(no signal)", 0.0, 0.0}};
    std::optional<nps::SpacingUsed> spacing;
    for (const KermaLevel& k : s.levels) {
        double centralMean = 0.0;
        out.levels.push_back(MeasureLevel(s, k, load, pool, loaded, spacing, centralMean));
        proportional.push_back({"(the flat fields)", k.kerma, centralMean});
    }
    if (!out.conversionMeasured) {
        out.conversion = FitConversion(proportional);
        out.notes.push_back(common::TrText("quality", "No conversion flat fields: the response is taken as "
                                                      "proportional to air kerma (no offset), as stated."));
    }
    CheckConversion(out.conversion, out.notes);
    out.spacing = *spacing;
    if (const auto note = nps::SpacingPlaneNote(out.spacing))
        out.notes.push_back(*note);
    for (const DqeLevel& level : out.levels) {
        if (level.npsPixels < kMinNpsPixels)
            out.notes.push_back(common::TrText("quality", "The NPS at %1 uGy covers %2 pixels of flat field; IEC "
                                                          "62220-1-1 asks for at least 4 million. Add flat fields or "
                                                          "measure a larger area.")
                                    .Arg(nps::NumberField(level.kerma))
                                    .Arg(level.npsPixels));
        for (const common::Text& note : level.nps.result.notes)
            out.notes.push_back(note);
    }
    const double pixelMm = out.First().nps.result.pixelMm;
    out.mtfU = EdgeMtf(s, s.edgesVertical, s.roiVertical, EdgeOrientation::Vertical, out.conversion, pool, loaded,
                       pixelMm);
    out.mtfV = EdgeMtf(s, s.edgesHorizontal, s.roiHorizontal, EdgeOrientation::Horizontal, out.conversion, pool,
                       loaded, pixelMm);
    for (const MtfRunOutcome* m : {&out.mtfU, &out.mtfV})
        for (const common::Text& note : m->result.notes)
            out.notes.push_back(common::TrText("quality", "%1: %2").Arg(m->name).Arg(note));
    for (DqeLevel& level : out.levels)
        DqeCurves(level, out);
    return out;
}

} // namespace quality
