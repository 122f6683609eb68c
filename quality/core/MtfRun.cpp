#include "MtfRun.h"

#include "Conversions.h"
#include "Errors.h"

namespace quality {

EdgeRoi ParseEdgeRoi(const std::string& text, const std::string& what)
{
    const auto v = common::IntList(text, 4, what);
    if (v[2] < 1 || v[3] < 1)
        throw common::InputError(common::TrText("quality", "%1 needs a width and a height of 1 or more, not %2 x %3.")
                                     .Arg(what)
                                     .Arg(v[2])
                                     .Arg(v[3]));
    return {v[0], v[1], v[2], v[3]};
}

MtfRunOutcome RunMtfOnFile(const MtfRunSettings& settings, common::ThreadPool& pool,
                           const std::function<void(const imageio::LoadedImage&)>& loaded)
{
    const imageio::LoadedImage image = imageio::LoadImage(settings.file, settings.load);
    if (loaded)
        loaded(image);
    if (!image.pixelMm)
        throw common::InputError(
            common::TrText("quality", "%1 has no pixel spacing in its name or header; give it as --pixel.")
                .Arg(settings.file));
    const EdgeRoi& r = settings.roi;
    if (r.x < 0 || r.y < 0 || r.x + r.width > image.width || r.y + r.height > image.height)
        throw common::InputError(common::TrText("quality", "%1 (%2 is %3 x %4)")
                                     .Arg(imageio::RoiOutsideImageMessage())
                                     .Arg(settings.file)
                                     .Arg(image.width)
                                     .Arg(image.height));
    std::vector<double> values(static_cast<std::size_t>(r.width * r.height));
    for (long long y = 0; y < r.height; ++y)
        for (long long x = 0; x < r.width; ++x)
            values[static_cast<std::size_t>(y * r.width + x)] =
                image.samples[static_cast<std::size_t>((r.y + y) * image.width + r.x + x)];
    if (settings.conversion)
        Linearise(*settings.conversion, values);
    MtfRunOutcome outcome;
    outcome.result = MeasureEdgeMtf({values, r.width, r.height}, {*image.pixelMm, settings.binFraction}, pool);
    outcome.name = settings.file;
    outcome.roi = r;
    return outcome;
}

} // namespace quality
