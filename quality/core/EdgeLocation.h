#pragma once
// Finding a straight edge in an image: which way it runs, which way its values rise, and the line
// through its position in every line across it. Shared by the edge measurements of the MTF.
#include <span>
#include <vector>

#include "SlantedEdge.h"

namespace quality {

// Lines across the edge, each line contiguous: the ROI's own rows for a vertical edge (not copied:
// the ROI must outlive the lines), its columns copied for a horizontal one.
struct Lines {
    Lines() = default;
    Lines(Lines&&) = default;  // a moved vector keeps its buffer, so `values` stays valid
    Lines& operator=(Lines&&) = default;
    Lines(const Lines&) = delete;
    Lines& operator=(const Lines&) = delete;

    std::vector<double> columns;      // the copy, for a horizontal edge
    std::span<const double> values;   // line after line
    long long across = 0, count = 0;  // samples per line, lines
    double At(long long line, long long k) const { return values[static_cast<std::size_t>(line * across + k)]; }
    const double* Line(long long line) const { return values.data() + line * across; }
};

Lines LinesOf(const EdgeImage& roi, EdgeOrientation orientation);

// The sum of |differences| along x and along y: an edge makes one of them clearly the larger.
// Refuses (common::InputError) an image whose pixels all have one value.
EdgeOrientation OrientationOf(const EdgeImage& roi);

// +1 when values rise along the lines (mean of the last quarter of every line above the first),
// -1 when they fall; refuses both sides alike.
double PolarityOf(const Lines& lines);

// across = offset + slope * line, fitted through the lines' edge positions.
struct EdgeLine {
    double offset = 0.0, slope = 0.0;
    double residual = 0.0;       // RMS distance of the lines' positions from the line
    // RMS distance of the positions averaged over blocks of 16 lines: noise in single lines
    // averages out, a curved or broken edge does not.
    double blockResidual = 0.0;
    int used = 0;
};

// Edge positions in every line: first around each line's steepest step, then, once a line is
// fitted, around the fitted line (so that a noisy line cannot pull its window off the edge).
// Refuses (common::InputError) an edge found in fewer than half of the lines.
EdgeLine LocateEdge(const Lines& lines, double polarity, common::ThreadPool& pool);

// The largest gap, in pixels along the lines, between the edge's positions within a pixel over
// all lines (their fractional parts, on a circle of length 1).
double LargestPhaseGap(const EdgeLine& edge, long long lineCount);

} // namespace quality
