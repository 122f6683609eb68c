#include "MtfDqeExports.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

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
        list.push_back({{"frequency_per_mm", Number(p.frequency)}, {"mtf", Number(p.mtf)}});
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

std::string MtfTableText(const MtfResult& result)
{
    std::string text = "frequency_per_mm,mtf\n";
    for (const MtfPoint& p : result.curve)
        text += NumberText(p.frequency) + ',' + NumberText(p.mtf) + '\n';
    return text;
}

std::string MtfSummaryJson(const MtfRunOutcome& outcome)
{
    const MtfResult& r = outcome.result;
    nlohmann::json j;
    j["image"] = outcome.name;
    j["roi"] = {{"x", outcome.roi.x}, {"y", outcome.roi.y}, {"width", outcome.roi.width}, {"height", outcome.roi.height}};
    j["pixel_spacing_mm"] = Number(r.pixelMm);
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
    j["mtf10_per_mm"] = Number(r.mtf10);
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

} // namespace quality
