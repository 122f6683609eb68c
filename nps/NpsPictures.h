#pragma once
// The NPS window's two pictures: the first image with the placed ROIs, and the 2-D NPS.
#include <QImage>
#include <span>

#include "NoisePowerSpectrum.h"

namespace nps {

// The image in grey (window: mean +- 3 SD of the image), the ROIs outlined, scaled to fit `side`.
QImage RoiPicture(const PixelView& image, const RoiGrid& grid, int side);

// log10 of the NPS in grey from its smallest to its largest positive value, the centre (zero
// frequency) left out of the scale; n x n, scaled to `side`.
QImage NpsPicture(const NpsResult& result, int side);

} // namespace nps
