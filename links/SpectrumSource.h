#pragma once
// What the filter window reads from the spectrum window: the matrix size, the transform, the
// centred map with its maximum, the raw-data table and its range. The filter window never writes
// into the spectrum window.
#include <QString>
#include <cstdint>

#include "SquareMatrix.h"

namespace links {

class SpectrumSource {
public:
    virtual ~SpectrumSource() = default;

    virtual int MatrixSize() = 0;
    virtual const spectrum::SquareMatrix& SpectrumRe() = 0;
    virtual const spectrum::SquareMatrix& SpectrumIm() = 0;
    virtual const spectrum::SquareMatrix& SpectrumMap() = 0;
    virtual double SpectrumMax() = 0;
    virtual double RawMax() = 0;
    // Texts of EditMax, EditMin, EditMaxRaw, EditMinRaw.
    virtual QString EditMax() = 0;
    virtual QString EditMin() = 0;
    virtual QString EditMaxRaw() = 0;
    virtual QString EditMinRaw() = 0;
    // The data cells (x + 1, y + 1) of StringGridRaw for x, y = 0 .. n - 1, converted as reals
    // into out[x][y]; a cell that is not a number raises the conversion error.
    virtual void RawValues(int n, spectrum::SquareMatrix& out) = 0;
    // The click operation of the table's "All" export.
    virtual void ButtonAllClick() = 0;
    // The serial of the spectrum window's data (ResultFreshness.h): a new one with every hand-off
    // and every new transform or map, 0 before the first hand-off.
    virtual std::uint64_t DataSerial() = 0;
};

} // namespace links
