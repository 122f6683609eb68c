#pragma once
// Stands in for the spectrum window as the filter window reads it: a raw matrix, its transform by
// the shared double-precision FFT, the centred power map (pixel spacing 1) and the table's range.
#include <QString>
#include <memory>

#include "Conversions.h"
#include "Fft.h"
#include "NumberText.h"
#include "Rounding.h"
#include "SpectrumSource.h"

class SpectrumDouble : public links::SpectrumSource {
public:

    int n = 0;
    std::unique_ptr<spectrum::SquareMatrix> raw = std::make_unique<spectrum::SquareMatrix>();
    std::unique_ptr<spectrum::SquareMatrix> re = std::make_unique<spectrum::SquareMatrix>();
    std::unique_ptr<spectrum::SquareMatrix> im = std::make_unique<spectrum::SquareMatrix>();
    std::unique_ptr<spectrum::SquareMatrix> map = std::make_unique<spectrum::SquareMatrix>();
    double spectrumMax = 0, rawMax = 0, rawMin = 0;
    QString badCell;  // when set, every cell reads as this text
    int allClicks = 0;
    std::uint64_t serial = 0;  // a new one with each Load, as a hand-off gives

    // Sets the table to value(x, y) and computes what the spectrum window would hold.
    template <typename F>
    void Load(int size, F value)
    {
        n = size;
        ++serial;
        rawMax = rawMin = value(0, 0);
        for (int x = 0; x < n; ++x)
            for (int y = 0; y < n; ++y) {
                const double v = value(x, y);
                (*raw)[x][y] = (*re)[x][y] = v;
                (*im)[x][y] = 0;
                rawMax = std::max(rawMax, v);
                rawMin = std::min(rawMin, v);
            }
        auto& ws = spectrum::SharedFft();
        spectrum::BuildFftTables(ws, n, spectrum::FftPrecision::Double);
        spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::First, n, spectrum::FftPrecision::Double);
        spectrum::TransformLines(ws, *re, *im, n, spectrum::Axis::Second, n, spectrum::FftPrecision::Double);
        const int h = n / 2;
        for (int u = 0; u < n; ++u)
            for (int v = 0; v < n; ++v)
                (*map)[(u + h) % n][(v + h) % n] = ((*re)[u][v] * (*re)[u][v] + (*im)[u][v] * (*im)[u][v]) / n / n;
        spectrumMax = (*map)[1 % n][1 % n];
        for (int q = 0; q < n; ++q)
            for (int p = 0; p < n; ++p)
                if (!(p == h && q == h) && (*map)[p][q] > spectrumMax)
                    spectrumMax = (*map)[p][q];
    }

    int MatrixSize() override { return n; }
    std::uint64_t DataSerial() override { return serial; }
    const spectrum::SquareMatrix& SpectrumRe() override { return *re; }
    const spectrum::SquareMatrix& SpectrumIm() override { return *im; }
    const spectrum::SquareMatrix& SpectrumMap() override { return *map; }
    double SpectrumMax() override { return spectrumMax; }
    double RawMax() override { return rawMax; }
    QString EditMax() override { return QString::fromStdString(common::FloatToStr(rawMax)); }
    QString EditMin() override { return QString::fromStdString(common::FloatToStr(rawMin)); }
    QString EditMaxRaw() override { return QString::number(common::Trunc(rawMax)); }
    QString EditMinRaw() override { return QString::number(common::Trunc(rawMin)); }
    void RawValues(int size, spectrum::SquareMatrix& out) override
    {
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y)
                out[x][y] = badCell.isEmpty() ? (*raw)[x][y] : common::StrToFloat(badCell.toStdString());
    }
    void ButtonAllClick() override { ++allClicks; }
};
