#include "SquareMatrix.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace spectrum {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
constexpr std::size_t kBytes =
    (static_cast<std::size_t>(kMatrixSide) * kMatrixSide * sizeof(double) + kHugePage - 1) / kHugePage * kHugePage;

} // namespace

SquareMatrix::SquareMatrix()
{
    // The transform walks lines of fixed y, one element per 8 kB: with 4 kB pages every step is a
    // new page. Large pages, where the system grants them, keep the whole matrix in a few TLB
    // entries.
    void* p = std::aligned_alloc(kHugePage, kBytes);
    if (!p)
        throw std::bad_alloc();
    madvise(p, kBytes, MADV_HUGEPAGE);
    std::memset(p, 0, kBytes);
    data_ = static_cast<double*>(p);
}

SquareMatrix::~SquareMatrix() { std::free(data_); }

} // namespace spectrum
