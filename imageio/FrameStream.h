#pragma once
// The stream a decoded frame is shown from: the decoded header, the frame's words little-endian,
// and trailing padding so that the Pixel Data tag lies in the first half of the stream, where the
// header scanner looks for it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "DicomDecode.h"
#include "ElementWalk.h"

namespace imageio {

// Raises std::out_of_range for a frame outside 0 .. frames - 1.
std::vector<std::uint8_t> FrameStream(const DicomPixels& pixels, std::int32_t frame);

// Lines for the summary: the transfer syntax decoded, "frame k of K" (k from 1), luminance for
// colour, the value shift, a rescale slope that is not applied, the spacing's source, and each
// warning the codec gave.
std::vector<common::Text> DecodedSummaryLines(const DicomPixels& pixels, std::int32_t frame);
// The same lines in their source form, CR LF after each.
std::string DecodedSummary(const DicomPixels& pixels, std::int32_t frame);

// What the viewer says when the codec reported a problem with a file it still decoded; nothing
// for a file decoded without a word.
std::optional<common::Text> DamageWarning(const DicomPixels& pixels);

// The header of the decoded stream: the walked file's top-level elements (sequences, group
// lengths, values over 65,534 bytes, long-form VRs other than OB/OW/UN and the pixel module left
// out, big-endian values turned little-endian), the pixel module of one frame of signed 16-bit words, and the Pixel Data
// element's own header. `intercept` replaces Rescale Intercept when not empty.
std::vector<std::uint8_t> DecodedHeader(const DicomFacts& facts, std::int32_t columns, std::int32_t rows,
                                        const std::string& intercept);

} // namespace imageio
