// The 2-D transform of the table and the spectrum map built from it.
#include <algorithm>

#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumMap.h"
#include "Unit1.h"
#include "Unit2.h"

using toolkit::SetText;

void TForm2::StoreRows(const double* rows, int n, int firstRow, int count)
{
    for (int x = 0; x < n; ++x) {
        double* re = (*SpectrumRe)[x] + firstRow;
        double* im = (*SpectrumIm)[x] + firstRow;
        for (int k = 0; k < count; ++k) {
            re[k] = rows[static_cast<std::size_t>(k) * n + x];
            im[k] = 0;
        }
    }
}

void TForm2::Fft2D()
{
    SelectAll();
    LoadMatrixSize();
    const int n = MatrixSize;
    ++DataSerial;  // the transform changes from here on: whatever was computed before is stale
    spectrum::FftWorkspace& ws = spectrum::SharedFft();
    spectrum::BuildFftTables(ws, n, spectrum::FftPrecision::Double);
    // Rows are read four at a time so that each element x receives its four neighbouring y at
    // once; a bad cell still leaves every row before it transformed.
    constexpr int kRows = 4;
    std::vector<double> rows(static_cast<std::size_t>(kRows) * n);
    for (int y0 = 0; y0 < n; y0 += kRows) {
        const int count = std::min(kRows, n - y0);
        for (int k = 0; k < count; ++k) {
            try {
                ui.StringGridRaw->ReadValues(1, y0 + k + 1, n, 1, &rows[static_cast<std::size_t>(k) * n]);
            } catch (...) {
                StoreRows(rows.data(), n, y0, k);
                spectrum::TransformLines(ws, *SpectrumRe, *SpectrumIm, n, spectrum::Axis::First, y0 + k,
                                         spectrum::FftPrecision::Double);
                throw;
            }
        }
        StoreRows(rows.data(), n, y0, count);
    }
    spectrum::TransformLines(ws, *SpectrumRe, *SpectrumIm, n, spectrum::Axis::First, n, spectrum::FftPrecision::Double);
    spectrum::TransformLines(ws, *SpectrumRe, *SpectrumIm, n, spectrum::Axis::Second, n,
                             spectrum::FftPrecision::Double);
}

void TForm2::Button2DFFTClick()
{
    LoadMatrixSize();  // a size the transform cannot serve is refused before anything changes
    SetText(ui.EditFXSize, Form1->ui.EditROISizeX->text());
    SetText(ui.EditFYSize, Form1->ui.EditROISizeY->text());
    LoadMatrixSize();
    Fft2D();
}

void TForm2::ButtonSpctlClick()
{
    LoadMatrixSize();
    const double d = RealOf(Form1->ui.EditPxlSpc);
    ++DataSerial;
    mapStamp_ = {DataSerial, {}, true};
    spectrum::BuildSpectrumMap(*SpectrumRe, *SpectrumIm, MatrixSize, d, ui.RadioGroup2dSpctl->ItemIndex(),
                               *SpectrumMap);
    if (ui.CheckBoxLog->isChecked())
        spectrum::TakeLogarithm(*SpectrumMap, MatrixSize);
    SpectrumStatistics();
    mapStamp_.interrupted = false;
    ProfileLineDX = 0;
    ProfileLineDY = 0;
    DrawCurrentView();
}

void TForm2::RadioGroup2dSpctlClick() { ButtonSpctlClick(); }

void TForm2::CheckBoxLogClick()
{
    ButtonSpctlClick();
    DrawCurrentView();
}

void TForm2::SpectrumStatistics()
{
    LoadMatrixSize();
    const spectrum::MapStatistics s = spectrum::ComputeMapStatistics(*SpectrumMap, MatrixSize);
    SpectrumMax = s.max;
    SpectrumMin = s.min;
    SpectrumMean = s.mean;
    SetText(ui.EditMaxSpctl, RealText(SpectrumMax));
    SetText(ui.EditMinSpctl, RealText(SpectrumMin));
    if (!ui.CheckBoxLck->isChecked()) {
        SetText(ui.EditSpctWW, RealText(2 * std::abs(SpectrumMean)));
        SetText(ui.EditSpctWL, RealText(SpectrumMean));
    }
}
