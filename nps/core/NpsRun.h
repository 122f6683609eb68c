#pragma once
// One NPS run from files, for both front ends: the images read as the viewer reads them but with
// the detector's pixel spacing, one at a time (read, measured, dropped), the ROI placement, and the
// request over them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ImageLoading.h"
#include "NoisePowerSpectrum.h"

namespace nps {

struct NpsRunSettings {
    std::vector<std::string> files;
    imageio::LoadOptions load;
    int roiSize = 0;
    std::optional<Area> area;        // a grid over this area (default: the whole first image) ...
    std::vector<RoiCorner> roiList;  // ... or these ROIs, when given
    double overlap = 0.0;
    DetrendKind detrend = DetrendKind::Poly2;
    // Default: over the whole area for a grid (radiography practice), per ROI for a list (CT).
    std::optional<DetrendScope> scope;
    double binWidth = 0.05;
    int axisLines = 7;
    AxisPlacement axisPlacement = AxisPlacement::Radial;
};

// What a run tells its front end on the way, on the thread that runs it.
struct NpsRunHooks {
    std::function<void(const imageio::LoadedImage&)> loaded;              // each image as it is read
    std::function<void(const NpsImage&, const RoiGrid&)> placed;          // the first image and the ROIs
};

struct NpsRunOutcome {
    NpsResult result;
    std::vector<std::string> names;  // the images, in order
};

// Reads the first file, places the ROIs on it, then measures every file in turn, each read only
// when its turn comes. Refuses (common::InputError) images whose pixel spacings differ, and an
// image of another size than the first when the grid covers the whole first image (no area, no
// ROI list); with an area or a list, every image must hold it. Raises what the loading refuses; a
// set cancel flag stops it with NpsCancelled.
NpsRunOutcome RunNpsOnFiles(const NpsRunSettings& settings, Pool& pool, const NpsMonitor& monitor = {},
                            const NpsRunHooks& hooks = {});

} // namespace nps
