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

#include "Text.h"

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

// Why the codec did not decode. The helper reports what happened, not words: the program that
// shows the refusal words it in its user's language (CodecFailureText).
enum class CodecFailure : std::uint8_t {
    None,
    BufferLength,  // the library expects `expectedBytes` where the request states `statedBytes`
    Corrupt,  // the library refused the data; the first note says why, in its own words
    OutOfMemory,  // more than the helper may take
    Exception,  // the library threw; `detail` is its message
};

struct CodecResult {
    bool decoded = false;
    std::string holds;                // the photometric interpretation of the samples written
    std::vector<std::string> notes;   // what the codec printed while it decoded
    CodecFailure failure = CodecFailure::None;
    std::uint64_t expectedBytes = 0, statedBytes = 0;
    std::string detail;
};

// Why the codec did not decode, for the refusal ("the compressed pixel data are corrupt or
// truncated (<the codec's first note>)"). The codec's own words stay as they are.
common::Text CodecFailureText(const CodecResult& result);

// "the decoder failed: <what>", where `what` is a library's own message.
common::Text DecoderFailedText(const std::string& what);

// The request as bytes for the helper process, and back. ParseCodecRequest keeps spans into
// `bytes` and returns nothing for bytes that are not a whole, well-formed request.
std::vector<std::uint8_t> SerialiseCodecRequest(const CodecRequest& request);
std::optional<CodecRequest> ParseCodecRequest(std::span<const std::uint8_t> bytes);

// The helper's answer: the length of what follows, the result, then request.need bytes of samples
// when it decoded. ParseCodecResult reads the part after the length.
std::vector<std::uint8_t> SerialiseCodecResult(const CodecResult& result);
std::optional<CodecResult> ParseCodecResult(std::span<const std::uint8_t> bytes);

} // namespace imageio
