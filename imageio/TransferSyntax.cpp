#include "TransferSyntax.h"

#include <algorithm>
#include <iterator>

namespace imageio {

namespace {

struct Syntax {
    std::string_view uid;
    std::string_view name;
    bool decoded;  // a compressed syntax we decode
    Codestream codestream = Codestream::None;
};

constexpr Syntax kSyntaxes[] = {
    {"1.2.840.10008.1.2", "Implicit VR Little Endian", false},
    {"1.2.840.10008.1.2.1", "Explicit VR Little Endian", false},
    {"1.2.840.10008.1.2.1.99", "Deflated Explicit VR Little Endian", false},
    {"1.2.840.10008.1.2.2", "Explicit VR Big Endian", false},
    {"1.2.840.10008.1.2.4.50", "JPEG Baseline", true, Codestream::JpegLossy},
    {"1.2.840.10008.1.2.4.51", "JPEG Extended", true, Codestream::JpegLossy},
    {"1.2.840.10008.1.2.4.57", "JPEG Lossless", true, Codestream::JpegLossless},
    {"1.2.840.10008.1.2.4.70", "JPEG Lossless SV1", true, Codestream::JpegLossless},
    {"1.2.840.10008.1.2.4.80", "JPEG-LS Lossless", true, Codestream::JpegLs},
    {"1.2.840.10008.1.2.4.81", "JPEG-LS Near-Lossless", true, Codestream::JpegLs},
    {"1.2.840.10008.1.2.4.90", "JPEG 2000 Lossless", true, Codestream::Jpeg2000},
    {"1.2.840.10008.1.2.4.91", "JPEG 2000", true, Codestream::Jpeg2000},
    {"1.2.840.10008.1.2.5", "RLE Lossless", true},
    {"1.2.840.10008.1.2.4.100", "MPEG2 Main Profile", false},
    {"1.2.840.10008.1.2.4.101", "MPEG2 High Profile", false},
    {"1.2.840.10008.1.2.4.102", "MPEG-4 AVC/H.264", false},
    {"1.2.840.10008.1.2.4.103", "MPEG-4 AVC/H.264 BD", false},
    {"1.2.840.10008.1.2.4.201", "HTJ2K Lossless", false},
    {"1.2.840.10008.1.2.4.202", "HTJ2K Lossless RPCL", false},
    {"1.2.840.10008.1.2.4.203", "HTJ2K", false},
};

const Syntax* Find(std::string_view uid)
{
    const auto at = std::find_if(std::begin(kSyntaxes), std::end(kSyntaxes), [&](const Syntax& s) { return s.uid == uid; });
    return at == std::end(kSyntaxes) ? nullptr : at;
}

} // namespace

common::Text TransferSyntaxText(std::string_view uid)
{
    if (uid.empty())
        return common::TrText("imageio", "no transfer syntax");
    // The standard's names are names: the same in every language.
    if (const Syntax* s = Find(uid))
        return common::Text::Verbatim(std::string(s->name) + " (" + std::string(uid) + ")");
    return common::TrText("imageio", "transfer syntax %1").Arg(uid);
}

bool IsEncapsulated(std::string_view uid)
{
    return !uid.empty() && uid != kImplicitLittle && uid != kExplicitLittle && uid != kDeflatedLittle && uid != kExplicitBig;
}

bool HasDecoder(std::string_view uid)
{
    const Syntax* s = Find(uid);
    return s && s->decoded;
}

Codestream CodestreamOf(std::string_view uid)
{
    const Syntax* s = Find(uid);
    return s ? s->codestream : Codestream::None;
}

} // namespace imageio
