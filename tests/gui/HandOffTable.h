#pragma once
// The three windows as the viewer's hand-off leaves them: the ROI size and the spacing in the
// viewer, the n x n table filled cell by cell with pattern(x, y), the filter window's run counter
// at 0. The spectrum window's FormActivate then runs the hand-off.
#include <QString>

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

template <typename Pattern>
void FillHandOffTable(TForm1& form1, TForm2& form2, TForm3& form3, int n, const QString& spacing, Pattern pattern)
{
    form1.ui.EditROISizeX->setText(QString::number(n));
    form1.ui.EditROISizeY->setText(QString::number(n));
    form1.ui.EditPxlSpc->setText(spacing);
    toolkit::TextGrid* grid = form2.ui.StringGridRaw;
    grid->SetColCount(n + 1);
    grid->SetRowCount(n + 1);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            grid->SetCellInt(x + 1, y + 1, static_cast<long long>(pattern(x, y)));
    form3.ui.EditNAct->setText("0");
}
