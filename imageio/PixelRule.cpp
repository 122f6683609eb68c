#include "PixelRule.h"

namespace imageio {

std::uint16_t FetchElement(const PixelSource& source, long long column, long long row)
{
    const long long index = row * source.width + column;
    const long long at = source.headerOffset + index * source.bytesPerPixel;
    if (at < 0 || at + source.bytesPerPixel > static_cast<long long>(source.stream.size()))
        return 0;
    const std::uint8_t* p = source.stream.data() + at;
    if (source.bytesPerPixel == 1)
        return p[0];
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

long long MatrixEndByte(const PixelSource& source)
{
    return source.headerOffset +
           static_cast<long long>(source.width) * source.height * source.bytesPerPixel;
}

} // namespace imageio
