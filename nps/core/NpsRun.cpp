#include "NpsRun.h"

#include "Errors.h"

namespace nps {

void PrepareNps(const NpsRunSettings& settings, PreparedNps& prepared, const NpsMonitor& monitor)
{
    if (settings.files.empty())
        throw common::InputError("The NPS needs at least one image.");
    CheckRoiSize(settings.roiSize);
    if (settings.area && !settings.roiList.empty())
        throw common::InputError("Give either an area or a list of ROIs, not both.");
    prepared.images.clear();
    for (const std::string& file : settings.files) {
        if (monitor.cancel && monitor.cancel->load())
            throw NpsCancelled();
        prepared.images.push_back(imageio::LoadImage(file, settings.load));
        if (monitor.progress)
            monitor.progress(prepared.images.size(), settings.files.size());
    }
    const imageio::LoadedImage& first = prepared.images.front();
    NpsRequest& request = prepared.request;
    request = NpsRequest{};
    request.pixelMm = imageio::CommonPixelSpacing(prepared.images);
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
    for (const imageio::LoadedImage& image : prepared.images)
        request.images.push_back({image.path, {image.samples, image.width, image.height}});
}

} // namespace nps
