#pragma once
// Placing the ROI with the left mouse button: a press beside the frame picks a corner to drag, a
// press inside it picks the whole ROI. Positions are display-bitmap pixels (pointer times scale).
#include <cstdint>

#include "RoiFrame.h"
#include "ViewGeometry.h"

namespace viewer {

struct RoiDragKind {
    bool topLeft = false;
    bool bottomRight = false;
    bool move = false;
    bool operator==(const RoiDragKind&) const = default;
};

// Above-left of the frame drags its top-left corner, below-right its bottom-right corner,
// strictly inside moves it; a press that did not move the pointer since the last drag step
// starts no move.
RoiDragKind ClassifyRoiPress(const Rect& frame, double px, double py, bool pointerMoved);

// The frame with the dragged corner under the pointer; the opposite corner stays.
Rect DragRoiCorner(Rect frame, bool topLeft, double px, double py);

// The image position of the pointer as the new centre, and the frame that this position and the
// kept size place (as placing from the edits does).
struct RoiMove {
    Rect frame;
    std::int32_t posX = 0;
    std::int32_t posY = 0;
};

RoiMove MoveRoiTo(const Rect& frame, double px, double py, const ViewBounds& view);

// The centre that, with the frame's size, places exactly this frame from the edits: what a corner
// drag writes into the position edits so that they keep naming the frame on show.
struct RoiPosition {
    std::int32_t posX = 0;
    std::int32_t posY = 0;
    bool operator==(const RoiPosition&) const = default;
};

RoiPosition RoiPositionOfFrame(const Rect& frame, const ViewBounds& view);

} // namespace viewer
