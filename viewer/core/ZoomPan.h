#pragma once
// The arithmetic of the view tools: zoom steps, the pan drag and the window drag with the right
// mouse button. Pointer positions are Image1 client pixels; the display bitmap is s times as
// high as the 512-pixel image area.
#include <cstdint>
#include <optional>

#include "ViewGeometry.h"

namespace viewer {

// Bitmap pixels per client pixel, from the display bitmap's current height.
inline double PointerScale(int bitmapHeight) { return bitmapHeight / 512.0; }

// The zoom after "-": one tenth less, but never below 1 by stepping (a value of 1 or less stays).
std::optional<double> ZoomStepDown(double magnification);

// New pan values for one drag step of the Move tool; an axis whose step would move the view past
// the image edge on that side is left out.
struct PanStep {
    std::optional<std::int32_t> shiftX;
    std::optional<std::int32_t> shiftY;
};

struct PanInput {
    int x = 0, y = 0;          // pointer now
    int lastX = 0, lastY = 0;  // pointer at the previous step
    double scale = 1;          // PointerScale
    ViewBounds view;           // as the last render left it
    std::int32_t imageWidth = 0, imageHeight = 0;
    std::int32_t shiftX = 0, shiftY = 0;
};

PanStep ComputePanStep(const PanInput& in);

// Step factor of the window drag for the "Range" item (1, 3, 10, 30; 0 when none is selected).
int RangeFactor(int itemIndex);

// One window-drag step: moving right widens, moving down lowers the level. The width is left
// out when the step would make it 0 or less. Results are kept within the 32-bit range so that
// the edits stay readable.
struct WindowDragStep {
    std::optional<std::int32_t> width;
    std::int32_t level = 0;
};

WindowDragStep ComputeWindowDrag(std::int32_t width, std::int32_t level, int dx, int dy, int factor);

} // namespace viewer
