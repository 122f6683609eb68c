#pragma once
// The five views of the filter window: their value rules, the grey mapping through the view's
// window, and the windows kept per view.
#include <cstdint>
#include <string>

#include "GreyBitmap.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace filter {

enum class View { Raw = 0, Filtered = 1, Power = 2, Filter = 3, Convolution = 4 };

inline bool IsSpectral(View v) { return v == View::Power || v == View::Filter || v == View::Convolution; }

// Width factor of the "Width" items "*1/25", "*1/5", "*1", "*5".
double WidthFactor(int item);

// The window of a rendering: from the upper and lower level U, L and the factor w,
// width = (U - L + 1) w and level = (L + U) / 2 w. `label` shows them as the user reads them,
// before a width of 0 or below is replaced by 16 for the scale 256 / width.
struct RenderWindow {
    double width = 0.0;
    double level = 0.0;
    double scale = 0.0;
    std::string label;
};
RenderWindow MakeRenderWindow(std::int32_t upper, std::int32_t lower, double factor);

// What one view shows: the matrix it reads and the maxima its rule divides by.
struct ViewSource {
    View view = View::Raw;
    const spectrum::SquareMatrix* matrix = nullptr;  // raw values, FilteredImage, SpectrumMap,
                                                     // FilterGain or FilteredPower
    double spectrumMax = 0.0;                        // Power, Convolution
    double filterMax = 0.0;                          // Filter
};

// Refuses what the view's rule cannot scale: a spectrum maximum of 1 or below for the
// logarithmic views (message), a FilterMax of 0 for the Filter view (division error).
void CheckViewSource(const ViewSource& source);

// The view value of one matrix element; NaN where the logarithmic views meet an element of 0 or
// below (shown as the darkest grey).
double ViewValue(const ViewSource& source, double element);

// Grey index of a view value: optional log10 (0.001 for values at or below 0), then
// round((v - level) * scale + 127) clamped to 0 .. 254, reversed (255 - p) when inverted.
std::uint8_t GreyOf(double value, const RenderWindow& window, bool log, bool invert);

// Renders the leading n x n elements into `bitmap`, resized to n x n; pixel (x, y) shows [x][y].
// Inversion applies to the Raw and Filtered views only. Checks the source first, so a refused
// view leaves the bitmap as it was.
// Blocks of columns are shared out among the pool's threads.
void RenderViewBitmap(const ViewSource& source, int n, const RenderWindow& window, bool log, bool invert,
                      common::GreyBitmap& bitmap, common::ThreadPool& pool = common::OneThread());

// The picture StretchNearest(bitmap, width, height) makes of the bitmap RenderViewBitmap renders,
// byte for byte, evaluating only the elements the stretch picks (width x height instead of n x n).
void RenderViewStretched(const ViewSource& source, int n, const RenderWindow& window, bool log, bool invert,
                         int width, int height, common::GreyBitmap& out);

// Levels and track-bar range of the Raw and the Filtered view; the three spectral views share
// one pair of levels.
struct LevelWindow {
    std::int32_t upper = 0;
    std::int32_t lower = 0;
    std::int32_t trackMax = 0;
    std::int32_t trackMin = 0;
    bool operator==(const LevelWindow&) const = default;
};

struct WindowStore {
    LevelWindow raw;
    LevelWindow filtered;
    std::int32_t spectralUpper = 0;
    std::int32_t spectralLower = 0;
};

// Keeps the shown window for `view`; with `linked`, Raw and Filtered share what either stores.
void StoreWindow(WindowStore& store, View view, const LevelWindow& shown, bool linked);

// The levels and track range a view comes up with (the spectral views on the range -40 .. 140).
LevelWindow WindowToShow(const WindowStore& store, View view);

inline constexpr std::int32_t kSpectralTrackMax = 140;
inline constexpr std::int32_t kSpectralTrackMin = -40;

// The track range that the "L U" rescale gives levels U, L: 40 % of U - L beyond each level,
// truncated toward zero.
struct TrackRange {
    std::int32_t max;
    std::int32_t min;
};
// A level for a track bar: truncated toward zero; one beyond the 32-bit range raises the invalid
// operation error instead of wrapping.
std::int32_t TruncToInt32(double value);

TrackRange RescaledTrackRange(std::int32_t upper, std::int32_t lower);

} // namespace filter
