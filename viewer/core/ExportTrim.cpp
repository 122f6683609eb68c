#include "ExportTrim.h"

#include "Conversions.h"
#include "SampleScan.h"

#include <algorithm>

namespace viewer {

std::string SpacingField(std::string_view spacingText)
{
    std::string field(spacingText);
    const std::size_t dot = field.find('.');
    if (dot != std::string::npos)
        field[dot] = 'p';
    return field;
}

std::string TrimmedFileName(std::string_view chosenPath, long long width, long long height,
                            std::string_view spacingText)
{
    const std::size_t slash = chosenPath.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = chosenPath.find('.', nameStart);
    const std::string_view base = dot == std::string_view::npos ? chosenPath : chosenPath.substr(0, dot);
    return std::string(base) + " " + common::IntToStr(width) + " " + common::IntToStr(height) + " " +
           SpacingField(spacingText) + ".bin";
}

std::vector<std::uint8_t> TrimmedBytes(const imageio::PixelSource& source, const RoiBlock& block)
{
    const std::vector<std::uint16_t> words = ReadBlockElements(source, block);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(words.size() * 2);
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

std::optional<common::Text> TrimmedValuesNote(const imageio::PixelSource& source, const RoiBlock& block,
                                              const SampleRule& rule)
{
    std::int32_t low = 0, high = 0;
    bool first = true;
    ForEachSample(source, block, rule, [&](std::int32_t v) {
        low = first ? v : std::min(low, v);
        high = first ? v : std::max(high, v);
        first = false;
    });
    if (first || (low >= -32768 && high <= 32767))
        return std::nullopt;
    common::Text note =
        rule.swap ? common::TrText("viewer", "The ROI's values run from %1 to %2, beyond what a signed 16-bit word "
                                             "holds. The file keeps the words as stored; to get these values back, "
                                             "open it in 16bit with Offset %3 and Swap checked (other programs: "
                                             "16-bit signed raw, plus %3).")
                  : common::TrText("viewer", "The ROI's values run from %1 to %2, beyond what a signed 16-bit word "
                                             "holds. The file keeps the words as stored; to get these values back, "
                                             "open it in 16bit with Offset %3 (other programs: 16-bit signed raw, "
                                             "plus %3).");
    return note.Arg(common::IntToStr(low)).Arg(common::IntToStr(high)).Arg(common::IntToStr(rule.valueOffset));
}

} // namespace viewer
