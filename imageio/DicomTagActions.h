#pragma once
// What the header reader does with the elements it recognises: viewer parameters, the orientation
// marker, and the lines of the acquisition summary.
#include <cstdint>
#include <string>
#include <string_view>

#include "DicomHeader.h"

namespace imageio {

struct DicomTagState {
    DicomEdits edits;
    DicomSpacings spacings;
    std::string orientation;  // "LAND" marks a landscape image; read, but the sizes are Columns x Rows
};

// `value` is the element's text after the numeric conversion, `trimmed` without leading and
// trailing characters of code 32 or below. Raises the real-number conversion error for a
// DetectorActiveDimensions or RescaleIntercept value that is not a number.
void ApplyTagAction(std::uint16_t group, std::uint16_t element, const std::string& value,
                    const std::string& trimmed, DicomTagState& state);

// Adds the element's summary line, if it has one.
void AddSummaryLine(std::uint16_t group, std::uint16_t element, const std::string& value, std::string& summary);

// The text without leading and trailing characters of code 32 or below.
std::string TrimControls(std::string_view text);
std::string TrimRightControls(std::string_view text);

// A Rescale Intercept text (trimmed) as the value offset takes it: the real number truncated toward
// zero, in decimal. Raises the real-number conversion error for a text that is not a number.
std::string TruncatedIntercept(const std::string& trimmed);

} // namespace imageio
