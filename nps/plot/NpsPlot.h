#pragma once
// The NPS curves as a picture: radial NPS with its standard error, and the two axis curves,
// against cycles/mm. Drawn with QPainter on a QImage, so the command line needs no display.
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

#include "NoisePowerSpectrum.h"

namespace nps {

// A linear or logarithmic NPS axis; on the logarithmic one, values <= 0 and empty bins are left out.
QImage NpsPlotImage(const NpsResult& result, bool logarithmic, int width = 900, int height = 600);

// The picture as the bytes of a PNG file; raises the file-creation error for `path` when it cannot
// be encoded.
std::vector<std::uint8_t> PngFileBytes(const QImage& image, const std::string& path);

} // namespace nps
