#pragma once
// The rectangle of image samples under the ROI, read by the statistics, the trimming export and
// the hand-off to the analysis windows. Every read is bounded to the image matrix and the stream.
#include <cstdint>
#include <optional>
#include <vector>

#include "ImageLoading.h"
#include "PixelRule.h"
#include "RoiFrame.h"
#include "ViewGeometry.h"

namespace viewer {

struct RoiBlock {
    long long x0 = 0;  // first image column
    long long y0 = 0;  // first image row
    long long w = 0;   // columns
    long long h = 0;   // rows
    bool operator==(const RoiBlock&) const = default;
    bool IsEmpty() const { return w <= 0 || h <= 0; }
};

// The block of a ROI given by its bounds in image columns and rows (inclusive).
RoiBlock RoiBlockOf(const Rect& roiBounds);

// The part of the block that lies inside the image matrix; nothing when they do not meet.
std::optional<RoiBlock> ClipToImage(const RoiBlock& block, std::int32_t width, std::int32_t height);

// True when the block has samples, lies wholly inside the matrix and the stream holds all of them.
bool BlockIsReadable(const imageio::PixelSource& source, const RoiBlock& block);

// The stored elements of the block, row by row from the top, each row left to right; a byte is
// widened to a word in 8-bit mode. Raises InputError with a clear message unless the block is
// readable (see BlockIsReadable).
std::vector<std::uint16_t> ReadBlockElements(const imageio::PixelSource& source, const RoiBlock& block);

// The message given for a block without pixels (a source text of the "viewer" context); one that
// reaches outside the image gets imageio::RoiOutsideImageMessage(), as in the command line.
extern const char* const kRoiEmptyMessage;

} // namespace viewer
