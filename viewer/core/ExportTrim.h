#pragma once
// The trimmed ROI file: the ROI block as headerless 16-bit words, named after the file-name
// convention so that it loads back with its size and pixel spacing:
// "<base> <w> <h> <spacing>.bin".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AutoWindow.h"
#include "PixelRule.h"
#include "RoiBlock.h"
#include "Text.h"

namespace viewer {

// The spacing field of a name: the spacing text with its first "." written as "p" (0.35 -> 0p35).
std::string SpacingField(std::string_view spacingText);

// The chosen path cut before the first "." of its own file name (a dot in a folder name stays),
// followed by the block's size, the spacing field and ".bin".
std::string TrimmedFileName(std::string_view chosenPath, long long width, long long height,
                            std::string_view spacingText);

// The block's words as stored, low byte first as in the file (no swap, no value offset); in 8-bit
// mode each byte widened to a word, so the file loads back in 16-bit mode with the same values.
// Raises InputError for a block without samples or one that reaches outside the image.
std::vector<std::uint8_t> TrimmedBytes(const imageio::PixelSource& source, const RoiBlock& block);

// The file keeps the stored words, which the name convention re-opens as signed 16-bit words plus
// the Offset. When the block's values (as every tool sees them) lie beyond what a signed word holds,
// the values come back only with the same Offset: the text that says so before the file is
// written, naming the range and the Offset. Nothing when every value fits a signed word.
std::optional<common::Text> TrimmedValuesNote(const imageio::PixelSource& source, const RoiBlock& block,
                                              const SampleRule& rule);

} // namespace viewer
