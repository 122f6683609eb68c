#include "RoiGrid.h"

#include <algorithm>

#include "Conversions.h"
#include "Errors.h"

namespace nps {

namespace {

std::string RectText(long long x, long long y, long long w, long long h)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ", " + std::to_string(w) + " x " +
           std::to_string(h) + ")";
}

} // namespace

void CheckRoiSize(long long size)
{
    if (size < kMinRoiSize || size > kMaxRoiSize)
        throw common::InputError(common::TrText("nps", "The NPS ROI side must be %1 to %2 pixels; it is %3.")
                                     .Arg(kMinRoiSize)
                                     .Arg(kMaxRoiSize)
                                     .Arg(size));
}

RoiGrid GridOverArea(int size, const Area& area, double overlap)
{
    CheckRoiSize(size);
    if (overlap != 0.0 && overlap != 0.5)
        throw common::InputError(common::TrText("nps", "The ROI overlap must be 0 or 0.5."));
    if (area.width < size || area.height < size)
        throw common::InputError(common::TrText("nps", "The area %1 holds no whole ROI of %2 pixels.")
                                     .Arg(RectText(area.x, area.y, area.width, area.height))
                                     .Arg(size));
    const long long step = overlap == 0.5 ? size / 2 : size;
    // Counted before anything is allocated: an absurd area is refused, not filled.
    const long long across = (area.width - size) / step + 1, down = (area.height - size) / step + 1;
    if (across > kMaxGridRois / down)
        throw common::InputError(common::TrText("nps", "The area %1 would hold more than %2 ROIs.")
                                     .Arg(RectText(area.x, area.y, area.width, area.height))
                                     .Arg(kMaxGridRois));
    RoiGrid grid;
    grid.size = size;
    grid.area = area;
    for (long long y = area.y; y + size <= area.y + area.height; y += step)
        for (long long x = area.x; x + size <= area.x + area.width; x += step)
            grid.corners.push_back({x, y});
    return grid;
}

RoiGrid GridFromList(int size, const std::vector<RoiCorner>& corners)
{
    CheckRoiSize(size);
    if (corners.empty())
        throw common::InputError(common::TrText("nps", "The ROI list is empty."));
    RoiGrid grid;
    grid.size = size;
    grid.corners = corners;
    long long left = corners[0].x, top = corners[0].y, right = left, bottom = top;
    for (const RoiCorner& c : corners) {
        left = std::min(left, c.x);
        top = std::min(top, c.y);
        right = std::max(right, c.x);
        bottom = std::max(bottom, c.y);
    }
    grid.area = {left, top, right - left + size, bottom - top + size};
    return grid;
}

void CheckGridInside(const RoiGrid& grid, long long width, long long height, const std::string& imageName)
{
    const auto outside = [&](long long x, long long y, long long w, long long h) {
        return x < 0 || y < 0 || x + w > width || y + h > height;
    };
    for (std::size_t i = 0; i < grid.corners.size(); ++i) {
        const RoiCorner& c = grid.corners[i];
        if (outside(c.x, c.y, grid.size, grid.size))
            throw common::InputError(common::TrText("nps", "ROI %1 %2 lies outside the image %3 (%4 x %5).")
                                         .Arg(i + 1)
                                         .Arg(RectText(c.x, c.y, grid.size, grid.size))
                                         .Arg(imageName)
                                         .Arg(width)
                                         .Arg(height));
    }
    const Area& a = grid.area;
    if (outside(a.x, a.y, a.width, a.height))
        throw common::InputError(common::TrText("nps", "The area %1 lies outside the image %2 (%3 x %4).")
                                     .Arg(RectText(a.x, a.y, a.width, a.height))
                                     .Arg(imageName)
                                     .Arg(width)
                                     .Arg(height));
}

Area ParseArea(const std::string& text, const std::string& what)
{
    const auto a = common::IntList(text, 4, what);
    return {a[0], a[1], a[2], a[3]};
}

std::vector<RoiCorner> ParseRoiList(const std::string& text, const std::string& what)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<RoiCorner> corners;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t semicolon = std::min(text.find(';', start), text.size());
        std::string part = text.substr(start, semicolon - start);
        while (!part.empty() && blank(part.back()))
            part.pop_back();
        const bool last = semicolon + 1 >= text.size();
        if (!(last && std::all_of(part.begin(), part.end(), blank))) {
            // The list reader names what it reads with a plain string: this name goes in its source form.
            const auto xy = common::IntList(part, 2, common::TrText("nps", "Each ROI of %1").Arg(what));
            corners.push_back({xy[0], xy[1]});
        }
        start = semicolon + 1;
    }
    return corners;
}

} // namespace nps
