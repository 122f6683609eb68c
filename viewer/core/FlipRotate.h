#pragma once
// Flips of the whole pixel matrix and quarter turns of the viewed square, done in place in the
// loaded file's bytes. Pixels are moved whole and unchanged: 16-bit words, or bytes in 8-bit mode.
#include <cstdint>
#include <span>

#include "ViewGeometry.h"

namespace viewer {

// The matrix to rewrite. In 16-bit modes the words start at the even byte at or below the header
// offset (offset div 2 words), so an odd offset moves the words one byte earlier than rendering
// reads them.
struct PixelMatrix {
    std::span<std::uint8_t> stream;
    long long headerOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    int bytesPerPixel = 2;
};

// Each raises InputError with a clear message, moving nothing, when the width, height and header
// offset describe more data than the stream holds.
void FlipVertical(const PixelMatrix& m);    // top row <-> bottom row
void FlipHorizontal(const PixelMatrix& m);  // left column <-> right column

// Rotates the block of the view by 90 degrees. Only a square block wholly inside the matrix can
// turn; any other block is refused with a clear message and nothing moves.
void RotateViewBlock(const PixelMatrix& m, const ViewBounds& view, bool clockwise);

// The refusals' source texts, of the "viewer" context.
extern const char* const kMatrixExceedsDataMessage;
extern const char* const kRotateBlockMessage;

} // namespace viewer
