#pragma once
// Fills the display bitmap with the windowed, visible part of the image.
#include <cstdint>
#include <span>

#include "GreyBitmap.h"
#include "PixelRule.h"
#include "ViewGeometry.h"

namespace viewer {

// Visible pixels are packed from bitmap column 0 and row 0 when the view starts before the
// image; bitmap pixels that receive no image pixel keep their bytes. `table` maps each stored
// element to its grey byte (see BuildWindowTable). Nothing past the stream is read: missing
// pixels are taken as stored zeros.
void FillView(const PixelSource& source, const ViewBounds& view, std::span<const std::uint8_t> table,
              common::GreyBitmap& bitmap);

} // namespace viewer
