#include "MtfRun.h"

#include "Conversions.h"
#include "Errors.h"

namespace quality {

EdgeRoi ParseEdgeRoi(const std::string& text, const common::Text& what)
{
    const auto v = common::IntList(text, 4, what);
    if (v[2] < 1 || v[3] < 1)
        throw common::InputError(common::TrText("quality", "%1 needs a width and a height of 1 or more, not %2 x %3.")
                                     .Arg(what)
                                     .Arg(v[2])
                                     .Arg(v[3]));
    return {v[0], v[1], v[2], v[3]};
}

namespace {

// The ROI's values of one image, linearised when asked. A ROI that is the whole image (the
// default) takes the image's samples over rather than copying them.
std::vector<double> RoiValues(imageio::LoadedImage&& image, const EdgeRoi& r, const MtfRunSettings& settings)
{
    if (r.x < 0 || r.y < 0 || r.x + r.width > image.width || r.y + r.height > image.height)
        throw common::InputError(common::TrText("quality", "%1 (%2 is %3 x %4)")
                                     .Arg(imageio::RoiOutsideImageMessage())
                                     .Arg(image.path)
                                     .Arg(image.width)
                                     .Arg(image.height));
    std::vector<double> values;
    if (r.x == 0 && r.y == 0 && r.width == image.width && r.height == image.height) {
        values = std::move(image.samples);
    } else {
        values.resize(static_cast<std::size_t>(r.width * r.height));
        for (long long y = 0; y < r.height; ++y)
            for (long long x = 0; x < r.width; ++x)
                values[static_cast<std::size_t>(y * r.width + x)] =
                    image.samples[static_cast<std::size_t>((r.y + y) * image.width + r.x + x)];
    }
    if (settings.conversion)
        Linearise(*settings.conversion, values);
    return values;
}

} // namespace

MtfRunOutcome RunMtfOnFiles(const MtfRunSettings& settings, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&, const EdgeRoi&)>& loaded)
{
    if (settings.files.empty())
        throw common::InputError(common::TrText("quality", "The MTF needs at least one edge image."));
    imageio::LoadOptions load = settings.load;
    load.detectorPlane = true;
    MtfRunOutcome outcome;
    std::vector<std::vector<double>> values;
    std::vector<EdgeImage> rois;
    for (const std::string& file : settings.files) {
        imageio::LoadedImage image = imageio::LoadImage(file, load);
        if (!image.pixelMm)
            throw common::InputError(
                common::TrText("quality", "%1 has no pixel spacing in its name or header; give it as --pixel.").Arg(file));
        const EdgeRoi roi = settings.roi.value_or(EdgeRoi{0, 0, image.width, image.height});
        if (loaded)
            loaded(image, roi);
        if (values.empty()) {
            outcome.spacing = nps::SpacingOf(image);
            outcome.roi = roi;
        } else {
            // One MTF needs one frequency scale; the images' sizes and samples do not matter here.
            imageio::CommonPixelSpacing({{outcome.spacing.file, 0, 0, outcome.spacing.mm, {}, {}},
                                         {image.path, 0, 0, image.pixelMm, {}, {}}});
        }
        values.push_back(RoiValues(std::move(image), roi, settings));
        rois.push_back({values.back(), roi.width, roi.height});
    }
    outcome.result = MeasureEdgeMtf(rois, {outcome.spacing.mm, settings.binFraction}, pool);
    if (const auto note = nps::SpacingPlaneNote(outcome.spacing))
        outcome.result.notes.insert(outcome.result.notes.begin(), *note);
    outcome.name = settings.files.front();
    outcome.names = settings.files;
    return outcome;
}

} // namespace quality
