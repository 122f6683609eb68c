#pragma once
// One NPS run from files, for both front ends: the images read as the viewer reads them, the ROI
// placement, and the request over them.
#include <atomic>
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
};

// The loaded images and a request whose pixel views point into them: keep it where it is.
struct PreparedNps {
    std::vector<imageio::LoadedImage> images;
    NpsRequest request;
    PreparedNps() = default;
    PreparedNps(const PreparedNps&) = delete;
    PreparedNps& operator=(const PreparedNps&) = delete;
};

// Reads every file (reporting each one to `loaded`; a set `cancel` stops with NpsCancelled),
// checks the one pixel spacing, places the ROIs. Raises what the loading and placement refuse.
void PrepareNps(const NpsRunSettings& settings, PreparedNps& prepared, const NpsMonitor& monitor = {});

} // namespace nps
