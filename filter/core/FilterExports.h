#pragma once
// The filter window's file and text formats: the filtered image as raw binary32 values, a grey
// bitmap as an 8-bit BMP file, and matrices as clipboard tables.
#include <cstdint>
#include <string>
#include <vector>

#include "GreyBitmap.h"
#include "FilterViews.h"
#include "SquareMatrix.h"

namespace filter {

// n rows of n little-endian binary32 values, row y = 0 first, x ascending: image[x][y] / n / n
// (the filtered image divided by n^2 once more), 4 n^2 bytes, no header.
std::vector<std::uint8_t> FilteredRawFile(const spectrum::SquareMatrix& image, int n);

// The bitmap as a Windows BMP file: 8 bits per pixel, 256-entry linear grey palette, rows
// bottom-up and padded to 4 bytes.
std::vector<std::uint8_t> BmpFile(const common::GreyBitmap& bitmap);

// The values of a view as "ToClipB" copies them: Raw / RawMax, Filtered / FilteredMax, Power as
// it is, Filter as the view scales it (gain^2 / FilterMax / FilterMax * 100), Convolution /
// FilteredPowerMax. `divisor` is the view's maximum (unused for Power); one of 0 or below is
// refused with an InputError naming it before any text is made.
struct ClipSource {
    View view = View::Raw;
    const spectrum::SquareMatrix* matrix = nullptr;
    double divisor = 1.0;
};
double ClipValue(const ClipSource& source, double element);

// Each value rounded to binary32 and written with 15 digits of that value: one line per
// y = 0 .. n - 1 holding x = 0 .. n - 1 joined by tabs, every line ending in CR LF.
std::string ViewValuesText(const ClipSource& source, int n);

// The elements themselves in the general 15-digit format, same layout.
std::string DoubleValuesText(const spectrum::SquareMatrix& m, int n);

} // namespace filter
