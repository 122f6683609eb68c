#include "RoiSpectrum.h"

#include "CommandContext.h"
#include "Conversions.h"
#include "Errors.h"
#include "SpectrumRun.h"

namespace cli {

namespace {

spectrum::MapKind KindOf(const std::string& kind)
{
    const char* names[] = {"power", "abs", "real", "imag"};
    for (int i = 0; i < 4; ++i)
        if (kind == names[i])
            return static_cast<spectrum::MapKind>(i);
    throw common::InputError(
        common::TrText("cli", "The spectrum kind must be power, abs, real or imag, not '%1'.").Arg(kind));
}

} // namespace

SquareRoi ParseSquareRoi(const std::string& text, const imageio::LoadedImage& image)
{
    const auto v = OptionValue("--roi", text, [&] { return common::IntList(text, 3, "--roi"); });
    spectrum::CheckMatrixSize(v[2]);
    const SquareRoi roi{v[0], v[1], v[2]};
    if (roi.x < 0 || roi.y < 0 || roi.x + roi.n > image.width || roi.y + roi.n > image.height)
        throw common::InputError(imageio::RoiOutsideImageMessage());
    return roi;
}

std::unique_ptr<RoiSpectrum> TransformRoi(const imageio::LoadedImage& image, const SquareRoi& roi, const std::string& kind,
                                          bool logarithmic, common::ThreadPool& pool)
{
    const spectrum::MapKind mapKind = KindOf(kind);
    if (!image.pixelMm)
        throw common::InputError(common::TrText("cli", "No pixel spacing for %1: give --pixel.").Arg(image.path));
    auto s = std::make_unique<RoiSpectrum>();
    s->n = roi.n;
    s->pixelMm = *image.pixelMm;
    // The table's row y is the ROI's row y.
    const auto readRow = [&](int y, double* out) {
        const double* row = image.samples.data() + static_cast<std::size_t>((roi.y + y) * image.width + roi.x);
        for (int x = 0; x < roi.n; ++x)
            out[x] = row[x];
    };
    spectrum::TransformTable(s->fft, roi.n, readRow, *s->re, *s->im, pool);
    spectrum::MakeSpectrumMap(*s->re, *s->im, roi.n, s->pixelMm, mapKind, logarithmic, *s->map, pool);
    return s;
}

} // namespace cli
