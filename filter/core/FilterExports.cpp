#include "FilterExports.h"

#include <bit>
#include <cstring>

#include "Errors.h"
#include "NumberText.h"

namespace filter {

namespace {

void PutLittle(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::vector<std::uint8_t> FilteredRawFile(const spectrum::SquareMatrix& image, int n)
{
    std::vector<std::uint8_t> out;
    out.reserve(4 * static_cast<std::size_t>(n) * n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const float v = static_cast<float>(image[x][y] / n / n);
            PutLittle(out, std::bit_cast<std::uint32_t>(v), 4);
        }
    return out;
}

std::vector<std::uint8_t> BmpFile(const common::GreyBitmap& bitmap)
{
    const std::uint32_t width = static_cast<std::uint32_t>(bitmap.Width());
    const std::uint32_t height = static_cast<std::uint32_t>(bitmap.Height());
    const std::uint32_t stride = (width + 3) / 4 * 4;
    const std::uint32_t offset = 14 + 40 + 256 * 4;
    const std::uint32_t imageSize = stride * height;
    std::vector<std::uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLittle(out, offset + imageSize, 4);
    PutLittle(out, 0, 4);          // reserved
    PutLittle(out, offset, 4);     // start of the pixels
    PutLittle(out, 40, 4);         // BITMAPINFOHEADER
    PutLittle(out, width, 4);
    PutLittle(out, height, 4);     // positive: bottom-up rows
    PutLittle(out, 1, 2);          // planes
    PutLittle(out, 8, 2);          // bits per pixel
    PutLittle(out, 0, 4);          // no compression
    PutLittle(out, imageSize, 4);
    PutLittle(out, 0, 4);          // pixels per metre, x and y: unspecified
    PutLittle(out, 0, 4);
    PutLittle(out, 256, 4);        // colours used
    PutLittle(out, 0, 4);          // colours important: all
    for (std::uint32_t k = 0; k < 256; ++k)
        PutLittle(out, k | (k << 8) | (k << 16), 4);  // blue, green, red, reserved
    for (std::uint32_t row = height; row-- > 0;) {
        const std::uint8_t* pixels = bitmap.Row(static_cast<int>(row));
        out.insert(out.end(), pixels, pixels + width);
        out.insert(out.end(), stride - width, std::uint8_t{0});
    }
    return out;
}

double ClipValue(const ClipSource& source, double element)
{
    switch (source.view) {
    case View::Power:
        return element;
    case View::Filter:
        return element * element / source.divisor / source.divisor * 100;
    default:
        return element / source.divisor;
    }
}

namespace {

template <typename Format>
std::string ValuesText(const spectrum::SquareMatrix& m, int n, Format format)
{
    std::string text;
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (x)
                text += '\t';
            text += format(m[x][y]);
        }
        text += "\r\n";
    }
    return text;
}

} // namespace

namespace {

const char* ViewCaption(View view)
{
    static const char* const captions[] = {"Raw", "Filtered", "Power", "Filter", "Convolution"};
    return captions[static_cast<int>(view)];
}

} // namespace

std::string ViewValuesText(const ClipSource& source, int n)
{
    // Divided by a maximum of 0 or below, the values would be undefined or come out with their
    // signs turned (a ROI in air: -1024 / -24 = 42.67).
    if (source.view != View::Power && !(source.divisor > 0.0))
        throw common::InputError(common::TrText("filter", "\"ToClipB\" divides the %1 view's values by its maximum, "
                                                          "which is %2 here: only a maximum above 0 keeps the values' "
                                                          "signs. Nothing was copied.")
                                     .Arg(ViewCaption(source.view))
                                     .Arg(common::FloatToStr(source.divisor)));
    return ValuesText(*source.matrix, n, [&](double e) {
        return common::SingleToStr(static_cast<float>(ClipValue(source, e)));
    });
}

std::string DoubleValuesText(const spectrum::SquareMatrix& m, int n)
{
    return ValuesText(m, n, [](double e) { return common::FloatToStr(e); });
}

} // namespace filter
