#pragma once
// Decoding in the helper process: the request goes to a fresh helper (decoder/DecoderMain.cpp)
// over a socket, the samples come back the same way. Whatever the codec does on a hostile file
// (abort, crash, a limit, a hang), this process goes on and the file is refused.
#include <chrono>
#include <optional>
#include <string>

#include "CodecRequest.h"

namespace imageio {

struct HelperOptions {
    // How long to wait for the helper before it is killed; by default a little more than the CPU
    // time it may use for the request's size.
    std::optional<std::chrono::milliseconds> timeout;
};

// Decodes into `out` (request.need bytes). Raises DecodeError naming `syntaxText` when the helper
// cannot be started, stops, or refuses; the result's failure text is not used for a refusal here.
CodecResult DecodeInHelper(const CodecRequest& request, char* out, const std::string& syntaxText,
                           const HelperOptions& options = {});

// Where the helper program is: $SPECTRUM_DECODER, else beside this program, else in the build tree.
std::string DecoderHelperPath();

} // namespace imageio
