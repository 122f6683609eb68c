#pragma once
// Decoding the DICOM files the header scanner cannot show correctly: compressed (JPEG, JPEG-LS,
// JPEG 2000, RLE), deflated, big-endian, multi-frame, 8/32-bit or colour. The result is plain
// data: every frame as the viewer's 16-bit words and a stream the header scanner reads as it reads
// any uncompressed file (see FrameStream.h).
//
// Before the decoding library sees a byte, the file is walked and every stated length checked
// against it, and rows x columns x bytes x samples x frames against the pixel data (uncompressed)
// or the decode limit (compressed). Every refusal is a DecodeError naming the transfer syntax.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "DecodeError.h"

namespace imageio {

struct DicomPixels {
    std::int32_t columns = 0;
    std::int32_t rows = 0;
    std::int32_t frames = 1;
    std::vector<std::uint16_t> words;  // frames x rows x columns, read as signed 16-bit values
    std::int64_t valueShift = 0;       // subtracted from values beyond signed 16 bits; the offset adds it back
    std::int32_t valueOffset = 0;      // Rescale Intercept truncated plus the shift: value = signed word + this
    int scaleBits = 0;                 // 32-bit values wider than 16 bits were divided by 2^scaleBits
    common::Text syntaxText = common::Text::Verbatim("");  // "JPEG Lossless SV1 (1.2.840.10008.1.2.4.70)"
    bool colour = false;               // shown as luminance
    std::string spacing;               // first value of the spacing used; empty when none is stated
    std::string spacingSource;         // "PixelSpacing", "ImagerPixelSpacing" or empty
    // The first value of each spacing element at the top level, trimmed; empty when absent. A
    // measurement in the detector plane chooses among them itself.
    std::string pixelSpacing, imagerPixelSpacing, detectorElementSpacing;
    std::string rescaleSlope;          // as stated; empty when absent
    std::vector<std::string> codecNotes;  // warnings the codec printed while it decoded the file
    // The header of the stream the viewer reads: an uncompressed little-endian file up to its
    // first pixel value, stating 16-bit signed monochrome pixels, one frame, and the intercept plus
    // the value shift.
    std::vector<std::uint8_t> header;
    bool explicitVr = true;
};

struct DecodeLimits {
    std::uint64_t maxDecodedBytes = std::uint64_t{1} << 30;  // all frames, as the library returns them
    // How long the codec's helper process may take; by default it grows with the decoded size.
    std::optional<std::chrono::milliseconds> helperTimeout;
};

DicomPixels DecodeDicomBytes(std::span<const std::uint8_t> file, const DecodeLimits& limits = {});
// One walk of the file: nothing when the header reader shows it as it stands (see DecodeReason),
// else the decoded pixels or the decoder's refusal.
std::optional<DicomPixels> DecodeIfNeeded(std::span<const std::uint8_t> file, const DecodeLimits& limits = {});

} // namespace imageio
