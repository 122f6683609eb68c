#include "ZoomPan.h"

#include <algorithm>
#include <limits>

#include "Rounding.h"

namespace viewer {

namespace {

std::int32_t Saturate32(long long v)
{
    return static_cast<std::int32_t>(std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}

// Trunc of a pan sum, kept within the 32-bit range of the shift edits.
std::int32_t TruncShift(double v) { return Saturate32(common::Trunc(std::clamp(v, -4e18, 4e18))); }

} // namespace

std::optional<double> ZoomStepDown(double magnification)
{
    if (magnification > 1)
        return magnification - 0.1;
    return std::nullopt;
}

PanStep ComputePanStep(const PanInput& in)
{
    PanStep step;
    const double moveX = static_cast<double>(in.x - in.lastX) * in.scale;
    const long long dx = TruncShift(moveX);
    if ((dx < 0 && -dx < static_cast<long long>(in.imageWidth) - in.view.LastColumn) ||
        (dx > 0 && dx < in.view.FirstColumn))
        step.shiftX = TruncShift(in.shiftX + moveX);

    const double moveY = static_cast<double>(in.lastY - in.y) * in.scale;
    const long long dy = TruncShift(moveY);
    if ((dy > 0 && dy < static_cast<long long>(in.imageHeight) - in.view.LastRow) ||
        (dy < 0 && -dy < in.view.FirstRow))
        step.shiftY = TruncShift(in.shiftY + moveY);
    return step;
}

int RangeFactor(int itemIndex)
{
    static constexpr int kFactors[] = {1, 3, 10, 30};
    return itemIndex >= 0 && itemIndex < 4 ? kFactors[itemIndex] : 0;
}

WindowDragStep ComputeWindowDrag(std::int32_t width, std::int32_t level, int dx, int dy, int factor)
{
    WindowDragStep step;
    const long long widened = static_cast<long long>(width) + static_cast<long long>(dx) * factor;
    if (widened > 0)
        step.width = Saturate32(widened);
    step.level = Saturate32(static_cast<long long>(level) - static_cast<long long>(dy) * factor);
    return step;
}

} // namespace viewer
