// The filter window: creation, the handler connections and the new-image operation.
#include "Unit3.h"


#include "BusyCursor.h"
#include "Errors.h"
#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "ProfileGraph.h"
#include "ViewerParameters.h"
#include "WorkBitmap.h"

using toolkit::Guarded;
using toolkit::RunNested;
using toolkit::SetItemIndex;
using toolkit::SetText;

TForm3::TForm3(common::ThreadPool& pool, links::ViewerParameters& viewer, links::SpectrumSource& spectrum,
               QWidget* parent)
    : QWidget(parent), ProfileValues(filter::kProfileCapacity, 0.0), pool_(pool), viewer_(viewer), spectrum_(spectrum)
{
    ui.setupUi(this);
    FormCreate();
    ConnectHandlers();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate()
{
    setFixedSize(size());
    // ImageDummy lies under the Filter view; the work bitmap it stands for is shared with the
    // spectrum window.
    ui.ImageDummy->lower();
    WorkBitmap = &spectrum::WorkBitmap();
    EditFileName = ui.EditFileName;
    EditNAct = ui.EditNAct;
    EditNdHist = ui.EditNdHist;
    ChartHist = ui.ChartHist;
    ChartHist->chart()->setTitle("Histgram");
    ChartHist->SetLeftLogarithmic(true);
    ChartHist->SetLeftMinimum(1);
    Series1 = ChartHist->AddSeries("Series1", QColor(255, 0, 0));
    Series2 = ChartHist->AddSeries("Series2", QColor(0, 128, 0));
    for (toolkit::ImageBox* view : {ui.ImageRw, ui.ImageFltrd, ui.ImageSpctl, ui.ImageFltr, ui.ImageCnvl})
        view->Bitmap() = common::GreyBitmap(256, 256);
    ui.Image512->Bitmap() = common::GreyBitmap(512, 512);
    QImage blank(256, 256, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ui.ImageFltrC->SetColorPicture(blank);
    RenderReady = 0;
    ui.EditSpctlU->setText("100");
    ui.EditSpctlL->setText("0");
    ui.Label4->setText("ResetWindow");
    ui.EditNAct->setText("0");
}

void TForm3::ConnectHandlers()
{
    connect(ui.ButtonFltrUp, &QPushButton::clicked, this, Guarded([this] { ButtonFltrUpClick(); }));
    connect(ui.ButtonFltrDwn, &QPushButton::clicked, this, Guarded([this] { ButtonFltrDwnClick(); }));
    connect(ui.ButtonPwrUp, &QPushButton::clicked, this, Guarded([this] { ButtonPwrUpClick(); }));
    connect(ui.ButtonPwrDwn, &QPushButton::clicked, this, Guarded([this] { ButtonPwrDwnClick(); }));
    connect(ui.ButtonBPF, &QPushButton::clicked, this, Guarded([this] { ButtonBPFClick(); }));
    connect(ui.CheckBoxCOF, &QCheckBox::toggled, this, Guarded([this] { CheckBoxCOFClick(); }));
    connect(ui.ButtonNewImage, &QPushButton::clicked, this, Guarded([this] { ButtonNewImageClick(); }));
    connect(ui.UpDownDeg, &toolkit::UpDown::changing, this,
            [this](int positionBefore) { toolkit::RunSlot([this, positionBefore] { UpDownDegChanging(positionBefore); }); });
    ConnectViewHandlers();
    ConnectExportHandlers();
}

void TForm3::CheckFilterMatrixSize(std::int32_t n)
{
    // The fixed matrices hold 1025 x 1025 and the transform needs a power of two; the refusal is
    // the spectrum window's own.
    spectrum::CheckMatrixSize(n);
}

void TForm3::SelectAndShow(int item)
{
    SetItemIndex(ui.RadioGroupImg, item);
    ShowImage();
}

void TForm3::ButtonNewImageClick()
{
    const BusyCursor busy;
    InOneOperation([this] {
        ToggleProfileLine(ui.ImageCnvl);
        RunNested([this] { ui.UpDownDeg->setPosition(0); });
        SetText(ui.EditDeg, QString("0"));
        ClearGraph();
        const std::int32_t n = IntOf(viewer_.RoiSizeX());
        CheckFilterMatrixSize(n);
        FilterMatrixSize = n;
        ProfileDX = 0;
        if (IntOf(ui.EditNAct) == 0) {
            ButtonRstSpctClick();
            RunNested([this] { ui.UpDownDeg->setPosition(0); });
            SelectAndShow(2);
            ButtonFltrUpClick();
            ButtonFltrDwnClick();
            SelectAndShow(3);
            SelectAndShow(4);
            ButtonFltrdClick();
            SelectAndShow(1);
            ButtonRstImgClick();
            SelectAndShow(0);
            if (ui.CheckBoxWNDe->isChecked())
                SelectAndShow(1);
        }
        SetText(ui.EditNAct, IntText(IntOf(ui.EditNAct) + 1));
    });
}
