// The raw-data table: statistics and histogram, size edits, test patterns and clipboard export.
#include <QClipboard>
#include <QGuiApplication>
#include <optional>
#include <span>

#include "HandlerGuard.h"
#include "ParameterText.h"
#include "TableStatistics.h"
#include "TextTable.h"
#include "Unit2.h"
#include "FilterLink.h"

using toolkit::SetText;

void TForm2::SelectAll()
{
    const auto* grid = ui.StringGridRaw;
    GridSelection = {1, 1, grid->ColCount() - 1, grid->RowCount() - 1};
    ui.StringGridRaw->SelectRange(GridSelection.Left, GridSelection.Top, GridSelection.Right, GridSelection.Bottom);
}

void TForm2::ButtonAveSDClick()
{
    SelectAll();
    const int w = ui.StringGridRaw->ColCount() - 1;
    const int h = ui.StringGridRaw->RowCount() - 1;
    // A square table is the block the transform and the raw range read next: converted once and
    // held for them (the same cells, the same values, the same first bad cell in row order).
    std::vector<double> own;
    std::span<const double> values;
    if (w == h) {
        values = ReadDataCells(w);
    } else {
        own.resize(static_cast<std::size_t>(w) * h);
        ui.StringGridRaw->ReadValues(1, 1, w, h, own.data());
        values = own;
    }
    // The bin count is read only after the statistics are shown; where it is good already, the
    // histogram is counted in the statistics' second pass, and used if the count read then is
    // the same.
    std::optional<std::int32_t> goodBins;
    try {
        const std::int32_t bins = IntOf(filter_.HistogramBins());
        spectrum::CheckBinCount(bins);
        goodBins = bins;
    } catch (const std::exception&) {
    }
    spectrum::StatisticsWithHistogram both;
    if (goodBins)
        both = spectrum::ComputeTableStatisticsAndHistogram(values, w, h, *goodBins, pool_);
    else
        both.statistics = spectrum::ComputeTableStatistics(values, w, h);
    const spectrum::TableStatistics& s = both.statistics;
    if (w == h) {
        // Found as the raw range finds them: from the first value, by the same comparisons.
        heldCells_.extremesKnown = true;
        heldCells_.max = s.max;
        heldCells_.min = s.min;
    }
    SetText(ui.EditAve, RealText(s.mean));
    SetText(ui.EditSD, RealText(s.sd));
    SetText(ui.EditMax, RealText(s.max));
    SetText(ui.EditMin, RealText(s.min));

    const std::int32_t bins = IntOf(filter_.HistogramBins());
    const auto counts = goodBins == bins ? both.counts
                                         : spectrum::HistogramCounts(values, s.min, s.max, bins, pool_);
    std::vector<QPointF> points;
    for (const spectrum::ChartPoint& p : spectrum::HistogramPoints(counts, s.min, s.max, bins))
        points.emplace_back(p.x, p.y);
    filter_.ShowRawHistogram(points);
    SetText(ui.EditImgWW, RealText(s.max - s.min));
    SetText(ui.EditImgWL, RealText((s.max + s.min) / 2));
}

void TForm2::EditFXSizeChange() { ui.StringGridRaw->SetColCount(static_cast<long long>(IntOf(ui.EditFXSize)) + 1); }

void TForm2::EditFYSizeChange() { ui.StringGridRaw->SetRowCount(static_cast<long long>(IntOf(ui.EditFYSize)) + 1); }

void TForm2::CheckBoxEditClick()
{
    if (ui.CheckBoxEdit->isChecked())
        ui.StringGridRaw->SetEditMode(true);
}

void TForm2::Button1Click()
{
    // A test pattern: counted upward from the middle row, keep the first K rows of each block of
    // P rows for M blocks, zero every other row of the upper half, and zero rows 129 onward.
    const int n = MatrixSize;
    const std::int32_t p = IntOf(ui.EditN1);
    const std::int32_t keep = IntOf(ui.EditN2);
    std::int32_t blocks = IntOf(ui.EditN3);
    auto zeroRow = [&](int r) {
        for (int c = 1; c <= n; ++c)
            ui.StringGridRaw->SetCell(c, r, QStringLiteral("0"));  // cells outside the grid are skipped
    };
    int k = 0;
    for (int r = n / 2; r >= 1; --r) {
        if (k >= keep || blocks <= 0)
            zeroRow(r);
        zeroRow(r + 128);
        ++k;
        if (k == p) {
            k = 0;
            --blocks;
        }
    }
}

void TForm2::Button2Click()
{
    // Point-mirror exchange of every second row of the upper half.
    const int n = MatrixSize;
    const auto* grid = ui.StringGridRaw;
    for (int r = 2; r <= n / 2; r += 2)
        for (int c = 1; c <= n; ++c) {
            const int c2 = n + 1 - c, r2 = n + 2 - r;
            // An exchange with a cell outside the grid would lose the text: it is skipped.
            if (c < grid->ColCount() && r < grid->RowCount() && c2 < grid->ColCount() && r2 < grid->RowCount())
                ui.StringGridRaw->SwapCells(c, r, c2, r2);
        }
}

void TForm2::StringGridRawSelectCell(int, int row)
{
    if (!ui.CheckBoxDlt->isChecked())
        return;
    for (int c = 1; c <= MatrixSize; ++c)
        ui.StringGridRaw->SetCell(c, row, QStringLiteral("0"));
}

namespace {

std::vector<std::vector<std::string>> CellRows(const toolkit::TextGrid& grid, int left, int top, int right,
                                               int bottom, bool transposed)
{
    std::vector<std::vector<std::string>> rows;
    const int outer0 = transposed ? left : top, outer1 = transposed ? right : bottom;
    const int inner0 = transposed ? top : left, inner1 = transposed ? bottom : right;
    for (int o = outer0; o <= outer1; ++o) {
        std::vector<std::string>& row = rows.emplace_back();
        for (int i = inner0; i <= inner1; ++i)
            row.push_back(transposed ? grid.CellText(o, i) : grid.CellText(i, o));
    }
    return rows;
}

void ToClipboard(const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); }

} // namespace

void TForm2::ButtonAllClick()
{
    SelectAll();
    const int w = ui.StringGridRaw->ColCount() - 1;
    const int h = ui.StringGridRaw->RowCount() - 1;
    ToClipboard(common::TextTable(CellRows(*ui.StringGridRaw, 1, 1, w, h, ui.CheckBoxSwapRC->isChecked())));
}

void TForm2::ButtonSelectedClick()
{
    const GridRect s = GridSelection;
    ToClipboard(common::TextTable(CellRows(*ui.StringGridRaw, s.Left, s.Top, s.Right, s.Bottom, false)));
}
