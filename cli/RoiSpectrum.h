#pragma once
// A ROI of a loaded image through the spectrum engine the spectrum window runs after the viewer's
// hand-off: the ROI's samples as the table, its 2-D transform and the centred map of the chosen
// kind.
#include <memory>
#include <string>

#include "Fft.h"
#include "ImageLoading.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"

namespace cli {

struct RoiSpectrum {
    int n = 0;
    double pixelMm = 0.0;
    std::unique_ptr<spectrum::SquareMatrix> re = std::make_unique<spectrum::SquareMatrix>();
    std::unique_ptr<spectrum::SquareMatrix> im = std::make_unique<spectrum::SquareMatrix>();
    std::unique_ptr<spectrum::SquareMatrix> map = std::make_unique<spectrum::SquareMatrix>();
    spectrum::FftWorkspace fft;
};

// "x,y,n": the ROI's top-left pixel and its side (1, 2, 4, ..., 1024), wholly inside the image.
struct SquareRoi {
    long long x = 0, y = 0;
    int n = 0;
};
SquareRoi ParseSquareRoi(const std::string& text, const imageio::LoadedImage& image);

// kind: "power", "abs", "real", "imag" (the spectrum window's choices); `logarithmic` as its "Log".
std::unique_ptr<RoiSpectrum> TransformRoi(const imageio::LoadedImage& image, const SquareRoi& roi, const std::string& kind,
                                          bool logarithmic, common::ThreadPool& pool);

} // namespace cli
