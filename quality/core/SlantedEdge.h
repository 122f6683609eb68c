#pragma once
// The presampling MTF of a detector from the image of a straight edge tilted a few degrees to the
// pixel grid, the way IEC 62220-1-1 measures it:
//
//   1. In every line across the edge, the edge's position to a fraction of a pixel: the centroid of
//      the line's differences near the edge. A straight line fitted through the positions by least
//      squares gives the edge and its angle to the pixel grid.
//   2. Every pixel centre is projected onto the normal of that line: its signed distance d.
//   3. The oversampled edge spread function (ESF): the pixel values in bins of a fraction of a pixel
//      along d, from kEsfHalfRangePx before the edge to as far after it (or as far as every line
//      reaches). The ESF's tails carry no edge, only noise, into the LSF: a bounded range keeps a
//      wide ROI from adding noise across the edge, so a wider ROI only adds lines along it.
//   4. A smooth background across the edge (the heel effect) removed from the ESF: each plateau's
//      slope, fitted over its outer quarter, taken out of every bin.
//   5. The line spread function (LSF): the finite difference of neighbouring bins.
//   6. Its discrete Fourier transform (FFTW; the LSF zero-padded so that the transform samples the
//      LSF's spectrum finely), divided by its value at zero frequency.
//   7. Divided by the transfer functions of the two boxes steps 3 and 5 apply on the way: a bin's
//      mean averages the ESF over one bin width, and the finite difference over one more; each
//      multiplies the MTF by sinc(f * bin width), known exactly, so both are taken out.
//
// The uncertainty comes from the measurement itself: the lines are dealt out in runs of 4 to 16
// groups (8 or 4 when fewer lines fill every bin), and the MTF is measured again without each group
// in turn; the jackknife over those estimates is the standard error of the MTF of them all.
// Several images of edges of one direction are measured as one: their ESFs share the bins (each
// edge's own line gives its distances) and are pooled.
//
// Nothing else is done to the data: no window, no smoothing, no fit of a model.
//
// The bins fill evenly only when the lines' edge positions spread evenly over a pixel. A slope of
// 1/n for a small n (45, 26.57, 18.43, 14.04 degrees ...) puts every pixel centre on one of only n
// positions per pixel along the normal: where that leaves bins empty the measurement is refused,
// where it leaves them uneven (some bins see one position, others two) a note says so.
//
// The numbers are identical bit for bit for any thread count: lines are summed in blocks of a fixed
// size, and the blocks in order.
#include <cmath>
#include <span>
#include <string>
#include <vector>

#include "Text.h"
#include "ThreadPool.h"

