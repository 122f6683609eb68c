// The filter window: the filtered image and the work bitmap as files, pictures and values to the
// clipboard.
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>

#include "BusyCursor.h"
#include "DialogSeam.h"
#include "Errors.h"
#include "FilterExports.h"
#include "HandlerGuard.h"
#include "SaveExport.h"
#include "SpectrumSource.h"
#include "Unit3.h"

using filter::View;
using toolkit::Guarded;

void TForm3::ConnectExportHandlers()
{
    connect(ui.ButtonSaveFltrd, &QPushButton::clicked, this, Guarded([this] { ButtonSaveFltrdClick(); }));
    connect(ui.ButtonSaveBMP, &QPushButton::clicked, this, Guarded([this] { ButtonSaveBMPClick(); }));
    connect(ui.ButtonBMPRw, &QPushButton::clicked, this, Guarded([this] { ButtonBMPRwClick(); }));
    connect(ui.ButtonBMPFltrd, &QPushButton::clicked, this, Guarded([this] { ButtonBMPFltrdClick(); }));
    connect(ui.ButtonBMPspctl, &QPushButton::clicked, this, Guarded([this] { ButtonBMPspctlClick(); }));
    connect(ui.ButtonBMPFltr, &QPushButton::clicked, this, Guarded([this] { ButtonBMPFltrClick(); }));
    connect(ui.ButtonBMPCnvl, &QPushButton::clicked, this, Guarded([this] { ButtonBMPCnvlClick(); }));
    connect(ui.Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(ui.ButtonToClipB, &QPushButton::clicked, this, Guarded([this] { ButtonToClipBClick(); }));
    connect(ui.ButtonVlSpctl, &QPushButton::clicked, this, Guarded([this] { ButtonVlSpctlClick(); }));
    connect(ui.ButtonVlCnvl, &QPushButton::clicked, this, Guarded([this] { ButtonVlCnvlClick(); }));
    connect(ui.ButtonROIToCB, &QPushButton::clicked, this, Guarded([this] { ButtonROIToCBClick(); }));
}

namespace {

void PictureToClipboard(const toolkit::ImageBox* image)
{
    QGuiApplication::clipboard()->setImage(image->Picture());
}

void TextToClipboard(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace

QString TForm3::SaveFolder() const
{
    // Beside the image the ROI came from.
    const QString source = EditFileName->text();
    return source.isEmpty() ? QString() : QFileInfo(source).absolutePath();
}

void TForm3::ButtonSaveFltrdClick()
{
    RequireCurrentResult(spectrum::ExportKind::File);
    toolkit::SaveBytesAs(this, SaveFolder(), filter::FilteredRawFile(FilteredImage, FilterMatrixSize));
}

void TForm3::ButtonSaveBMPClick()
{
    RequireCurrentResult(spectrum::ExportKind::File);
    DrawPending();
    toolkit::SaveBytesAs(this, SaveFolder(), filter::BmpFile(*WorkBitmap));
}

void TForm3::ViewPictureToClipboard(const toolkit::ImageBox* image)
{
    RequireCurrentResult(spectrum::ExportKind::Clipboard);
    DrawPending();
    PictureToClipboard(image);
}

void TForm3::ButtonBMPRwClick() { ViewPictureToClipboard(ui.ImageRw); }
void TForm3::ButtonBMPFltrdClick() { ViewPictureToClipboard(ui.ImageFltrd); }
void TForm3::ButtonBMPspctlClick() { ViewPictureToClipboard(ui.ImageSpctl); }
void TForm3::ButtonBMPFltrClick() { ViewPictureToClipboard(ui.ImageFltr); }
void TForm3::ButtonBMPCnvlClick() { ViewPictureToClipboard(ui.ImageCnvl); }
void TForm3::Button1Click() { ViewPictureToClipboard(ui.Image512); }

void TForm3::ButtonToClipBClick()
{
    RequireCurrentResult(spectrum::ExportKind::Clipboard);
    const BusyCursor busy;
    const int selected = ui.RadioGroupImg->ItemIndex();
    if (selected < 0)
        return;
    const View view = static_cast<View>(selected);
    links::SpectrumSource& source = spectrum_;
    filter::ClipSource clip{view, nullptr, 1.0};
    switch (view) {
    case View::Raw:
        ReadRawValues();
        clip = {view, &RawValues, source.RawMax()};
        break;
    case View::Filtered: clip = {view, &FilteredImage, FilteredMax}; break;
    case View::Power: clip = {view, &source.SpectrumMap(), 1.0}; break;
    case View::Filter: clip = {view, &FilterGain, FilterMax}; break;
    case View::Convolution: clip = {view, &FilteredPower, FilteredPowerMax}; break;
    }
    TextToClipboard(filter::ViewValuesText(clip, FilterMatrixSize));
}

void TForm3::ButtonVlSpctlClick()
{
    RequireCurrentResult(spectrum::ExportKind::Clipboard);
    const BusyCursor busy;
    links::SpectrumSource& source = spectrum_;
    TextToClipboard(filter::DoubleValuesText(source.SpectrumMap(), source.MatrixSize()));
}

void TForm3::ButtonVlCnvlClick()
{
    RequireCurrentResult(spectrum::ExportKind::Clipboard);
    const BusyCursor busy;
    links::SpectrumSource& source = spectrum_;
    TextToClipboard(filter::DoubleValuesText(FilteredPower, source.MatrixSize()));
}

void TForm3::ButtonROIToCBClick() { spectrum_.ButtonAllClick(); }
