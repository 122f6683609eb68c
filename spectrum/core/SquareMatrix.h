#pragma once
// The square matrices of the analysis windows: 1025 x 1025 doubles indexed [x][y], x (the
// horizontal position or frequency) first. Only the leading N x N part is in use; the rest keeps
// whatever it held, and the storage never changes size.
#include <cstddef>

namespace spectrum {

inline constexpr int kMatrixSide = 1025;

class SquareMatrix {
public:
    SquareMatrix();
    ~SquareMatrix();
    SquareMatrix(const SquareMatrix&) = delete;
    SquareMatrix& operator=(const SquareMatrix&) = delete;

    // m[x][y]; the line of fixed x is contiguous.
    double* operator[](int x) { return data_ + static_cast<std::size_t>(x) * kMatrixSide; }
    const double* operator[](int x) const { return data_ + static_cast<std::size_t>(x) * kMatrixSide; }

private:
    double* data_;
};

} // namespace spectrum
