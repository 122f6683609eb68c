#pragma once
// Raw files carry their matrix size and pixel spacing in the name:
// "knee 256 256 0p39.raw" -> 256 columns, 256 rows, spacing "0p39" (0.39 mm).
#include <string>
#include <string_view>

namespace imageio {

struct NameFields {
    std::string columns;       // field 2
    std::string rows;          // field 3
    std::string spacingField;  // everything after the third blank, as written ("0p39")
};

// The base name: the text after the last path separator, cut before its first ".".
std::string BaseNameOf(std::string_view path);

NameFields SplitFileName(std::string_view path);

// The spacing text with its first lowercase "p" turned into the decimal point.
std::string SpacingText(std::string_view spacingField);

} // namespace imageio
