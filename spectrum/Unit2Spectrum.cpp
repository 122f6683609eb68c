// The 2-D transform of the table and the spectrum map built from it.
#include <algorithm>
#include <exception>
#include <vector>

#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumMap.h"
#include "Unit1.h"
#include "Unit2.h"
#include "WorkerPool.h"

using toolkit::SetText;

void TForm2::Fft2D()
{
    SelectAll();
    LoadMatrixSize();
    const int n = MatrixSize;
    ++DataSerial;  // the transform changes from here on: whatever was computed before is stale
    spectrum::FftWorkspace& ws = spectrum::SharedFft();
    spectrum::BuildFftTables(ws, n, spectrum::FftPrecision::Double);
    common::ThreadPool& pool = toolkit::WindowPool();
    const double* rows = nullptr;
    std::vector<double> read;
    if (heldCells_.valid && heldCells_.revision == ui.StringGridRaw->Revision() && heldCells_.n == n) {
        rows = heldCells_.values.data();  // read since the table last changed: every cell has a value
    } else {
        // Bands of rows are read side by side; a bad cell stops its band. The rows before the
        // first bad cell in row order are still stored and transformed along x, as when the rows
        // are read one after the other, and then that cell's error is raised.
        read.resize(static_cast<std::size_t>(n) * n);
        constexpr int kBand = 16;
        const int bands = (n + kBand - 1) / kBand;
        std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bands));
        std::vector<int> failedRow(static_cast<std::size_t>(bands), n);
        common::ParallelFor(pool, bands, [&](int band) {
            for (int y = band * kBand; y < std::min(n, (band + 1) * kBand); ++y) {
                try {
                    ui.StringGridRaw->ReadValues(1, y + 1, n, 1, &read[static_cast<std::size_t>(y) * n]);
                } catch (...) {
                    failures[static_cast<std::size_t>(band)] = std::current_exception();
                    failedRow[static_cast<std::size_t>(band)] = y;
                    return;
                }
            }
        });
        for (int band = 0; band < bands; ++band) {
            if (const std::exception_ptr failure = failures[static_cast<std::size_t>(band)]) {
                const int good = failedRow[static_cast<std::size_t>(band)];
                spectrum::TransformRows(ws, read.data(), *SpectrumRe, *SpectrumIm, n, good, pool);
                std::rethrow_exception(failure);
            }
        }
        rows = read.data();
    }
    spectrum::TransformRows(ws, rows, *SpectrumRe, *SpectrumIm, n, n, pool);
    spectrum::TransformLines(ws, *SpectrumRe, *SpectrumIm, n, spectrum::Axis::Second, n,
                             spectrum::FftPrecision::Double, pool);
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
    const double d = PixelSpacing();
    ++DataSerial;
    mapStamp_ = {DataSerial, {}, true};
    // The profile on show was taken from the map this one replaces: it goes with it.
    ProfileText.clear();
    SpectrumProfileCount = 0;
    ui.Chart1->Clear(profileSeries_);
    spectrum::BuildSpectrumMap(*SpectrumRe, *SpectrumIm, MatrixSize, d, ui.RadioGroup2dSpctl->ItemIndex(),
                               *SpectrumMap, toolkit::WindowPool());
    if (ui.CheckBoxLog->isChecked())
        spectrum::TakeLogarithm(*SpectrumMap, MatrixSize, toolkit::WindowPool());
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
