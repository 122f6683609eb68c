#pragma once
// The pixel spacing a measurement used and where it came from, so that every output can name it:
// a frequency scale is only as good as the spacing behind it.
#include <optional>
#include <string>

#include "ImageLoading.h"
#include "Text.h"

namespace nps {

struct SpacingUsed {
    double mm = 0.0;
    std::string file;  // the image it was read for
    imageio::SpacingSource source = imageio::SpacingSource::None;
};

SpacingUsed SpacingOf(const imageio::LoadedImage& image);

// "0.15 mm from Imager Pixel Spacing (0018,1164) of edge.dcm", "0.1 mm as given", ...
common::Text SpacingUsedText(const SpacingUsed& spacing);
// The source alone, in the source language, for files: "Imager Pixel Spacing (0018,1164)", "given".
std::string SpacingSourceName(const SpacingUsed& spacing);

// A note when a measurement had to take Pixel Spacing (0028,0030), which a projection radiograph
// may calibrate to the object plane rather than the detector's.
std::optional<common::Text> SpacingPlaneNote(const SpacingUsed& spacing);

} // namespace nps
