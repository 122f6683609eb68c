// The two pictures: drawing through their grey windows, the current view, window dragging, the
// "Disp" chain, the size captions and the picture exports.
#include <QClipboard>
#include <QGuiApplication>

#include "Canvas.h"
#include "GreyPicture.h"
#include "HandlerGuard.h"
#include "NumberText.h"
#include "ParameterText.h"
#include "Rounding.h"
#include "SizeLabels.h"
#include "SpectrumMap.h"
#include "TextTable.h"
#include "ViewerParameters.h"
#include "Unit2.h"
#include "WindowDrag.h"
#include "WorkBitmap.h"

using toolkit::SetChecked;
using toolkit::SetItemIndex;
using toolkit::SetText;

void TForm2::DrawCurrentView()
{
    const int n = MatrixSize;
    common::GreyBitmap& work = spectrum::WorkBitmap();
    const bool data = ui.CheckBox2DData->isChecked();
    toolkit::ImageBox* image = data ? ui.Image2DData : ui.ImageSpctl;
    if (data) {
        const double width = RealOf(ui.EditImgWW), level = RealOf(ui.EditImgWL);
        const std::vector<double>& values = ReadDataCells(n);
        spectrum::RenderGrey(values.data(), 1, n, n, width, level, work, pool_);
    } else {
        const double width = RealOf(ui.EditSpctWW), level = RealOf(ui.EditSpctWL);
        spectrum::RenderGrey((*SpectrumMap)[0], spectrum::kMatrixSide, 1, n, width, level, work,
                             pool_);
    }
    image->Bitmap() = common::StretchNearest(work, image->width(), image->height());
    image->update();
}

void TForm2::RawRange()
{
    LoadMatrixSize();
    const std::vector<double>& values = ReadDataCells(MatrixSize);
    if (!heldCells_.extremesKnown) {
        double max = values.front(), min = values.front();
        for (double v : values) {
            if (v > max)
                max = v;
            if (v < min)
                min = v;
        }
        heldCells_.extremesKnown = true;
        heldCells_.max = max;
        heldCells_.min = min;
    }
    RawMax = heldCells_.max;
    RawMin = heldCells_.min;
    SetText(ui.EditMaxRaw, IntText(common::Trunc(RawMax)));
    SetText(ui.EditMinRaw, IntText(common::Trunc(RawMin)));
}

void TForm2::ButtonDispClick()
{
    ButtonParaClick();
    ButtonAveSDClick();
    SetChecked(ui.CheckBox2DData, true);
    RawRange();
    DrawCurrentView();
    Button2DFFTClick();
    ButtonSpctlClick();
    SetChecked(ui.CheckBox2DData, false);
    SpectrumStatistics();
    if (!ui.CheckBoxLck->isChecked())
        SetItemIndex(ui.RadioGroup2dSpctl, 0);
    DrawCurrentView();
}

void TForm2::CheckBox2DDataClick()
{
    // Each view remembers its own "Log" state; switching restores it, and a change of the box
    // recomputes the map and draws the new view.
    if (ui.CheckBox2DData->isChecked()) {
        LogStateSpectrum = ui.CheckBoxLog->isChecked();
        SetChecked(ui.CheckBoxLog, LogStateData);
    } else {
        LogStateData = ui.CheckBoxLog->isChecked();
        SetChecked(ui.CheckBoxLog, LogStateSpectrum);
    }
}

void TForm2::Image2DDataClick() { SetChecked(ui.CheckBox2DData, true); }

void TForm2::ImageSpctlClick() { SetChecked(ui.CheckBox2DData, false); }

void TForm2::ImageMouseDown(Qt::MouseButton button, int x, int y)
{
    if (button != Qt::RightButton)
        return;
    viewer_.SetDragButton(QStringLiteral("Right"));
    DragLastX = x;
    DragLastY = y;
}

void TForm2::Image2DDataMouseMove(int x, int y)
{
    if (viewer_.DragButton() != QLatin1String("Right"))
        return;
    auto [widthEdit, levelEdit] = CurrentWindowEdits();
    const auto w = spectrum::IntegerDragStep(IntOf(widthEdit), IntOf(levelEdit), x - DragLastX, y - DragLastY);
    SetText(widthEdit, IntText(w.width));
    SetText(levelEdit, IntText(w.level));
    EndDragStep(x, y);
}

void TForm2::ImageSpctlMouseMove(int x, int y)
{
    if (viewer_.DragButton() != QLatin1String("Right"))
        return;
    auto [widthEdit, levelEdit] = CurrentWindowEdits();
    const auto w = spectrum::ProportionalDragStep(RealOf(widthEdit), RealOf(levelEdit), x - DragLastX, y - DragLastY);
    SetText(widthEdit, RealText(w.width));
    SetText(levelEdit, RealText(w.level));
    EndDragStep(x, y);
}

std::pair<QLineEdit*, QLineEdit*> TForm2::CurrentWindowEdits() const
{
    // Every drag acts on the current view, whichever picture the mouse is over.
    if (ui.CheckBox2DData->isChecked())
        return {ui.EditImgWW, ui.EditImgWL};
    return {ui.EditSpctWW, ui.EditSpctWL};
}

void TForm2::EndDragStep(int x, int y)
{
    DrawCurrentView();
    DragLastX = x;
    DragLastY = y;
}

void TForm2::Image2DDataMouseUp(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::LeftButton) {
        Image2DDataClick();
    } else if (button == Qt::RightButton) {
        viewer_.SetDragButton(QString());
        DragLastX = x;
        DragLastY = y;
    }
}

void TForm2::ImageSpctlMouseUp(Qt::MouseButton button)
{
    if (button == Qt::LeftButton)
        ImageSpctlClick();
    else if (button == Qt::RightButton)
        viewer_.SetDragButton(QString());
}

void TForm2::ButtonParaClick()
{
    const double d = PixelSpacing();
    const std::int32_t m = IntOf(viewer_.RoiSizeY());
    ui.Labelmm->setText(QString::fromStdString(spectrum::HeightLabel(m, d)));
    ui.LabelFrq->setText(QString::fromStdString(spectrum::NyquistLabel(m, d)));
}

void TForm2::ButtonImgBMPClick() { QGuiApplication::clipboard()->setImage(ui.Image2DData->Picture()); }

void TForm2::ButtonSpctBMPClick() { QGuiApplication::clipboard()->setImage(ui.ImageSpctl->Picture()); }

void TForm2::ButtonSpctVlClick()
{
    spectrum::RequireCurrent(mapStamp_, DataSerial, {}, spectrum::ExportKind::Clipboard,
                             {common::TrText("spectrum", "spectrum"), "Spectl"});
    QGuiApplication::clipboard()->setText(QString::fromStdString(spectrum::SpectrumValuesText(*SpectrumMap, MatrixSize)));
}
