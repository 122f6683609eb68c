#pragma once
// What the NPS window takes from the viewer, behind a seam so the window never reaches into the
// viewer's controls and tests hand it their own files.
#include <string>
#include <vector>

#include "ImageLoading.h"

class TForm1;

namespace nps {

struct ViewerHandOff {
    std::string loadedFile;                // empty when nothing is loaded
    std::vector<std::string> folderFiles;  // the viewer's folder list
    std::string roiSize;                   // texts of the viewer's edits
    std::string pixelSpacing;
    imageio::FileMode mode = imageio::FileMode::Dicom;
    // The viewer's ROI as "x,y,w,h" in image pixels, cut to the image: the place an edge
    // measurement starts from. Empty when nothing is loaded, its edits are not numbers or it lies
    // wholly outside the image.
    std::string roiRect;
};

class NpsSource {
public:
    virtual ~NpsSource() = default;
    virtual ViewerHandOff HandOff() = 0;
};

// Reads the viewer window's edits, mode and folder list.
class ViewerNpsSource : public NpsSource {
public:
    explicit ViewerNpsSource(TForm1& viewer) : viewer_(viewer) {}
    ViewerHandOff HandOff() override;

private:
    TForm1& viewer_;
};

} // namespace nps
