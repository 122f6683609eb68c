#pragma once
// One MTF measurement from a file, for every front end: the image read as the viewer reads it, the
// edge ROI cut out (and linearised by a conversion function when one is given), the edge measured.
#include <functional>
#include <optional>
#include <string>

#include "ConversionFunction.h"
#include "ImageLoading.h"
#include "SlantedEdge.h"

namespace quality {

struct EdgeRoi {
    long long x = 0, y = 0, width = 0, height = 0;  // top-left pixel and size
};

// "x,y,w,h"; refuses (common::InputError naming `what`) anything else, and a size below 1.
EdgeRoi ParseEdgeRoi(const std::string& text, const std::string& what);

struct MtfRunSettings {
    std::string file;
    imageio::LoadOptions load;
    EdgeRoi roi;
    double binFraction = 0.25;
    std::optional<ConversionFit> conversion;  // linearise the ROI first
};

struct MtfRunOutcome {
    MtfResult result;
    std::string name;  // the file
    EdgeRoi roi;
};

// Raises what the loading refuses; refuses (common::InputError) an image without a pixel spacing
// and a ROI that does not lie wholly inside the image, then what MeasureEdgeMtf refuses.
// `loaded`, when set, sees the image as soon as it is read (for the decoder's notes).
MtfRunOutcome RunMtfOnFile(const MtfRunSettings& settings, common::ThreadPool& pool,
                           const std::function<void(const imageio::LoadedImage&)>& loaded = {});

} // namespace quality
