#pragma once
// One MTF measurement from files, for every front end: each image read as the viewer reads it but
// with the detector's pixel spacing, the edge ROI cut out (and linearised by a conversion function
// when one is given), the edges measured together.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ConversionFunction.h"
#include "ImageLoading.h"
#include "MeasurementSpacing.h"
#include "SlantedEdge.h"

namespace quality {

struct EdgeRoi {
    long long x = 0, y = 0, width = 0, height = 0;  // top-left pixel and size
};

// "x,y,w,h"; refuses (common::InputError naming `what`) anything else, and a size below 1.
EdgeRoi ParseEdgeRoi(const std::string& text, const common::Text& what);

struct MtfRunSettings {
    std::vector<std::string> files;  // one or more images of edges of one direction
    imageio::LoadOptions load;
    // The same ROI in every image; without one, the whole image: the ESF's range is bounded by the
    // distance from the edge, so a large ROI only adds lines along the edge.
    std::optional<EdgeRoi> roi;
    double binFraction = 0.25;
    std::optional<ConversionFit> conversion;  // linearise the ROI first
};

struct MtfRunOutcome {
    MtfResult result;
    std::string name;                // the first file
    std::vector<std::string> names;  // every file
    EdgeRoi roi;                     // the ROI used (in the first image)
    nps::SpacingUsed spacing;        // of the first image
};

// Raises what the loading refuses; refuses (common::InputError) no file, an image without a pixel
// spacing, images of different spacings, and a ROI that does not lie wholly inside an image, then
// what MeasureEdgeMtf refuses. `loaded`, when set, sees each image as soon as it is read (for the
// decoder's notes, a picture of the ROI).
MtfRunOutcome RunMtfOnFiles(const MtfRunSettings& settings, common::ThreadPool& pool,
                            const std::function<void(const imageio::LoadedImage&, const EdgeRoi&)>& loaded = {});

} // namespace quality