namespace quality {

// Pixel values of a ROI, row-major.
struct EdgeImage {
    std::span<const double> values;
    long long width = 0, height = 0;
};

// Vertical: the edge line runs from top to bottom, values change along the rows, and the MTF is the
// one along x (u). Horizontal: the edge runs from left to right, the MTF is the one along y (v).
enum class EdgeOrientation { Vertical, Horizontal };
const char* OrientationName(EdgeOrientation orientation);  // "vertical", "horizontal"
common::Text OrientationText(EdgeOrientation orientation);  // the same words, for the user

struct MtfSettings {
    double pixelMm = 0.0;        // pixel spacing, mm (> 0)
    double binFraction = 0.25;   // ESF bin width in pixels (0 < b <= 0.5)
};

// How far from the edge, in pixels on each side, the ESF reaches: wide enough for the LSF's tails
// of a radiographic detector (4 mm at 0.1 mm pixels), narrow enough that the noise of the plateaus
// does not swamp the MTF at high frequencies.
inline constexpr double kEsfHalfRangePx = 40.0;

struct MtfPoint {
    double frequency = 0.0;  // cycles/mm along the edge normal
    double mtf = 0.0;
    double standardError = NAN;  // of the MTF, by the jackknife over the groups of lines
};

// One edge image's fitted line, in its ROI's pixel coordinates (see MtfResult).
struct EdgeFit {
    double offset = 0.0, slope = 0.0, angleDegrees = 0.0, residualPx = 0.0;
    int linesUsed = 0;
};

struct MtfResult {
    EdgeOrientation orientation = EdgeOrientation::Vertical;
    // The fitted edge in ROI pixel coordinates: across = edgeOffset + edgeSlope * along, where
    // "across" is x for a vertical edge (y for a horizontal one) and "along" the other coordinate.
    double edgeOffset = 0.0, edgeSlope = 0.0;
    double angleDegrees = 0.0;  // atan(edgeSlope): the edge's tilt to the pixel column (row)
    double edgeResidualPx = 0.0;  // RMS distance of the lines' edge positions from the fitted line
    int linesUsed = 0;            // lines whose edge position entered the fit
    double pixelMm = 0.0;
    double binWidthPx = 0.0;
    // The levels on the two sides (mean ESF over the outer quarter of each side), low side first,
    // and their difference.
    double lowLevel = 0.0, highLevel = 0.0, contrast = 0.0;
    // Noise: the RMS deviation of the pixel values in those outer quarters from the mean of their
    // ESF bin (one degree of freedom per bin taken off).
    double noise = 0.0;
    // ESF bin centres start at esfStartPx (signed distance from the edge along its normal, pixels,
    // growing with x for a vertical edge, with y for a horizontal one), one bin width apart; the LSF
    // sample k lies between ESF bins k and k + 1 and is positive where the values rise towards the
    // high side.
    double esfStartPx = 0.0;
    std::vector<double> esf, lsf;
    // The MTF at the transform's own frequencies from 0 to the pixel grid's Nyquist frequency
    // 1 / (2 pixelMm), and at the Nyquist frequency itself; and at 0, 0.5, 1.0 ... cycles/mm up to
    // it (linear between transform samples).
    std::vector<MtfPoint> curve, halfSteps;
    // Where the MTF first falls to 0.5 and 0.1 (linear between transform samples), cycles/mm; NaN
    // when it does not within the oversampled range (up to 1 / (2 bin width)).
    double mtf50 = NAN, mtf10 = NAN;
    double mtf50StandardError = NAN;  // likewise
    std::vector<EdgeFit> edges;       // each image's edge; the fields above hold the first one's
    // The distances from the edge the ESF covers, pixels (lower side of the first bin, upper side of
    // the last), in the first image's direction.
    double esfLowPx = 0.0, esfHighPx = 0.0;
    int uncertaintyGroups = 0;        // 0 when the lines were too few
    // The background trend removed: each plateau's change over the ESF range as a fraction of the
    // contrast, the low side (first bins) and the high side.
    double plateauChangeLow = 0.0, plateauChangeHigh = 0.0;
    std::vector<common::Text> notes;  // what the user should know (uneven bins, tilt, trend)
};

// Refuses (common::InputError, with a message saying what to change) a ROI smaller than 16 x 16,
// a ROI without a clear straight edge (flat, noise only, a curve), an edge tilted less than 1 or
// more than 45 degrees, an edge so close to the ROI's side that fewer than 5 pixels remain on one
// side, and a slope whose projected pixel centres would leave bins empty.
MtfResult MeasureEdgeMtf(const EdgeImage& roi, const MtfSettings& settings, common::ThreadPool& pool);
// Several images of edges of one direction, their ESFs pooled; refuses as above, and edges of
// different directions.
MtfResult MeasureEdgeMtf(std::span<const EdgeImage> rois, const MtfSettings& settings, common::ThreadPool& pool);

// The MTF at `frequency` (cycles/mm) by linear interpolation in `curve` (ascending); NaN outside it.
double MtfAt(const std::vector<MtfPoint>& curve, double frequency);
// Its standard error, likewise.
double MtfStandardErrorAt(const std::vector<MtfPoint>& curve, double frequency);

} // namespace quality
