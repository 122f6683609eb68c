#pragma once
// Which image columns and rows the 512 x 512 image area shows at a zoom and pan.
#include <cstdint>

namespace viewer {

struct ViewBounds {
    std::int32_t FirstColumn = 0;
    std::int32_t LastColumn = 0;
    std::int32_t FirstRow = 0;
    std::int32_t LastRow = 0;
    bool operator==(const ViewBounds&) const = default;
};

struct ViewGeometry {
    long double viewColumns = 0;  // view size in image pixels, extended precision
    long double viewRows = 0;
    bool squareLimited = false;   // a landscape view shows only its central square
    ViewBounds bounds;
    long long bitmapWidth = 0;    // Trunc(viewColumns)
    long long bitmapHeight = 0;   // Trunc(viewRows)
};

// Raises the division error for a magnification of 0.
ViewGeometry ComputeViewGeometry(std::int32_t width, std::int32_t height, double magnification,
                                 std::int32_t shiftX, std::int32_t shiftY);

// Where the picture sits in the 512 x 512 image area.
struct ImageLayout {
    long long left = 0;
    long long width = 0;
    long long height = 512;
};

// Raises the division error for a height of 0.
ImageLayout ComputeImageLayout(std::int32_t width, std::int32_t height, bool squareLimited);

} // namespace viewer
