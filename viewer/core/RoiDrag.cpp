#include "RoiDrag.h"

#include <algorithm>
#include <limits>

#include "Rounding.h"

namespace viewer {

namespace {

// Trunc toward zero, kept within the 32-bit range of the frame and the edits.
std::int32_t Trunc32(long double v)
{
    constexpr long double lo = std::numeric_limits<std::int32_t>::min();
    constexpr long double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(common::Trunc(std::clamp(v, lo, hi)));
}

struct Span {
    std::int32_t first, last;
};

// A side of w pixels centred at p: trunc(p - w div 2) .. trunc(p + w div 2 - e), e = 1 for even w.
Span CentredSpan(std::int32_t first, std::int32_t last, double p)
{
    const long long w = static_cast<long long>(last) - first + 1;
    const long long e = w % 2 == 0 ? 1 : 0;
    const long long hw = w / 2;
    return {Trunc32(p - static_cast<double>(hw)), Trunc32(p + static_cast<double>(hw - e))};
}

} // namespace

RoiDragKind ClassifyRoiPress(const Rect& frame, double px, double py, bool pointerMoved)
{
    RoiDragKind kind;
    kind.topLeft = px < frame.Left && py < frame.Top;
    kind.bottomRight = px > frame.Right && py > frame.Bottom;
    kind.move = frame.Left < px && px < frame.Right && frame.Top < py && py < frame.Bottom && pointerMoved;
    return kind;
}

Rect DragRoiCorner(Rect frame, bool topLeft, double px, double py)
{
    if (topLeft) {
        frame.Left = Trunc32(px);
        frame.Top = Trunc32(py);
    } else {
        frame.Right = Trunc32(px);
        frame.Bottom = Trunc32(py);
    }
    return frame;
}

RoiMove MoveRoiTo(const Rect& frame, double px, double py, const ViewBounds& view)
{
    const Span columns = CentredSpan(frame.Left, frame.Right, px);
    const Span rows = CentredSpan(frame.Top, frame.Bottom, py);
    RoiMove m;
    m.frame = {columns.first, rows.first, columns.last, rows.last};
    m.posX = Trunc32(px + view.FirstColumn);
    m.posY = Trunc32(py + view.FirstRow);
    return m;
}

} // namespace viewer
