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

std::string NpsTableText(const NpsResult& result)
{
    std::string text = "frequency_per_mm,nps,standard_error,count,nnps,nps_u_axis,nps_v_axis\n";
    for (const NpsCurvePoint& p : result.curve) {
        text += NumberField(p.frequency) + ',' + NumberField(p.nps) + ',' + NumberField(p.standardError) + ',' +
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
    j["mean_signal"] = number(result.meanSignal);
    j["variance"] = number(result.variance);
    j["nps_integral"] = number(result.integral);
    j["parseval_relative_error"] = number(result.parsevalRelativeError);
    j["units"] = {{"frequency", "cycles/mm"}, {"nps", "value^2 mm^2"}, {"nnps", "mm^2"}};
    // A file name need not be UTF-8: invalid bytes become U+FFFD instead of failing the summary.
    return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

} // namespace nps
