#pragma once
// Decoding in the helper process: the request goes to a fresh helper (decoder/DecoderMain.cpp)
// over a socket, the samples come back the same way. Whatever the codec does on a hostile file
// (abort, crash, a limit, a hang), this process goes on and the file is refused.
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "CodecRequest.h"

namespace imageio {

struct HelperOptions {
    // How long to wait for the helper before it is killed; by default a little more than the CPU
    // time it may use for the request's size.
    std::optional<std::chrono::milliseconds> timeout;
};

// Decodes into the buffer `out` gives (request.need bytes), asked for only once the helper has
// decoded, so that a file the codec refuses costs no memory here. Raises DecodeError naming
// `syntaxText` when the helper cannot be started or stops; a refusal of the codec's own comes back
// as a result that did not decode.
CodecResult DecodeInHelper(const CodecRequest& request, const std::function<char*()>& out,
                           const common::Text& syntaxText, const HelperOptions& options = {});

// Where the helper program is: $SPECTRUM_DECODER, else beside this program, else in the build tree.
std::string DecoderHelperPath();

} // namespace imageio
