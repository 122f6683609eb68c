#include "SpectrumRun.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "SpectrumMap.h"

namespace spectrum {

namespace {

// Both passes, with the tables already built for n.
void TransformRead(FftWorkspace& ws, int n, const double* rows, SquareMatrix& re, SquareMatrix& im,
                   common::ThreadPool& pool)
{
    TransformRows(ws, rows, re, im, n, n, pool);
    TransformLines(ws, re, im, n, Axis::Second, n, FftPrecision::Double, pool);
}

} // namespace

void TransformTable(FftWorkspace& ws, int n, const TableRowReader& readRow, SquareMatrix& re, SquareMatrix& im,
                    common::ThreadPool& pool)
{
    BuildFftTables(ws, n, FftPrecision::Double);
    std::vector<double> rows(static_cast<std::size_t>(n) * n);
    // A bad cell stops only its own band; the first failing band in row order decides what is
    // kept and which error is raised.
    constexpr int kBand = 16;
    const int bands = (n + kBand - 1) / kBand;
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
    std::vector<int> failedRow(static_cast<std::size_t>(bands), n);
    common::ParallelFor(pool, bands, [&](int band) {
        for (int y = band * kBand; y < std::min(n, (band + 1) * kBand); ++y) {
            try {
                readRow(y, &rows[static_cast<std::size_t>(y) * n]);
            } catch (...) {
                failures[static_cast<std::size_t>(band)] = std::current_exception();
                failedRow[static_cast<std::size_t>(band)] = y;
                return;
            }
        }
    });
    for (int band = 0; band < bands; ++band) {
        if (const std::exception_ptr failure = failures[static_cast<std::size_t>(band)]) {
            TransformRows(ws, rows.data(), re, im, n, failedRow[static_cast<std::size_t>(band)], pool);
            std::rethrow_exception(failure);
        }
    }
    TransformRead(ws, n, rows.data(), re, im, pool);
}

void TransformTable(FftWorkspace& ws, int n, const double* rows, SquareMatrix& re, SquareMatrix& im,
                    common::ThreadPool& pool)
{
    BuildFftTables(ws, n, FftPrecision::Double);
    TransformRead(ws, n, rows, re, im, pool);
}

void MakeSpectrumMap(const SquareMatrix& re, const SquareMatrix& im, int n, double d, MapKind kind, bool logarithmic,
                     SquareMatrix& map, common::ThreadPool& pool)
{
    BuildSpectrumMap(re, im, n, d, static_cast<int>(kind), map, pool);
    if (logarithmic)
        TakeLogarithm(map, n, pool);
}

} // namespace spectrum
