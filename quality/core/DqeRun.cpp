#include "DqeRun.h"

#include <cmath>
#include <nlohmann/json.hpp>

#include "Errors.h"
#include "MtfDqeExports.h"

namespace quality {

namespace {

ConversionFit ConversionOf(const DqeRunSettings& s, const std::function<void(const imageio::LoadedImage&)>& loaded,
                           bool& measured)
{
    std::vector<ConversionPoint> points;
    measured = !s.conversion.empty();
    if (measured) {
        for (const auto& [kerma, file] : s.conversion) {
            const imageio::LoadedImage image = imageio::LoadImage(file, s.flats.load);
            if (loaded)
                loaded(image);
            points.push_back({file, kerma, CentralMean(image)});
        }
        return FitConversion(points);
    }
    // Without flat fields at other air kerma values the response is taken as proportional to it:
    // the line from the origin through the mean of the DQE's own flat fields.
    double sum = 0.0;
    for (const std::string& file : s.flats.files) {
        const imageio::LoadedImage image = imageio::LoadImage(file, s.flats.load);
        sum += CentralMean(image);
    }
    points.push_back({"(no signal)", 0.0, 0.0});
    points.push_back({"(the flat fields)", s.kerma, sum / static_cast<double>(s.flats.files.size())});
    return FitConversion(points);
}

MtfRunOutcome EdgeMtf(const DqeRunSettings& s, const std::string& file, const std::optional<EdgeRoi>& roi,
                      EdgeOrientation wanted, const ConversionFit& fit, common::ThreadPool& pool,
                      const std::function<void(const imageio::LoadedImage&)>& loaded, double pixelMm)
{
    MtfRunSettings m;
    m.file = file;
    m.load = s.flats.load;
    m.binFraction = s.binFraction;
    m.conversion = fit;
    if (roi) {
        m.roi = *roi;
    } else {
        // The whole image: its size is known once it is read.
        const imageio::LoadedImage image = imageio::LoadImage(file, s.flats.load);
        m.roi = {0, 0, image.width, image.height};
    }
    MtfRunOutcome outcome = RunMtfOnFile(m, pool, loaded);
    const char* option = wanted == EdgeOrientation::Vertical ? "--edge-v" : "--edge-h";
    if (outcome.result.orientation != wanted)
        throw common::InputError(common::TrText("quality", "%1 takes an image of a %2 edge; %3 holds a %4 one.")
                                     .Arg(option)
                                     .Arg(OrientationText(wanted))
                                     .Arg(file)
                                     .Arg(OrientationText(outcome.result.orientation)));
    if (outcome.result.pixelMm != pixelMm)
        throw common::InputError(common::TrText("quality", "%1 has a pixel spacing of %2 mm, the flat fields %3 mm.")
                                     .Arg(file)
                                     .Arg(NumberText(outcome.result.pixelMm))
                                     .Arg(NumberText(pixelMm)));
    return outcome;
}

nlohmann::json Number(double v)
{
    return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr);
}

} // namespace

DqeRunOutcome RunDqeOnFiles(const DqeRunSettings& s, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&)>& loaded)
{
    if (!(s.kerma > 0.0) || !std::isfinite(s.kerma))
        throw common::InputError(common::TrText("quality", "The air kerma of the flat fields must be above 0 uGy."));
    if (s.flats.files.empty())
        throw common::InputError(common::TrText("quality", "The DQE needs at least one flat field."));
    DqeRunOutcome out;
    out.kerma = s.kerma;
    out.quality = s.quality;
    out.photonsPerAreaPerKerma = PhotonsPerAreaPerKerma(s.quality);
    out.conversion = ConversionOf(s, loaded, out.conversionMeasured);
    if (!out.conversionMeasured)
        out.notes.push_back(common::TrText("quality", "No --conversion flat fields: the response is taken as "
                                                      "proportional to air kerma (no offset)."));
    nps::NpsRunHooks hooks;
    hooks.loaded = loaded;
    out.nps = nps::RunNpsOnFiles(s.flats, pool, {}, hooks);
    for (const common::Text& note : out.nps.result.notes)
        out.notes.push_back(note);
    const double pixelMm = out.nps.result.pixelMm;
    out.mtfU = EdgeMtf(s, s.edgeVertical, s.roiVertical, EdgeOrientation::Vertical, out.conversion, pool, loaded, pixelMm);
    out.mtfV =
        EdgeMtf(s, s.edgeHorizontal, s.roiHorizontal, EdgeOrientation::Horizontal, out.conversion, pool, loaded, pixelMm);
    for (const MtfRunOutcome* m : {&out.mtfU, &out.mtfV})
        for (const common::Text& note : m->result.notes)
            out.notes.push_back(common::TrText("quality", "%1: %2").Arg(m->name).Arg(note));

    const double gainSquared = out.conversion.gain * out.conversion.gain;
    std::vector<double> frequencies, npsU, npsV;
    for (const nps::NpsCurvePoint& p : out.nps.result.curve) {
        frequencies.push_back(p.frequency);
        npsU.push_back(p.uAxis / gainSquared);
        npsV.push_back(p.vAxis / gainSquared);
    }
    out.u = DqeCurve(out.mtfU.result.curve, frequencies, npsU, s.kerma, out.photonsPerAreaPerKerma);
    out.v = DqeCurve(out.mtfV.result.curve, frequencies, npsV, s.kerma, out.photonsPerAreaPerKerma);
    return out;
}

std::string DqeTableText(const DqeRunOutcome& o)
{
    std::string text = "frequency_per_mm,mtf_u,nnps_u,dqe_u,mtf_v,nnps_v,dqe_v\n";
    for (std::size_t i = 0; i < o.u.size(); ++i)
        text += NumberText(o.u[i].frequency) + ',' + NumberText(o.u[i].mtf) + ',' + NumberText(o.u[i].nnps) + ',' +
                NumberText(o.u[i].dqe) + ',' + NumberText(o.v[i].mtf) + ',' + NumberText(o.v[i].nnps) + ',' +
                NumberText(o.v[i].dqe) + '\n';
    return text;
}

std::string DqeSummaryJson(const DqeRunOutcome& o)
{
    nlohmann::json j;
    j["beam_quality"] = BeamQualityName(o.quality);
    j["photons_per_mm2_per_ugy"] = Number(o.photonsPerAreaPerKerma);
    j["air_kerma_ugy"] = Number(o.kerma);
    j["flat_fields"] = o.nps.names;
    j["roi_count"] = o.nps.result.roiCount;
    j["roi_size"] = o.nps.result.n;
    j["pixel_spacing_mm"] = Number(o.nps.result.pixelMm);
    j["conversion_measured"] = o.conversionMeasured;
    j["conversion"] = nlohmann::json::parse(ConversionJson(o.conversion));
    j["edge_u"] = nlohmann::json::parse(MtfSummaryJson(o.mtfU));
    j["edge_v"] = nlohmann::json::parse(MtfSummaryJson(o.mtfV));
    j["notes"] = nps::PlainTexts(o.notes);
    return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace quality
