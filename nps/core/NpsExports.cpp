#include "NpsExports.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>

namespace nps {

std::string NumberField(double value)
{
    if (!std::isfinite(value))
        return {};
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::vector<std::string> PlainTexts(const std::vector<common::Text>& texts)
{
    std::vector<std::string> plain;
    plain.reserve(texts.size());
    for (const common::Text& text : texts)
        plain.push_back(text.Plain());
    return plain;
}

namespace {

// Bin centres are multiples of the bin width: 12 significant digits drop the binary noise of
// the product (0.30000000000000004 for 3 x 0.1).
std::string FrequencyField(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 12).ptr;
    return std::string(text, end);
}

} // namespace

std::string NpsTableText(const NpsResult& result)
{
    std::string text = "frequency_per_mm,nps,standard_error,count,nnps,nps_u_axis,nps_v_axis\n";
    for (const NpsCurvePoint& p : result.curve) {
        text += FrequencyField(p.frequency) + ',' + NumberField(p.nps) + ',' + NumberField(p.standardError) + ',' +
                std::to_string(p.count) + ',' + NumberField(p.nnps) + ',' + NumberField(p.uAxis) + ',' +
                NumberField(p.vAxis) + '\n';
    }
    return text;
}

std::string NpsSummaryJson(const NpsResult& result, const std::vector<std::string>& imageNames)
{
    const auto number = [](double v) { return std::isfinite(v) ? nlohmann::json(v) : nlohmann::json(nullptr); };
    nlohmann::json j;
    j["images"] = imageNames;
    j["image_count"] = result.imageCount;
    j["roi_count"] = result.roiCount;
    j["roi_size"] = result.n;
    j["pixel_spacing_mm"] = result.pixelMm;
    j["detrend"] = DetrendName(result.detrend);
    j["detrend_scope"] = DetrendScopeName(result.scope);
    j["bin_width_per_mm"] = result.binWidth;
    j["axis_lines"] = result.axisLines;
    j["axis_placement"] = AxisPlacementName(result.axisPlacement);
    j["mean_signal"] = number(result.meanSignal);
    // Two figures that differ when the trend is fitted over the area: each ROI then keeps its
    // offset from the area's fit, which the NPS holds at the lowest frequencies.
    j["mean_square_detrended"] = number(result.meanSquare);
    j["roi_variance"] = number(result.roiVariance);
    j["nps_integral"] = number(result.integral);
    j["parseval_relative_error"] = number(result.parsevalRelativeError);
    j["notes"] = PlainTexts(result.notes);
    j["units"] = {{"frequency", "cycles/mm"}, {"nps", "value^2 mm^2"}, {"nnps", "mm^2"}};
    // A file name need not be UTF-8: invalid bytes become U+FFFD instead of failing the summary.
    return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace nps
