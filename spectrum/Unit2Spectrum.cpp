// The 2-D transform of the table and the spectrum map built from it.
#include <algorithm>
#include <exception>
#include <vector>

#include "Fft.h"
#include "SpectrumRun.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumMap.h"
#include "ViewerParameters.h"
#include "Unit2.h"

using toolkit::SetText;

void TForm2::Fft2D()
{
    SelectAll();
    LoadMatrixSize();
    const int n = MatrixSize;
    ++DataSerial;  // the transform changes from here on: whatever was computed before is stale
    if (heldCells_.valid && heldCells_.revision == ui.StringGridRaw->Revision() && heldCells_.n == n) {
        // Read since the table last changed: every cell has a value.
        spectrum::TransformTable(spectrum::SharedFft(), n, heldCells_.values.data(), *SpectrumRe, *SpectrumIm, pool_);
        return;
    }
    const toolkit::TextGrid* grid = ui.StringGridRaw;
    spectrum::TransformTable(
        spectrum::SharedFft(), n, [grid, n](int y, double* out) { grid->ReadValues(1, y + 1, n, 1, out); }, *SpectrumRe,
        *SpectrumIm, pool_);
}

void TForm2::Button2DFFTClick()
{
    LoadMatrixSize();  // a size the transform cannot serve is refused before anything changes
    SetText(ui.EditFXSize, viewer_.RoiSizeX());
    SetText(ui.EditFYSize, viewer_.RoiSizeY());
    LoadMatrixSize();
    Fft2D();
}

void TForm2::ButtonSpctlClick()
{
    LoadMatrixSize();
    const double d = PixelSpacing();
    ++DataSerial;
    mapStamp_ = {DataSerial, {}, true};
    // The profile on show was taken from the map this one replaces: it goes with it.
    ProfileText.clear();
    SpectrumProfileCount = 0;
    ui.Chart1->Clear(profileSeries_);
    spectrum::MakeSpectrumMap(*SpectrumRe, *SpectrumIm, MatrixSize, d,
                              static_cast<spectrum::MapKind>(ui.RadioGroup2dSpctl->ItemIndex()),
                              ui.CheckBoxLog->isChecked(), *SpectrumMap, pool_);
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
    // "Disp" asks again for the statistics of the map its "Spectl" step has just computed.
    HeldMapStatistics& held = heldMapStatistics_;
    if (!held.valid || held.serial != DataSerial || held.n != MatrixSize)
        held = {true, DataSerial, MatrixSize, spectrum::ComputeMapStatistics(*SpectrumMap, MatrixSize)};
    const spectrum::MapStatistics s = held.statistics;
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
