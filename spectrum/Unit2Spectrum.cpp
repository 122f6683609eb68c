// The 2-D transform of the table and the spectrum map built from it.
#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumMap.h"
#include "Unit1.h"
#include "Unit2.h"

using toolkit::SetText;

void TForm2::Fft2D()
{
    SelectAll();
    LoadMatrixSize();
    const int n = MatrixSize;
    spectrum::FftWorkspace& ws = spectrum::SharedFft();
    spectrum::BuildFftTables(ws, n, spectrum::FftPrecision::Double);
    std::vector<double> row(n);
    for (int y = 0; y < n; ++y) {
        try {
            for (int x = 0; x < n; ++x)
                row[x] = ui.StringGridRaw->CellValue(x + 1, y + 1);
        } catch (...) {
            // The rows before the bad cell are transformed, as a row-by-row pass leaves them.
            spectrum::TransformLines(ws, *SpectrumRe, *SpectrumIm, n, spectrum::Axis::First, y,
                                     spectrum::FftPrecision::Double);
            throw;
        }
        for (int x = 0; x < n; ++x) {
            (*SpectrumRe)[x][y] = row[x];
            (*SpectrumIm)[x][y] = 0;
        }
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
    spectrum::BuildSpectrumMap(*SpectrumRe, *SpectrumIm, MatrixSize, d, ui.RadioGroup2dSpctl->ItemIndex(),
                               *SpectrumMap);
    if (ui.CheckBoxLog->isChecked())
        spectrum::TakeLogarithm(*SpectrumMap, MatrixSize);
    SpectrumStatistics();
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
