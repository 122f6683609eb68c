#pragma once
// The codec library (GDCM and the codecs it calls) decoding one request into a buffer. This runs
// untrusted code on untrusted bytes: only the decoder helper process calls it (DecoderProcess.h),
// never a window or the command line directly.
#include "CodecRequest.h"

namespace imageio {

// Decodes into `out`, request.need bytes long. Never throws for bad data: the result says why.
CodecResult DecodeWithCodecLibrary(const CodecRequest& request, char* out);

} // namespace imageio
