#include "NpsRun.h"

#include "Errors.h"

namespace nps {

namespace {

// The files of a run, each read when the ensemble asks for it; only the image in hand is kept.
class FileImages : public NpsImageSource {
public:
    FileImages(const NpsRunSettings& settings, const NpsRunHooks& hooks)
        : settings_(settings), hooks_(hooks), load_(settings.load)
    {
        // A noise power spectrum is a measurement of the detector: its frequencies are the
        // detector's, whatever plane a DICOM file's Pixel Spacing was calibrated to.
        load_.detectorPlane = true;
        current_ = Load(0);
        first_ = {current_.path, current_.width, current_.height, current_.pixelMm, {}, {}};
        imageio::CommonPixelSpacing({first_});  // refuses a first image without a spacing
    }

    std::size_t Count() const override { return settings_.files.size(); }

    NpsImage Take(std::size_t index) override
    {
        if (index != taken_)
            throw std::logic_error("FileImages: images are taken in order");
        if (index > 0) {
            current_ = imageio::LoadedImage{};  // the last image goes before the next is read
            current_ = Load(index);
            CheckAgainstFirst(current_);
        }
        ++taken_;
        return View();
    }

    const imageio::LoadedImage& First() const { return current_; }
    double PixelMm() const { return *first_.pixelMm; }
    NpsImage View() const { return {current_.path, {current_.samples, current_.width, current_.height}}; }

private:
    imageio::LoadedImage Load(std::size_t index)
    {
        imageio::LoadedImage image = imageio::LoadImage(settings_.files[index], load_);
        if (hooks_.loaded)
            hooks_.loaded(image);
        return image;
    }

    void CheckAgainstFirst(const imageio::LoadedImage& image) const
    {
        imageio::CommonPixelSpacing({first_, {image.path, image.width, image.height, image.pixelMm, {}, {}}});
        const bool wholeFirstImage = !settings_.area && settings_.roiList.empty();
        if (wholeFirstImage && (image.width != first_.width || image.height != first_.height))
            throw common::InputError(
                common::TrText("nps", "%1 is %2 x %3 pixels, the first image %4 %5 x %6: the ROIs cover the whole "
                                      "first image, which is not the same region of this one. Give an area or a ROI "
                                      "list that lies inside every image to measure images of different sizes "
                                      "together.")
                    .Arg(image.path)
                    .Arg(image.width)
                    .Arg(image.height)
                    .Arg(first_.path)
                    .Arg(first_.width)
                    .Arg(first_.height));
    }

    const NpsRunSettings& settings_;
    const NpsRunHooks& hooks_;
    imageio::LoadOptions load_;
    imageio::LoadedImage current_;
    imageio::LoadedImage first_;  // its size and spacing, without samples
    std::size_t taken_ = 0;
};

} // namespace

NpsRunOutcome RunNpsOnFiles(const NpsRunSettings& settings, Pool& pool, const NpsMonitor& monitor,
                            const NpsRunHooks& hooks)
{
    if (settings.files.empty())
        throw common::InputError(common::TrText("nps", "The NPS needs at least one image."));
    CheckRoiSize(settings.roiSize);
    if (settings.area && !settings.roiList.empty())
        throw common::InputError(common::TrText("nps", "Give either an area or a list of ROIs, not both."));
    if (monitor.cancel && monitor.cancel->load())
        throw NpsCancelled();
    FileImages images(settings, hooks);
    const imageio::LoadedImage& first = images.First();
    NpsRequest request;
    request.pixelMm = images.PixelMm();
    if (!settings.roiList.empty()) {
        request.grid = GridFromList(settings.roiSize, settings.roiList);
    } else {
        request.grid = GridOverArea(settings.roiSize, settings.area.value_or(Area{0, 0, first.width, first.height}),
                                    settings.overlap);
    }
    request.detrend = settings.detrend;
    request.scope = settings.scope.value_or(settings.roiList.empty() ? DetrendScope::WholeArea : DetrendScope::PerRoi);
    request.binWidth = settings.binWidth;
    request.axisLines = settings.axisLines;
    request.axisPlacement = settings.axisPlacement;
    if (hooks.placed) {
        const NpsImage view = images.View();
        CheckGridInside(request.grid, view.pixels.width, view.pixels.height, view.name);
        hooks.placed(view, request.grid);
    }
    NpsRunOutcome outcome;
    outcome.result = ComputeNps(request, images, pool, monitor);
    outcome.names = settings.files;
    return outcome;
}

} // namespace nps
