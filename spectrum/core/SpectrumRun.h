#pragma once
// The spectrum of a square ROI, one engine for the spectrum window and the command line: the
// table's rows transformed along x, then every column along y, in double precision; then the
// centred map of the chosen kind. The window runs the two steps from its two buttons; the
// command line runs them one after the other.
#include <functional>

#include "Fft.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace spectrum {

// Reads row y of the table (n values) into `out`; raises the conversion error of a cell that is
// not a number. Called from the pool's threads for different rows at once.
using TableRowReader = std::function<void(int y, double* out)>;

// re + i im := the 2-D transform of the n x n table (re[x][y] from row y, column x). The rows are
// read in bands side by side; if one cannot be read, the rows before it (in row order) are still
// stored and transformed along x, as reading them one after the other would leave them, and then
// its error is raised.
void TransformTable(FftWorkspace& ws, int n, const TableRowReader& readRow, SquareMatrix& re, SquareMatrix& im,
                    common::ThreadPool& pool);
// The same from rows already read: rows[y * n + x].
void TransformTable(FftWorkspace& ws, int n, const double* rows, SquareMatrix& re, SquareMatrix& im,
                    common::ThreadPool& pool);

// The kinds of map, in the order of the window's choices.
enum class MapKind { Power = 0, Abs = 1, Real = 2, Imag = 3 };

// map := the centred map of `kind` for pixel spacing d (mm), then its logarithm when asked.
void MakeSpectrumMap(const SquareMatrix& re, const SquareMatrix& im, int n, double d, MapKind kind, bool logarithmic,
                     SquareMatrix& map, common::ThreadPool& pool);

} // namespace spectrum
