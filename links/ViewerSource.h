#pragma once
// What the measurement windows (NPS; MTF and DQE) read of the viewer and add to it, so that they
// never reach into its controls and tests hand them their own viewer.
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ImageLoading.h"

namespace links {

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

class ViewerSource {
public:
    virtual ~ViewerSource() = default;

    // The viewer's file, folder list, ROI, spacing and mode as they are now.
    virtual ViewerHandOff HandOff() = 0;

    // A way to open a measurement window from the viewer, which has no control for it: the key
    // sequence `keys` on the viewer (a shortcut named `name`) runs `open` for as long as `window`
    // lives, and `tip` becomes a line of the tool tip of the viewer's calculation panel (once,
    // however often it is added).
    virtual void AddLauncher(const QString& keys, const QString& name, const QString& tip, QObject& window,
                             std::function<void()> open) = 0;
};

} // namespace links
