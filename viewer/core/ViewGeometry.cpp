#include "ViewGeometry.h"

#include "Errors.h"
#include "Rounding.h"

namespace viewer {

namespace {

std::int32_t Wrap32(long long v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

} // namespace

ViewGeometry ComputeViewGeometry(std::int32_t width, std::int32_t height, double magnification,
                                 std::int32_t shiftX, std::int32_t shiftY)
{
    const long double w = width, h = height, m = magnification;
    ViewGeometry g;
    g.viewRows = common::CheckedDivide(h, m);
    g.squareLimited = w > g.viewRows;
    g.viewColumns = g.squareLimited ? g.viewRows : common::CheckedDivide(w, m);

    using common::Trunc;
    const long long firstColumn = Trunc((w - g.viewColumns) / 2) - Trunc(shiftX * m);
    const long long lastColumn = Trunc(g.viewColumns + firstColumn) - 1;
    const long long firstRow = Trunc((h - g.viewRows) / 2) + Trunc(shiftY * m);
    const long long lastRow = Trunc(g.viewRows + firstRow) - 1;
    g.bounds = {Wrap32(firstColumn), Wrap32(lastColumn), Wrap32(firstRow), Wrap32(lastRow)};
    g.bitmapWidth = Trunc(g.viewColumns);
    g.bitmapHeight = Trunc(g.viewRows);
    return g;
}

ImageLayout ComputeImageLayout(std::int32_t width, std::int32_t height, bool squareLimited)
{
    ImageLayout layout;
    const long long scaled = static_cast<long long>(width) * 512;
    // The proportional width is always formed, so a height of 0 fails here even when the view is
    // square-limited.
    layout.width = common::Trunc(common::CheckedDivide(static_cast<long double>(scaled), static_cast<long double>(height)));
    if (squareLimited)
        layout.width = 512;
    layout.left = common::Trunc(static_cast<long double>(512 - layout.width) / 2);
    return layout;
}

} // namespace viewer
