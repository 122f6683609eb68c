// The filter window: the filtered image and the work bitmap as files, pictures and values to the
// clipboard.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include "BusyCursor.h"
#include "DialogSeam.h"
#include "Errors.h"
#include "FilterExports.h"
#include "HandlerGuard.h"
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

// Writes `bytes` to the file the user picks; a cancelled dialog writes nothing.
void SaveThroughDialog(QWidget* parent, const std::vector<std::uint8_t>& bytes)
{
    const std::optional<QString> path = toolkit::DialogSeam::Current().OpenFile(parent, QString());
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()))
        common::ThrowCannotCreate(path->toStdString());
}

void PictureToClipboard(const toolkit::ImageBox* image)
{
    QGuiApplication::clipboard()->setImage(image->Picture());
}

void TextToClipboard(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace

void TForm3::ButtonSaveFltrdClick()
{
    SaveThroughDialog(this, filter::FilteredRawFile(FilteredImage, FilterMatrixSize));
}

void TForm3::ButtonSaveBMPClick() { SaveThroughDialog(this, filter::BmpFile(*WorkBitmap)); }

void TForm3::ButtonBMPRwClick() { PictureToClipboard(ui.ImageRw); }
void TForm3::ButtonBMPFltrdClick() { PictureToClipboard(ui.ImageFltrd); }
void TForm3::ButtonBMPspctlClick() { PictureToClipboard(ui.ImageSpctl); }
void TForm3::ButtonBMPFltrClick() { PictureToClipboard(ui.ImageFltr); }
void TForm3::ButtonBMPCnvlClick() { PictureToClipboard(ui.ImageCnvl); }
void TForm3::Button1Click() { PictureToClipboard(ui.Image512); }

void TForm3::ButtonToClipBClick()
{
    const BusyCursor busy;
    const int selected = ui.RadioGroupImg->ItemIndex();
    if (selected < 0)
        return;
    const View view = static_cast<View>(selected);
    filter::SpectrumSource& source = filter::SpectrumSource::Current();
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
    const BusyCursor busy;
    filter::SpectrumSource& source = filter::SpectrumSource::Current();
    TextToClipboard(filter::DoubleValuesText(source.SpectrumMap(), source.MatrixSize()));
}

void TForm3::ButtonVlCnvlClick()
{
    const BusyCursor busy;
    filter::SpectrumSource& source = filter::SpectrumSource::Current();
    TextToClipboard(filter::DoubleValuesText(FilteredPower, source.MatrixSize()));
}

void TForm3::ButtonROIToCBClick() { filter::SpectrumSource::Current().ButtonAllClick(); }
