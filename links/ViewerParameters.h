#pragma once
// What the spectrum and filter windows read of the viewer: the texts of its ROI-size and
// pixel-spacing edits, each as the edit shows it when asked (the window converts it at the moment
// its operation needs it, so a bad text is refused exactly there), and the drag in progress, which
// the viewer and the spectrum window share so that one drag at a time runs across them.
#include <QString>

namespace links {

class ViewerParameters {
public:
    virtual ~ViewerParameters() = default;

    virtual QString RoiSizeX() = 0;
    virtual QString RoiSizeY() = 0;
    virtual QString PixelSpacing() = 0;
    // "Left", "Right" or empty.
    virtual QString DragButton() = 0;
    virtual void SetDragButton(const QString& button) = 0;
};

} // namespace links
