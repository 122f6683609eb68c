// The filter window: the five views, their grey windows, the track bars and the resets.
#include <QSlider>

#include "HandlerGuard.h"
#include "ParameterText.h"
#include "SpectrumSource.h"
#include "Unit3.h"

using filter::View;
using toolkit::Guarded;
using toolkit::RunNested;
using toolkit::SetItemIndex;
using toolkit::SetText;

void TForm3::ConnectViewHandlers()
{
    connect(ui.TrackBarULVL, &QSlider::valueChanged, this, Guarded([this] { TrackBarULVLChange(); }));
    connect(ui.TrackBarLLVL, &QSlider::valueChanged, this, Guarded([this] { TrackBarLLVLChange(); }));
    connect(ui.ButtonRstImg, &QPushButton::clicked, this, Guarded([this] { ButtonRstImgClick(); }));
    connect(ui.ButtonFltrd, &QPushButton::clicked, this, Guarded([this] { ButtonFltrdClick(); }));
    connect(ui.ButtonRstSpct, &QPushButton::clicked, this, Guarded([this] { ButtonRstSpctClick(); }));
    connect(ui.RadioGroupImg, &toolkit::RadioGroup::itemIndexChanged, this, Guarded([this] { RadioGroupImgClick(); }));
    connect(ui.CheckBoxInvrt, &QCheckBox::toggled, this, Guarded([this] { CheckBoxInvrtClick(); }));
    connect(ui.CheckBoxWNDe, &QCheckBox::toggled, this, Guarded([this] { CheckBoxWNDeClick(); }));
    connect(ui.PageControl512, &QTabWidget::currentChanged, this, Guarded([this] { PageControl512Change(); }));
    // Image clicks: a left press and release on the image.
    const auto onClick = [this](toolkit::ImageBox* image, void (TForm3::*handler)()) {
        connect(image, &toolkit::ImageBox::mouseUp, this, [this, handler](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                toolkit::RunSlot([this, handler] { (this->*handler)(); });
        });
    };
    onClick(ui.ImageRw, &TForm3::ImageRwClick);
    onClick(ui.ImageFltrd, &TForm3::ImageFltrdClick);
    onClick(ui.ImageDummy, &TForm3::ImageFltrdClick);
    onClick(ui.ImageSpctl, &TForm3::ImageSpctlClick);
    onClick(ui.ImageFltr, &TForm3::ImageFltrClick);
    onClick(ui.ImageCnvl, &TForm3::ImageCnvlClick);
    onClick(ui.ImageFltrC, &TForm3::ImageCnvlClick);
    ui.Label3->installEventFilter(this);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui.Label3 && event->type() == QEvent::MouseButtonRelease) {
        toolkit::RunSlot([this] { Label3Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

View TForm3::SelectedView() const { return static_cast<View>(ui.RadioGroupImg->ItemIndex()); }

toolkit::ImageBox* TForm3::ViewImage(View view) const
{
    switch (view) {
    case View::Raw: return ui.ImageRw;
    case View::Filtered: return ui.ImageFltrd;
    case View::Power: return ui.ImageSpctl;
    case View::Filter: return ui.ImageFltr;
    default: return ui.ImageCnvl;
    }
}

// The toolkit's track bar: a maximum below the present minimum, or a minimum above the present
// maximum, is ignored; the position follows into the range and a moved position fires the change.
void TForm3::SetTrackRange(QSlider* track, std::int32_t max, std::int32_t min)
{
    RunNested([&] {
        if (max >= track->minimum())
            track->setMaximum(max);
        if (min <= track->maximum())
            track->setMinimum(min);
    });
}

void TForm3::SetTrackPosition(QSlider* track, std::int32_t position)
{
    RunNested([&] { track->setValue(position); });
}

filter::ViewSource TForm3::SourceOf(View view)
{
    links::SpectrumSource& source = spectrum_;
    switch (view) {
    case View::Raw:
        ReadRawValues();
        return {view, &RawValues, 0, 0};
    case View::Filtered:
        return {view, &FilteredImage, 0, 0};
    case View::Power:
        return {view, &source.SpectrumMap(), source.SpectrumMax(), 0};
    case View::Filter:
        return {view, &FilterGain, 0, FilterMax};
    default:
        return {view, &FilteredPower, source.SpectrumMax(), 0};
    }
}

void TForm3::ReadRawValues()
{
    // The table cannot change while one operation of this window runs, so the cells are
    // converted once per operation; a waiting Raw drawing reads them first.
    if (rawValuesHeld_)
        return;
    if (DrawingWaits({View::Raw}))
        DrawPending();
    spectrum_.RawValues(FilterMatrixSize, RawValues);
    rawValuesHeld_ = operationDepth_ > 0;
}

void TForm3::RenderImage()
{
    InOneOperation([this] {
        const int item = ui.RadioGroupWdth->ItemIndex();
        const std::int32_t upper = IntOf(ui.EditUL);
        const std::int32_t lower = IntOf(ui.EditLL);
        const filter::RenderWindow window = filter::MakeRenderWindow(upper, lower, filter::WidthFactor(item));
        ui.LabelWND->setText(QString::fromStdString(window.label));
        const int selected = ui.RadioGroupImg->ItemIndex();
        if (selected >= 0) {
            // Nothing is drawn while no view is selected (before the first image). A view that
            // cannot be drawn is refused here, before anything is drawn.
            const View view = static_cast<View>(selected);
            const filter::ViewSource source = SourceOf(view);
            filter::CheckViewSource(source);
            QueueDrawing(view, source, window);
        }
        SetTrackPosition(ui.TrackBarULVL, IntOf(ui.EditUL));
        SetTrackPosition(ui.TrackBarLLVL, IntOf(ui.EditLL));
        StoreWindow();
    });
}

void TForm3::StoreWindow()
{
    const int selected = ui.RadioGroupImg->ItemIndex();
    if (selected < 0)
        return;
    const View view = static_cast<View>(selected);
    const filter::LevelWindow shown{IntOf(ui.EditUL), IntOf(ui.EditLL), ui.TrackBarULVL->maximum(),
                                    ui.TrackBarULVL->minimum()};
    filter::StoreWindow(Windows, view, shown, ui.CheckBoxWNDe->isChecked());
    if (view == View::Power || view == View::Convolution)
        ToggleProfileLine(ViewImage(view));
}

void TForm3::ShowImage()
{
    InOneOperation([this] {
        RenderReady = 0;
        const int selected = ui.RadioGroupImg->ItemIndex();
        if (selected >= 0) {
            const filter::LevelWindow w = filter::WindowToShow(Windows, static_cast<View>(selected));
            SetTrackRange(ui.TrackBarULVL, w.trackMax, w.trackMin);
            SetTrackRange(ui.TrackBarLLVL, w.trackMax, w.trackMin);
            SetText(ui.EditUL, IntText(w.upper));
            SetText(ui.EditLL, IntText(w.lower));
        }
        RenderImage();
        RenderReady = 1;
    });
}

void TForm3::TrackBarULVLChange()
{
    if (RenderReady > 0) {
        SetText(ui.EditUL, IntText(ui.TrackBarULVL->value()));
        RenderImage();
    }
}

void TForm3::TrackBarLLVLChange()
{
    if (RenderReady > 0) {
        SetText(ui.EditLL, IntText(ui.TrackBarLLVL->value()));
        RenderImage();
    }
}

// Both track bars to the range max .. min, the levels to the range the upper one took.
void TForm3::ResetToRange(std::int32_t max, std::int32_t min)
{
    SetTrackRange(ui.TrackBarULVL, max, min);
    SetTrackRange(ui.TrackBarLLVL, max, min);
    SetText(ui.EditUL, IntText(ui.TrackBarULVL->maximum()));
    SetText(ui.EditLL, IntText(ui.TrackBarULVL->minimum()));
    RenderImage();
}

void TForm3::ButtonRstImgClick()
{
    InOneOperation([this] {
        SetItemIndex(ui.RadioGroupImg, 0);
        links::SpectrumSource& source = spectrum_;
        const std::int32_t max = IntOf(source.EditMaxRaw());
        ResetToRange(max, IntOf(source.EditMinRaw()));
    });
}

void TForm3::ButtonFltrdClick()
{
    InOneOperation([this] {
        SetItemIndex(ui.RadioGroupImg, 1);
        const std::int32_t max = filter::TruncToInt32(FilteredMax);
        ResetToRange(max, filter::TruncToInt32(FilteredMin));
    });
}

void TForm3::ButtonRstSpctClick()
{
    InOneOperation([this] {
        SetItemIndex(ui.RadioGroupImg, 2);
        SetTrackRange(ui.TrackBarULVL, filter::kSpectralTrackMax, filter::kSpectralTrackMin);
        SetTrackRange(ui.TrackBarLLVL, filter::kSpectralTrackMax, filter::kSpectralTrackMin);
        SetText(ui.EditUL, QString("100"));
        SetText(ui.EditLL, QString("0"));
        RenderImage();
    });
}

void TForm3::Label3Click() { InOneOperation([this] { RescaleTrackBars(); }); }

void TForm3::RescaleTrackBars()
{
    const std::int32_t upper = IntOf(ui.EditUL);
    const std::int32_t lower = IntOf(ui.EditLL);
    const filter::TrackRange range = filter::RescaledTrackRange(upper, lower);
    SetTrackRange(ui.TrackBarULVL, range.max, range.min);
    SetTrackPosition(ui.TrackBarULVL, upper);
    SetTrackPosition(ui.TrackBarLLVL, lower);
    SetText(ui.EditUL, IntText(ui.TrackBarULVL->value()));
    SetText(ui.EditLL, IntText(ui.TrackBarLLVL->value()));
    SetTrackRange(ui.TrackBarLLVL, ui.TrackBarULVL->maximum(), ui.TrackBarULVL->minimum());
    RenderImage();
}

void TForm3::ImageRwClick() { SelectAndShow(0); }
void TForm3::ImageFltrdClick() { SelectAndShow(1); }
void TForm3::ImageSpctlClick() { SelectAndShow(2); }
void TForm3::ImageFltrClick() { SelectAndShow(3); }
void TForm3::ImageCnvlClick() { SelectAndShow(4); }

void TForm3::CheckBoxInvrtClick()
{
    if (!ui.CheckBoxInvrt->isChecked())
        return;
    InOneOperation([this] {
        SelectAndShow(0);
        if (ui.CheckBoxWNDe->isChecked())
            SelectAndShow(1);
    });
}

void TForm3::CheckBoxWNDeClick() { StoreWindow(); }
