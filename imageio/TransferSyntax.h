#pragma once
// Transfer syntaxes by UID: their names for messages and how their data set and pixels are stored.
#include <string>
#include <string_view>

#include "Text.h"

namespace imageio {

inline constexpr std::string_view kImplicitLittle = "1.2.840.10008.1.2";
inline constexpr std::string_view kExplicitLittle = "1.2.840.10008.1.2.1";
inline constexpr std::string_view kDeflatedLittle = "1.2.840.10008.1.2.1.99";
inline constexpr std::string_view kExplicitBig = "1.2.840.10008.1.2.2";
inline constexpr std::string_view kRleLossless = "1.2.840.10008.1.2.5";

// "JPEG Lossless SV1 (1.2.840.10008.1.2.4.70)"; an unknown UID is shown alone, an empty one as
// "no transfer syntax".
common::Text TransferSyntaxText(std::string_view uid);

// Pixel Data held as fragments of a compressed stream.
bool IsEncapsulated(std::string_view uid);

// The compressed syntaxes this program decodes (JPEG baseline, extended and lossless, JPEG-LS,
// JPEG 2000, RLE).
bool HasDecoder(std::string_view uid);

// The kind of codestream a syntax's fragments hold: what the checks before the library look for.
enum class Codestream { None, JpegLossy, JpegLossless, JpegLs, Jpeg2000 };
Codestream CodestreamOf(std::string_view uid);

} // namespace imageio
