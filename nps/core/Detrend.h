#pragma once
// Removing the slow trend (heel effect, non-uniform exposure, cupping) before the spectrum, by
// least squares in double precision.
//
// The surfaces are fitted in a basis of discrete orthogonal polynomials on the pixel grid:
// p0 = 1, p1(t) = 2t - (m - 1), p2(t) = 3 p1(t)^2 - (m^2 - 1) for t = 0 .. m - 1. Their products
// p_i(x) p_j(y) are mutually orthogonal over a full rectangle, so each least-squares coefficient is
// one projection, sum f p_i p_j / (sum p_i^2 sum p_j^2): no normal equations, nothing to become
// ill-conditioned at 1024 x 1024, and every basis value is an exact integer.
#include <array>
#include <span>
#include <string_view>

#include "NpsParallel.h"

namespace nps {

enum class DetrendKind { None, Mean, Plane, Poly2 };

// "none", "mean", "plane", "poly2"; refuses anything else (common::InputError).
DetrendKind ParseDetrend(std::string_view text);
const char* DetrendName(DetrendKind kind);

// Where the trend is fitted: over each ROI on its own, or once over the whole analysis area of
// each image and subtracted from every ROI in it.
enum class DetrendScope { PerRoi, WholeArea };
DetrendScope ParseDetrendScope(std::string_view text);  // "roi", "area"
const char* DetrendScopeName(DetrendScope scope);

// Rows of a block lie a whole image row apart, often on another page, where the processor's own
// prefetching stops: the passes over a block ask for the row this far ahead while they work.
inline constexpr long long kPrefetchRows = 16;

// A row-major image of doubles.
struct PixelView {
    std::span<const double> values;
    long long width = 0, height = 0;
    double At(long long x, long long y) const { return values[static_cast<std::size_t>(y * width + x)]; }
};

// A fitted surface over the rectangle it was fitted on. Coefficients c[i][j] multiply p_i(x) p_j(y)
// with x, y counted from the rectangle's corner.
struct Surface {
    DetrendKind kind = DetrendKind::None;
    long long x = 0, y = 0, width = 0, height = 0;
    std::array<std::array<double, 3>, 3> c{};
};

// Fits `kind` over the rectangle (it must lie inside the image: std::invalid_argument otherwise).
// With a pool, the rows' sums are taken on its threads and added in row order as without one, so
// the surface is the same to the bit.
Surface FitSurface(const PixelView& image, long long x, long long y, long long width, long long height,
                   DetrendKind kind, Pool* pool = nullptr);

// Sums met on the way: of the block's values, and of what is left after the fit and its squares.
struct BlockSums {
    double values = 0.0, residuals = 0.0, residualSquares = 0.0;
};

// Writes image - surface for the size x size block at (x, y) into `out`, row by row, rows
// `rowStride` (>= size) values apart; what lies between rows is left alone. The block may be any
// part of the image; the surface is evaluated in its own coordinates. `out` must not overlap the
// image.
BlockSums SubtractSurface(const PixelView& image, long long x, long long y, int size, const Surface& surface,
                          std::span<double> out, std::size_t rowStride);

} // namespace nps
