// "V", "H", "CCW", "CW" rewrite the loaded image's pixels in place; "<>" reads the same bytes with
// the column and row counts exchanged.
#include "FlipRotate.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "Unit1.h"

using toolkit::Guarded;
using toolkit::SetText;

void TForm1::ConnectFlipHandlers()
{
    connect(ui.ButtonVert, &QPushButton::clicked, this, Guarded([this] { ButtonVertClick(); }));
    connect(ui.ButtonHoriz, &QPushButton::clicked, this, Guarded([this] { ButtonHorizClick(); }));
    connect(ui.ButtonCCW, &QPushButton::clicked, this, Guarded([this] { ButtonCCWClick(); }));
    connect(ui.ButtonCW, &QPushButton::clicked, this, Guarded([this] { ButtonCWClick(); }));
    connect(ui.ButtonRowCulm, &QPushButton::clicked, this, Guarded([this] { ButtonRowCulmClick(); }));
}

void TForm1::RewriteMatrix(void (*operation)(const viewer::PixelMatrix&, const viewer::ViewBounds&))
{
    viewer::PixelMatrix matrix;
    matrix.headerOffset = IntOf(ui.EditHeader);
    // Before the first load there is no image to move.
    if (LoadState <= 0)
        return;
    matrix.stream = ImageStream;
    matrix.width = ImageWidth;
    matrix.height = ImageHeight;
    matrix.bytesPerPixel = BytesPerPixel();
    operation(matrix, ViewBounds);
    ClearRoiStatistics();  // they described the pixels before the move
    RenderView();
}

void TForm1::ButtonVertClick()
{
    RewriteMatrix([](const viewer::PixelMatrix& m, const viewer::ViewBounds&) { viewer::FlipVertical(m); });
}

void TForm1::ButtonHorizClick()
{
    RewriteMatrix([](const viewer::PixelMatrix& m, const viewer::ViewBounds&) { viewer::FlipHorizontal(m); });
}

void TForm1::ButtonCCWClick()
{
    RewriteMatrix([](const viewer::PixelMatrix& m, const viewer::ViewBounds& view) {
        viewer::RotateViewBlock(m, view, false);
    });
}

void TForm1::ButtonCWClick()
{
    RewriteMatrix([](const viewer::PixelMatrix& m, const viewer::ViewBounds& view) {
        viewer::RotateViewBlock(m, view, true);
    });
}

void TForm1::ButtonRowCulmClick()
{
    const QString columns = ui.EditImgSizeX->text();
    SetText(ui.EditImgSizeX, ui.EditImgSizeY->text());
    SetText(ui.EditImgSizeY, columns);
    ClearRoiStatistics();  // the same bytes are other pixels now
    ButtonDispClick();
    ButtonAutoWLClick();
}
