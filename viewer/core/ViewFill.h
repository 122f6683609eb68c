#pragma once
// Fills the display bitmap with the windowed, visible part of the image.
#include <cstdint>

#include "GreyBitmap.h"
#include "PixelRule.h"
#include "ThreadPool.h"
#include "ViewGeometry.h"
#include "WindowMap.h"

namespace viewer {

// Visible pixels are packed from bitmap column 0 and row 0 when the view starts before the
// image; bitmap pixels that receive no image pixel keep their bytes. Nothing past the stream is
// read: missing pixels are taken as stored zeros. Raises the division error for a width of 0.
// Bands of rows are shared out among the pool's threads.
void FillView(const imageio::PixelSource& source, const ViewBounds& view, const WindowParams& window,
              common::GreyBitmap& bitmap, common::ThreadPool& pool = common::OneThread());

} // namespace viewer
