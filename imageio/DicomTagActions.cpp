#include "DicomTagActions.h"

#include <cmath>
#include <utility>

#include "Conversions.h"
#include "Errors.h"

namespace imageio {

namespace {

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// The text before the first "\", or empty when there is none.
std::string BeforeBackslash(const std::string& text)
{
    const std::size_t at = text.find('\\');
    return at == std::string::npos ? std::string() : text.substr(0, at);
}

std::string UpToBackslash(const std::string& text) { return text.substr(0, text.find('\\')); }

void ApplyTransferSyntax(const std::string& value, DicomTagState& state)
{
    const std::string uid = TrimRightControls(value);
    if (uid == "1.2.840.10008.1.2" || uid == "1.2.840.10008.1.2.1")
        state.edits.swap = false;
    else if (uid == "1.2.840.10008.1.2.2")
        state.edits.swap = true;
}

void ApplyDetectorDimensions(const std::string& value, DicomTagState& state)
{
    const std::string text = TrimRightControls(value);
    const std::size_t at = text.find('\\');
    const double first = common::StrToFloat(at == std::string::npos ? std::string() : text.substr(0, at));
    const double second = common::StrToFloat(at == std::string::npos ? text : text.substr(at + 1));
    if (first < second)
        state.orientation = "LAND";
}

} // namespace

std::string TruncatedIntercept(const std::string& trimmed)
{
    const double value = std::trunc(common::StrToFloat(trimmed));
    // Beyond the 64-bit range the conversion has no integer to give.
    if (!(std::fabs(value) < 9.2e18))
        common::ThrowNotInteger(trimmed);
    return common::IntToStr(static_cast<long long>(value));
}

namespace {

void ApplyWindowCenter(const std::string& trimmed, DicomTagState& state)
{
    const std::size_t at = trimmed.find('\\');
    if (at == std::string::npos) {
        state.edits.windowLevel = trimmed;
        return;
    }
    state.edits.windowLevel = trimmed.substr(0, at);
    state.edits.windowWidth = trimmed.substr(at + 1);
}

} // namespace

std::string TrimRightControls(std::string_view text)
{
    while (!text.empty() && IsControlOrBlank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

std::string TrimControls(std::string_view text)
{
    while (!text.empty() && IsControlOrBlank(text.front()))
        text.remove_prefix(1);
    return TrimRightControls(text);
}

void ApplyTagAction(std::uint16_t group, std::uint16_t element, const std::string& value,
                    const std::string& trimmed, DicomTagState& state)
{
    switch ((static_cast<std::uint32_t>(group) << 16) | element) {
    case 0x00020010: ApplyTransferSyntax(value, state); break;
    case 0x00100000: state.orientation = value.substr(0, 1); break;
    case 0x20100040: state.orientation = value.substr(0, 4); break;
    case 0x00187026: ApplyDetectorDimensions(value, state); break;
    case 0x00280010: state.edits.sizeY = value; break;  // Rows: the matrix's height
    case 0x00280011: state.edits.sizeX = value; break;  // Columns: its width
    case 0x00280030:
        state.edits.pixelSpacing = BeforeBackslash(trimmed);
        state.spacings.pixel = UpToBackslash(trimmed);
        state.spacings.editTag = 0x00280030;
        break;
    case 0x00187022:
        state.edits.pixelSpacing = BeforeBackslash(trimmed);
        state.spacings.detectorElement = UpToBackslash(trimmed);
        state.spacings.editTag = 0x00187022;
        break;
    case 0x00181164: state.spacings.imager = UpToBackslash(trimmed); break;
    case 0x00181100: state.edits.fov = trimmed; break;
    case 0x00281052: state.edits.offset = TruncatedIntercept(trimmed); break;
    case 0x00281050: ApplyWindowCenter(trimmed, state); break;
    case 0x00281051: state.edits.windowWidth = UpToBackslash(trimmed); break;
    default: break;
    }
}

void AddSummaryLine(std::uint16_t group, std::uint16_t element, const std::string& value, std::string& summary)
{
    struct Label {
        std::uint16_t element;
        int group;  // -1: any group
        const char* text;
    };
    static const Label labels[] = {
        {0x0010, 0x0028, "DspMtrx : "}, {0x0030, 0x0028, "mmPSize : "}, {0x0050, 0x0018, "mmST : "},
        {0x0080, 0x0018, "msTR : "},    {0x0081, 0x0018, "msTE : "},    {0x0083, 0x0018, "Ac : "},
        {0x0089, 0x0018, "PE# : "},     {0x0091, 0x0018, "ETL : "},     {0x0095, 0x0018, "Hz/pxl : "},
        {0x103E, -1, "Se : "},          {0x1100, 0x0018, "mmFOV : "},   {0x1152, -1, "mAs : "},
        {0x1210, -1, "RF : "},          {0x1250, 0x0018, "Coil : "},    {0x1310, 0x0018, "AcMtrx : "},
        {0x1312, 0x0018, "PE : "},      {0x7022, 0x0018, "mmPSize : "},
    };
    if (element == 0x0060 && group != 0x0008) {
        summary += "kV : " + value + "\r\n";
        return;
    }
    if (element == 0x1090 && group == 0x0008) {
        summary = value + "\r\n" + summary;  // the model name heads the summary
        return;
    }
    for (const Label& label : labels)
        if (label.element == element && (label.group < 0 || label.group == group)) {
            summary += label.text + value + "\r\n";
            return;
        }
}

} // namespace imageio
