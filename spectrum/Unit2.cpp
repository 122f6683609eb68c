#include "Unit2.h"

#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "Errors.h"
#include "Fft.h"
#include "HandlerGuard.h"
#include "ParameterText.h"
#include "PixelSpacing.h"
#include "FilterLink.h"
#include "ViewerParameters.h"

using toolkit::Guarded;

TForm2::TForm2(common::ThreadPool& pool, links::ViewerParameters& viewer, links::FilterLink& filter, QWidget* parent)
    : QWidget(parent),
      SpectrumRe(std::make_unique<spectrum::SquareMatrix>()),
      SpectrumIm(std::make_unique<spectrum::SquareMatrix>()),
      SpectrumMap(std::make_unique<spectrum::SquareMatrix>()),
      pool_(pool),
      viewer_(viewer),
      filter_(filter)
{
    ui.setupUi(this);
    ui.StringGridRaw->SetColCount(257);
    ui.StringGridRaw->SetRowCount(257);
    // The profile chart: a red line over frequency, its left axis logarithmic until the first
    // profile says otherwise.
    profileSeries_ = ui.Chart1->AddSeries("Series1", QColor(255, 0, 0));
    ui.Chart1->SetLeftLabelFormat("%.1E");
    ui.Chart1->SetLeftLogarithmic(true);
    ui.ButtonChrtVl->raise();
    ui.Image2DData->setStretch(true);
    ui.ImageSpctl->setStretch(true);
    ConnectHandlers();
}

TForm2::~TForm2() = default;

void TForm2::ConnectHandlers()
{
    ConnectTableHandlers();
    ConnectSpectrumHandlers();
}

void TForm2::ConnectTableHandlers()
{
    auto& u = ui;
    connect(u.ButtonAveSD, &QPushButton::clicked, this, Guarded([this] { ButtonAveSDClick(); }));
    connect(u.ButtonAll, &QPushButton::clicked, this, Guarded([this] { ButtonAllClick(); }));
    connect(u.ButtonSelected, &QPushButton::clicked, this, Guarded([this] { ButtonSelectedClick(); }));
    connect(u.EditFXSize, &QLineEdit::textChanged, this, Guarded([this] { EditFXSizeChange(); }));
    connect(u.EditFYSize, &QLineEdit::textChanged, this, Guarded([this] { EditFYSizeChange(); }));
    connect(u.CheckBoxEdit, &QCheckBox::toggled, this, Guarded([this] { CheckBoxEditClick(); }));
    connect(u.Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(u.Button2, &QPushButton::clicked, this, Guarded([this] { Button2Click(); }));
    connect(u.StringGridRaw, &toolkit::TextGrid::selectCell, this,
            [this](int col, int row) { toolkit::RunSlot([=, this] { StringGridRawSelectCell(col, row); }); });
}

void TForm2::ConnectSpectrumHandlers()
{
    auto& u = ui;
    connect(u.Button2DFFT, &QPushButton::clicked, this, Guarded([this] { Button2DFFTClick(); }));
    connect(u.Button3, &QPushButton::clicked, this, Guarded([this] { Button3Click(); }));
    connect(u.ButtonSpctl, &QPushButton::clicked, this, Guarded([this] { ButtonSpctlClick(); }));
    connect(u.RadioGroup2dSpctl, &toolkit::RadioGroup::itemIndexChanged, this,
            Guarded([this] { RadioGroup2dSpctlClick(); }));
    connect(u.CheckBoxLog, &QCheckBox::toggled, this, Guarded([this] { CheckBoxLogClick(); }));
    connect(u.CheckBox2DData, &QCheckBox::toggled, this, Guarded([this] { CheckBox2DDataClick(); }));
    connect(u.ButtonDisp, &QPushButton::clicked, this, Guarded([this] { ButtonDispClick(); }));
    connect(u.ButtonPara, &QPushButton::clicked, this, Guarded([this] { ButtonParaClick(); }));
    connect(u.ButtonImgVl, &QPushButton::clicked, this, Guarded([this] { ButtonAllClick(); }));
    connect(u.ButtonImgBMP, &QPushButton::clicked, this, Guarded([this] { ButtonImgBMPClick(); }));
    connect(u.ButtonSpctVl, &QPushButton::clicked, this, Guarded([this] { ButtonSpctVlClick(); }));
    connect(u.ButtonSpctBMP, &QPushButton::clicked, this, Guarded([this] { ButtonSpctBMPClick(); }));
    for (toolkit::ImageBox* image : {u.Image2DData, u.ImageSpctl})
        connect(image, &toolkit::ImageBox::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
            toolkit::RunSlot([=, this] { ImageMouseDown(b, x, y); });
        });
    connect(u.Image2DData, &toolkit::ImageBox::mouseMove, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
        toolkit::RunSlot([=, this] { Image2DDataMouseMove(x, y); });
    });
    connect(u.ImageSpctl, &toolkit::ImageBox::mouseMove, this, [this](Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
        toolkit::RunSlot([=, this] { ImageSpctlMouseMove(x, y); });
    });
    connect(u.Image2DData, &toolkit::ImageBox::mouseUp, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        toolkit::RunSlot([=, this] { Image2DDataMouseUp(b, x, y); });
    });
    connect(u.ImageSpctl, &toolkit::ImageBox::mouseUp, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers, int, int) {
        toolkit::RunSlot([=, this] { ImageSpctlMouseUp(b); });
    });
    connect(u.UpDownDeg, &toolkit::UpDown::stepped, this, Guarded([this] { UpDownDegChanging(); }));
    connect(u.ButtonChrtVl, &QPushButton::clicked, this, Guarded([this] { ButtonChrtVlClick(); }));
    connect(u.ButtonRst, &QPushButton::clicked, this, Guarded([this] { ButtonRstClick(); }));
}

