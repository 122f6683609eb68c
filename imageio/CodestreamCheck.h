#pragma once
// The decoding library writes what a compressed stream's own header describes into a buffer sized
// from the DICOM header, so a stream that claims a larger image overruns it. Every fragment that
// starts a JPEG, JPEG-LS or JPEG 2000 codestream is checked against the DICOM header first.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "TransferSyntax.h"

namespace imageio {

struct StreamShape {
    long long columns = 0, rows = 0, samplesPerPixel = 1, bitsAllocated = 16;
    long long bitsStored = 0, frames = 1;  // 0: as allocated
};

// Raises DecodeError, naming `syntaxText`, when a codestream header disagrees with `shape` (size,
// components, precision beyond the allocated or, for 8-bit samples, the stored bits, subsampled
// JPEG 2000 components, JPEG samples wider than 16 bits), when there are fewer fragments than
// frames, when the first frame's fragment holds no codestream header at all, when a JPEG header
// holds what the JPEG library meets only with an assertion (see JpegHeaderProblem), or when a
// JPEG or JPEG-LS segment anywhere in a fragment runs past its end.
void CheckCodestreams(const std::vector<std::span<const std::uint8_t>>& fragments, const StreamShape& shape,
                      Codestream kind, const common::Text& syntaxText);

// Whether a JPEG 2000 codestream's COD segment asks for the multiple component transform, which
// the decoder undoes: its three components then come out as R, G, B whatever the DICOM header calls
// them. False when there is no COD segment before the first tile.
bool Jpeg2000ColourTransform(std::span<const std::uint8_t> codestream);

} // namespace imageio
