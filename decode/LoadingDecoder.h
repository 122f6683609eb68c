#pragma once
// The decoder as the command line and the NPS window load images: the same files decoded, the
// same frame 1 and matrix as the viewer shows.
#include <optional>

#include "ImageLoading.h"

namespace decode {

// Nothing for a file the header reader shows as it stands; a refusal raises DecodeError.
std::optional<viewer::DecodedDicom> DecodeForLoading(const std::vector<std::uint8_t>& file);

} // namespace decode