std::int32_t TForm2::RoiMatrixSize() const
{
    const std::int32_t n = IntOf(viewer_.RoiSizeX());
    spectrum::CheckMatrixSize(n);
    return n;
}

void TForm2::LoadMatrixSize() { MatrixSize = RoiMatrixSize(); }

double TForm2::PixelSpacing() const { return spectrum::CheckPixelSpacing(RealOf(viewer_.PixelSpacing())); }

const std::vector<double>& TForm2::ReadDataCells(int n)
{
    const std::uint64_t revision = ui.StringGridRaw->Revision();
    if (heldCells_.valid && heldCells_.revision == revision && heldCells_.n == n)
        return heldCells_.values;
    // Bands of rows are converted side by side; a cell without a value raises the error of the
    // first such cell in row order, as one read of the whole block would.
    heldCells_.valid = false;
    heldCells_.extremesKnown = false;
    std::vector<double>& values = heldCells_.values;
    values.resize(static_cast<std::size_t>(n) * n);
    constexpr int kBand = 16;
    common::ParallelFor(pool_, (n + kBand - 1) / kBand, [&](int band) {
        const int first = band * kBand;
        const int rows = std::min(kBand, n - first);
        ui.StringGridRaw->ReadValues(1, 1 + first, n, rows, &values[static_cast<std::size_t>(first) * n]);
    });
    heldCells_.valid = true;
    heldCells_.revision = revision;
    heldCells_.n = n;
    return values;
}

// ---- Activation -------------------------------------------------------------------------------

bool TForm2::event(QEvent* e)
{
    // Only a hand-off from the viewer starts the sequence. The sequence itself shows the filter
    // window and minimises this one, so neither may start it again; and a window that reran it on
    // every restore would minimise itself again each time the user tried to look at it.
    if (e->type() == QEvent::WindowActivate && activationExpected_ && !activationRunning_ && !isMinimized())
        toolkit::RunSlot([this] { FormActivate(); });
    return QWidget::event(e);
}

void TForm2::ExpectActivation()
{
    activationExpected_ = true;
    RunExpectedActivationOnceShown(0);
}

void TForm2::RunExpectedActivationOnceShown(int attempt)
{
    // Without a window manager no window ever becomes active: then the sequence runs here, once,
    // and the activation a window manager may still report for this show finds nothing expected.
    // It waits until the window is on the screen: minimising a window whose mapping is still on
    // its way to the window manager is lost, and the window would come up normal.
    QTimer::singleShot(attempt == 0 ? 0 : 20, this, [this, attempt] {
        if (!activationExpected_ || activationRunning_)
            return;
        const bool onScreen = windowHandle() && windowHandle()->isExposed();
        if (onScreen || attempt >= 100)
            toolkit::RunSlot([this] { FormActivate(); });
        else
            RunExpectedActivationOnceShown(attempt + 1);
    });
}

void TForm2::FormActivate()
{
    struct Running {
        bool& flag;
        explicit Running(bool& f) : flag(f) { flag = true; }
        ~Running() { flag = false; }
    } running(activationRunning_);
    activationExpected_ = false;
    LoadMatrixSize();
    ButtonDispClick();
    filter_.NewImage();
    Button3Click();
    showMinimized();
}

void TForm2::Button3Click()
{
    filter_.NewImage();
    filter_.ShowAndRaise();
}
