#pragma once
// One step of the right-button window drag on the analysis pictures: moving right widens the
// window, moving down lowers the level. A step that would leave the width at 0 or below keeps
// the width and still moves the level.
#include <cstdint>

namespace spectrum {

template <typename T>
struct GreyWindow {
    T width;
    T level;
    bool operator==(const GreyWindow&) const = default;
};

// Whole steps of one unit per pixel.
GreyWindow<long long> IntegerDragStep(long long width, long long level, int dx, int dy);

// Steps of 1 % of the present value per pixel.
GreyWindow<double> ProportionalDragStep(double width, double level, int dx, int dy);

} // namespace spectrum
