// The viewer's hand-off to the analysis windows: the ROI's values into the spectrum window's
// table, and the buttons that bring either window up.
#include "Errors.h"
#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "PixelSpacing.h"
#include "RoiBlock.h"
#include "HandOffTarget.h"
#include "TextGrid.h"
#include "Unit1.h"

void TForm1::ConnectHandOffHandlers()
{
    connect(ui.ButtonToTable, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonToTableClick(); }));
    connect(ui.ButtonToForm2, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonToForm2Click(); }));
    connect(ui.ButtonToForm3, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonToForm3Click(); }));
}

void TForm1::ButtonToTableClick()
{
    // Everything is read and checked before the table changes: a refused ROI leaves the table as
    // it was.
    const viewer::RoiBlock block = RoiBlockOfEdits();
    if (block.IsEmpty())
        throw common::InputError(common::Text("viewer", viewer::kRoiEmptyMessage));
    // A shape the analysis cannot use is refused here, before the table changes, rather than by
    // whichever later step first trips over it.
    spectrum::CheckRoiShape(block.w, block.h);
    // So is a spacing the spectrum's units cannot be made from.
    spectrum::CheckPixelSpacing(RealOf(ui.EditPxlSpc));
    const imageio::PixelSource source = Source();
    const std::int32_t valueOffset = IntOf(ui.EditOffst);
    const bool swap = ui.CheckBoxSwp->isChecked();
    // In " 8bit" mode the elements are the bytes, so the table holds the 8-bit samples.
    const std::vector<std::uint16_t> elements = viewer::ReadBlockElements(source, block);

    toolkit::TextGrid* grid = &analysis_.Table();
    const int w = static_cast<int>(block.w), h = static_cast<int>(block.h);
    grid->SetColCount(w + 1);
    grid->SetRowCount(h + 1);
    // The headers number the block's columns and rows as the view shows them.
    const long long left = block.x0 - ViewBounds.FirstColumn, top = block.y0 - ViewBounds.FirstRow;
    for (int c = 0; c < w; ++c)
        grid->SetCellInt(c + 1, 0, left + c);
    for (int r = 0; r < h; ++r)
        grid->SetCellInt(0, r + 1, top + r);
    std::size_t i = 0;
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            grid->SetCellInt(c + 1, r + 1, imageio::SampleValue(elements[i++], swap, valueOffset));

    analysis_.TableReplaced();
    analysis_.SetFilterFileName(ui.EditFileName->text());
    analysis_.ResetFilterCount();
    ButtonToForm2Click();
    analysis_.ExpectSpectrumActivation();
}

void TForm1::ButtonToForm2Click() { analysis_.ShowSpectrumWindow(); }

void TForm1::ButtonToForm3Click() { analysis_.ShowFilterWindow(); }
