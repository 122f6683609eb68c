#include "RoiSpectrum.h"

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "SpectrumMap.h"

namespace cli {

namespace {

int KindIndex(const std::string& kind)
{
    const char* names[] = {"power", "abs", "real", "imag"};
    for (int i = 0; i < 4; ++i)
        if (kind == names[i])
            return i;
    throw common::InputError("The spectrum kind must be power, abs, real or imag, not '" + kind + "'.");
}

} // namespace

SquareRoi ParseSquareRoi(const std::string& text, const imageio::LoadedImage& image)
{
    const auto v = OptionValue("--roi", text, [&] { return common::IntList(text, 3, "--roi"); });
    spectrum::CheckMatrixSize(v[2]);
    const SquareRoi roi{v[0], v[1], v[2]};
    if (roi.x < 0 || roi.y < 0 || roi.x + roi.n > image.width || roi.y + roi.n > image.height)
        throw common::InputError(imageio::kRoiOutsideImageMessage);
    return roi;
}

std::unique_ptr<RoiSpectrum> TransformRoi(const imageio::LoadedImage& image, const SquareRoi& roi, const std::string& kind,
                                          bool logarithmic)
{
    const int kindIndex = KindIndex(kind);
    if (!image.pixelMm)
        throw common::InputError("No pixel spacing for " + image.path + ": give --pixel.");
    auto s = std::make_unique<RoiSpectrum>();
    s->n = roi.n;
    s->pixelMm = *image.pixelMm;
    spectrum::SquareMatrix& re = *s->re;
    spectrum::SquareMatrix& im = *s->im;
    // The table's cell (column x, row y) goes to re[x][y].
    for (int y = 0; y < roi.n; ++y)
        for (int x = 0; x < roi.n; ++x) {
            re[x][y] = image.samples[static_cast<std::size_t>((roi.y + y) * image.width + roi.x + x)];
            im[x][y] = 0.0;
        }
    spectrum::BuildFftTables(s->fft, roi.n, spectrum::FftPrecision::Double);
    spectrum::TransformLines(s->fft, re, im, roi.n, spectrum::Axis::First, roi.n, spectrum::FftPrecision::Double);
    spectrum::TransformLines(s->fft, re, im, roi.n, spectrum::Axis::Second, roi.n, spectrum::FftPrecision::Double);
    spectrum::BuildSpectrumMap(re, im, roi.n, s->pixelMm, kindIndex, *s->map);
    if (logarithmic)
        spectrum::TakeLogarithm(*s->map, roi.n);
    return s;
}

} // namespace cli
