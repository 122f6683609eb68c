#pragma once
// RLE Lossless: each frame one fragment, a 64-byte header of segment offsets, each segment one byte
// of every sample (most significant first, per colour sample) compressed PackBits-style.
// The decoding library interleaves 16-bit colour segments wrongly, so this program decodes RLE itself.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Text.h"

namespace imageio {

// Frames out as little-endian samples, colour interleaved (R G B per pixel). Raises DecodeError,
// naming `syntaxText`, for a missing frame, a wrong segment count, offsets outside the fragment or
// a segment that ends before its pixels.
std::vector<std::uint8_t> DecodeRle(const std::vector<std::span<const std::uint8_t>>& fragments, long long columns,
                                    long long rows, long long frames, int bytesPerSample, int samplesPerPixel,
                                    const common::Text& syntaxText);

} // namespace imageio
