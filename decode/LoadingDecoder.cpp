#include "LoadingDecoder.h"

#include "DicomDecode.h"
#include "ElementWalk.h"
#include "FrameStream.h"

namespace decode {

std::optional<viewer::DecodedDicom> DecodeForLoading(const std::vector<std::uint8_t>& file)
{
    if (!DecodeReason(file))
        return std::nullopt;
    const DicomPixels pixels = DecodeDicomBytes(file);
    viewer::DecodedDicom decoded;
    decoded.stream = FrameStream(pixels, 0);
    decoded.width = pixels.columns;
    decoded.height = pixels.rows;
    decoded.headerBytes = static_cast<long long>(pixels.header.size());
    decoded.pixelSpacing = pixels.spacing;
    return decoded;
}

} // namespace decode
