#include "MtfDqeExports.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

#include "NumberText.h"

namespace quality {

namespace {

nlohmann::json Number(double v)
{
    return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr);
}

nlohmann::json CurveJson(const std::vector<MtfPoint>& points)
{
    nlohmann::json list = nlohmann::json::array();
    for (const MtfPoint& p : points)
        list.push_back({{"frequency_per_mm", Number(p.frequency)},
                        {"mtf", Number(p.mtf)},
                        {"mtf_se", Number(p.standardError)}});
    return list;
}

nlohmann::json SpacingJson(const nps::SpacingUsed& s)
{
    return {{"mm", Number(s.mm)}, {"source", nps::SpacingSourceName(s)}, {"file", s.file}};
}

nlohmann::json PointJson(const DqePoint& p)
{
    return {{"mtf", Number(p.mtf)},   {"mtf_se", Number(p.mtfError)}, {"nnps", Number(p.nnps)},
            {"nnps_se", Number(p.nnpsError)}, {"dqe", Number(p.dqe)}, {"dqe_se", Number(p.dqeError)}};
}

nlohmann::json FiguresJson(const std::vector<DqeFigure>& figures)
{
    nlohmann::json list = nlohmann::json::array();
    for (const DqeFigure& f : figures)
        list.push_back({{"frequency_per_mm", Number(f.frequency)},
                        {"u", PointJson(f.u)},
                        {"v", PointJson(f.v)},
                        {"dqe_mean", Number(f.dqeMean.value)},
                        {"dqe_mean_se", Number(f.dqeMean.error)}});
    return list;
}

nlohmann::json ConversionObject(const ConversionFit& fit)
{
    nlohmann::json points = nlohmann::json::array();
    for (std::size_t i = 0; i < fit.points.size(); ++i)
        points.push_back({{"file", fit.points[i].name},
                          {"air_kerma_ugy", Number(fit.points[i].kerma)},
                          {"mean_value", Number(fit.points[i].meanValue)},
                          {"residual", Number(fit.residuals[i])}});
    return {{"model", "value = offset + gain * air_kerma_ugy"},
            {"offset", Number(fit.offset)},
            {"gain_per_ugy", Number(fit.gain)},
            {"rms_residual", Number(fit.rmsResidual)},
            {"max_relative_residual", Number(fit.maxRelativeResidual)},
            {"r_squared", Number(fit.rSquared)},
            {"points", points}};
}

std::string Dump(const nlohmann::json& j)
{
    return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace

std::string Rounded(double value)
{
    return std::isfinite(value) ? common::SignificantText(value, 4) : "-";
}

std::string MtfTableText(const MtfResult& result)
{
    std::string text = "frequency_per_mm,mtf,mtf_se\n";
    for (const MtfPoint& p : result.curve)
        text += NumberText(p.frequency) + ',' + NumberText(p.mtf) + ',' + NumberText(p.standardError) + '\n';
    return text;
}

std::string MtfSummaryJson(const MtfRunOutcome& outcome)
{
    const MtfResult& r = outcome.result;
    nlohmann::json j;
    j["image"] = outcome.name;
    if (outcome.names.size() > 1)
        j["images"] = outcome.names;
    j["roi"] = {{"x", outcome.roi.x}, {"y", outcome.roi.y}, {"width", outcome.roi.width}, {"height", outcome.roi.height}};
    j["pixel_spacing_mm"] = Number(r.pixelMm);
    j["pixel_spacing"] = SpacingJson(outcome.spacing);
    j["bin_width_px"] = Number(r.binWidthPx);
    j["orientation"] = OrientationName(r.orientation);
    j["angle_degrees"] = Number(r.angleDegrees);
    j["edge"] = {{"offset_px", Number(r.edgeOffset)},
                 {"slope", Number(r.edgeSlope)},
                 {"residual_px", Number(r.edgeResidualPx)},
                 {"lines_used", r.linesUsed}};
    j["low_level"] = Number(r.lowLevel);
    j["high_level"] = Number(r.highLevel);
    j["contrast"] = Number(r.contrast);
    j["noise"] = Number(r.noise);
    j["mtf50_per_mm"] = Number(r.mtf50);
    j["mtf50_se_per_mm"] = Number(r.mtf50StandardError);
    j["mtf10_per_mm"] = Number(r.mtf10);
    j["esf_range_px"] = {{"from", Number(r.esfLowPx)},
                         {"to", Number(r.esfHighPx)},
                         {"limit", Number(kEsfHalfRangePx)},
                         {"reason", "distances from the edge within the limit that every line reaches: the tails "
                                    "beyond carry only noise into the LSF"}};
    j["background_trend_removed"] = {{"change_low_side", Number(r.plateauChangeLow)},
                                     {"change_high_side", Number(r.plateauChangeHigh)},
                                     {"unit", "fraction of the contrast over the ESF range"}};
    j["uncertainty"] = {{"groups", r.uncertaintyGroups},
                        {"method", "standard error by the jackknife: the MTF without each group of lines in turn "
                                   "(runs of 4 lines dealt out to the groups)"}};
    if (r.edges.size() > 1) {
        nlohmann::json edges = nlohmann::json::array();
        for (const EdgeFit& e : r.edges)
            edges.push_back({{"offset_px", Number(e.offset)},
                             {"slope", Number(e.slope)},
                             {"angle_degrees", Number(e.angleDegrees)},
                             {"residual_px", Number(e.residualPx)},
                             {"lines_used", e.linesUsed}});
        j["edges"] = edges;
    }
    j["mtf_at_half_cycles_per_mm"] = CurveJson(r.halfSteps);
    j["esf"] = {{"start_px", Number(r.esfStartPx)}, {"step_px", Number(r.binWidthPx)}, {"values", r.esf}};
    j["lsf"] = {{"start_px", Number(r.esfStartPx + 0.5 * r.binWidthPx)}, {"step_px", Number(r.binWidthPx)},
                {"values", r.lsf}};
    j["notes"] = nps::PlainTexts(r.notes);
    return Dump(j);
}

std::string ConversionJson(const ConversionFit& fit)
{
    return Dump(ConversionObject(fit));
}

std::string DqeTableText(const DqeRunOutcome& o)
{
    std::string text = "frequency_per_mm,mtf_u,nnps_u,dqe_u,mtf_v,nnps_v,dqe_v,mtf_u_se,nnps_u_se,dqe_u_se,mtf_v_se,"
                       "nnps_v_se,dqe_v_se,dqe_mean,dqe_mean_se,air_kerma_ugy\n";
    for (const DqeLevel& level : o.levels)
        for (std::size_t i = 0; i < level.u.size(); ++i) {
            const DqePoint& u = level.u[i];
            const DqePoint& v = level.v[i];
            const MeanWithError mean = MeanOfAxes(u.dqe, u.dqeError, v.dqe, v.dqeError);
            for (const double value : {u.frequency, u.mtf, u.nnps, u.dqe, v.mtf, v.nnps, v.dqe, u.mtfError, u.nnpsError,
                                       u.dqeError, v.mtfError, v.nnpsError, v.dqeError, mean.value, mean.error})
                text += NumberText(value) + ',';
            text += NumberText(level.kerma) + '\n';
        }
    return text;
}

std::string DqeSummaryJson(const DqeRunOutcome& o)
{
    const DqeLevel& first = o.First();
    nlohmann::json j;
    j["beam_quality"] = BeamQualityName(o.quality);
    j["photons_per_mm2_per_ugy"] = Number(o.photonsPerAreaPerKerma);
    j["photons_source"] = o.photonsGiven ? "given" : std::string("table: ") + BeamQualityName(o.quality);
    j["air_kerma_ugy"] = Number(first.kerma);
    j["flat_fields"] = first.nps.names;
    j["roi_count"] = first.nps.result.roiCount;
    j["roi_size"] = first.nps.result.n;
    j["nps_pixels"] = first.npsPixels;
    j["pixel_spacing_mm"] = Number(first.nps.result.pixelMm);
    j["pixel_spacing"] = SpacingJson(o.spacing);
    j["conversion_measured"] = o.conversionMeasured;
    j["assumed_proportional"] = !o.conversionMeasured;
    j["conversion"] = nlohmann::json::parse(ConversionJson(o.conversion));
    j["edge_u"] = nlohmann::json::parse(MtfSummaryJson(o.mtfU));
    j["edge_v"] = nlohmann::json::parse(MtfSummaryJson(o.mtfV));
    j["uncertainty"] = "standard errors: MTF from groups of edge lines, NNPS from the scatter of the ROIs (overlap "
                       "taken into account), DQE propagated to first order; air kerma and q not included";
    j["figures"] = FiguresJson(first.figures);
    nlohmann::json levels = nlohmann::json::array();
    for (const DqeLevel& level : o.levels)
        levels.push_back({{"air_kerma_ugy", Number(level.kerma)},
                          {"flat_fields", level.nps.names},
                          {"roi_count", level.nps.result.roiCount},
                          {"nps_pixels", level.npsPixels},
                          {"figures", FiguresJson(level.figures)}});
    j["levels"] = levels;
    j["notes"] = nps::PlainTexts(o.notes);
    return Dump(j);
}

} // namespace quality
