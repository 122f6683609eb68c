#pragma once
// What a codec library is given to decode one file's compressed frames, and what it gives back:
// only facts the length walk and the checks before the codec have already bounded, and the
// fragments themselves. The same request is decoded in the helper process (DecoderProcess.h) and,
// inside it, by the library (LibraryCodec.h); it crosses the process boundary as bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace imageio {

struct CodecRequest {
    std::string transferSyntax;  // UID
    std::string photometric;     // as the header states it ("MONOCHROME2" when absent)
    std::uint32_t columns = 0, rows = 0, frames = 1;
    std::uint16_t samplesPerPixel = 1, bitsAllocated = 16, bitsStored = 16, pixelRepresentation = 0, planar = 0;
    std::uint64_t need = 0;  // bytes the decoded frames take
    std::vector<std::span<const std::uint8_t>> fragments;  // without the offset table
    // Tests make the helper misbehave on purpose ("abort", "hang", "run-program", "write-file"),
    // to prove that the program survives it; empty otherwise.
    std::string testAction;
};

struct CodecResult {
    bool decoded = false;
    std::string holds;                // the photometric interpretation of the samples written
    std::vector<std::string> notes;   // what the codec printed while it decoded
    std::string failure;              // why it did not decode, in words for the refusal
};

// The request as bytes for the helper process, and back. ParseCodecRequest keeps spans into
// `bytes` and returns nothing for bytes that are not a whole, well-formed request.
std::vector<std::uint8_t> SerialiseCodecRequest(const CodecRequest& request);
std::optional<CodecRequest> ParseCodecRequest(std::span<const std::uint8_t> bytes);

// The helper's answer: the length of what follows, the result, then request.need bytes of samples
// when it decoded. ParseCodecResult reads the part after the length.
std::vector<std::uint8_t> SerialiseCodecResult(const CodecResult& result);
std::optional<CodecResult> ParseCodecResult(std::span<const std::uint8_t> bytes);

} // namespace imageio
