#pragma once
// Where the ROIs of a noise power spectrum lie. One placement serves every image of a run, so the
// ensemble averages the same regions of each exposure. ROIs are squares of side 16..1024 (any
// side, not only powers of two), given by their top-left pixel.
#include <string>
#include <vector>

namespace nps {

inline constexpr int kMinRoiSize = 16;
inline constexpr int kMaxRoiSize = 1024;
inline constexpr long long kMaxGridRois = 10'000'000;

struct Area {
    long long x = 0, y = 0, width = 0, height = 0;
};

struct RoiCorner {
    long long x = 0, y = 0;
};

struct RoiGrid {
    int size = 0;
    std::vector<RoiCorner> corners;
    // The region a whole-area trend is fitted over: the grid's rectangle, or the bounding box of
    // a list of ROIs.
    Area area;
};

// Refuses (common::InputError) a side outside 16..1024.
void CheckRoiSize(long long size);

// ROIs of side `size` tiled from the area's top-left corner, row by row, stepping `size` (overlap
// 0) or size / 2 (overlap 0.5). Refuses any other overlap, an area that holds no whole ROI, and
// one that would hold more than kMaxGridRois.
RoiGrid GridOverArea(int size, const Area& area, double overlap);

// The user's own ROIs, in the order given. Refuses an empty list.
RoiGrid GridFromList(int size, const std::vector<RoiCorner>& corners);

// "x,y,w,h" as an area; refuses (common::InputError, naming `what`) anything else.
Area ParseArea(const std::string& text, const std::string& what);

// "x,y;x,y;..." as ROI corners (blanks around the numbers and a last ";" allowed; an empty or
// blank text is no ROI); refuses (common::InputError, naming `what`) anything else.
std::vector<RoiCorner> ParseRoiList(const std::string& text, const std::string& what);

// Refuses (common::InputError, naming the first ROI and the image) a grid that reaches outside a
// width x height image, or whose fit area does.
void CheckGridInside(const RoiGrid& grid, long long width, long long height, const std::string& imageName);

} // namespace nps
