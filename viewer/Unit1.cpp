#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

#include "DecodeError.h"
#include "DialogSeam.h"
#include "Errors.h"
#include "FileNameConvention.h"
#include "HandlerGuard.h"
#include "ImageFile.h"
#include "ImageLimits.h"
#include "ParameterText.h"
#include "SizeGuess.h"
#include "SplashPicture.h"
#include "ViewFill.h"
#include "WindowMap.h"
#include "WorkerPool.h"

using toolkit::Guarded;
using toolkit::SetChecked;
using toolkit::SetText;

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent)
{
    ui.setupUi(this);
    Form1 = this;
    FormCreate();
    ConnectHandlers();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate()
{
    LoadState = 0;
    ImageStream.clear();
    // Fixed single border: the window keeps the size its controls were laid out for.
    setFixedSize(716, 684);
    move(51, 20);
    RoiDragTopLeft = RoiDragBottomRight = RoiDragMove = false;
    ui.Image3->resize(512, 512);
    ui.Image1->hide();

    ui.Image2->SetColorPicture(MakeSplashPicture());
    ui.Image1->Bitmap() = common::GreyBitmap(512, 512);
    ui.Image1->setStretch(true);
    ui.Image3->Bitmap() = common::GreyBitmap(512, 512);
    ui.Image3->hide();  // blank and transparent; shown with the first image, nothing draws on it

    QTableWidget* grid = ui.StringGridDICOM;
    grid->setColumnCount(17);
    grid->setRowCount(512);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setDefaultSectionSize(32);
    grid->verticalHeader()->setDefaultSectionSize(14);
    grid->verticalHeader()->setMinimumSectionSize(14);
    const char* titles[] = {" No", "Group", "Element", "VR", "CHR#", "Name", "Value"};
    for (int c = 0; c < 7; ++c)
        grid->setItem(0, c, new QTableWidgetItem(QString::fromUtf8(titles[c])));
    FitHeaderGridColumns();
    // The tag dictionary is data, not a view: hidden, so no line of it shows when the grid above it
    // is enlarged and moved up.
    ui.Memo_DICOMTag->lower();
    ui.Memo_DICOMTag->hide();
    // The tool selector sits over the picture; give it its own background so it stays readable.
    ui.RadioGroupTool->setAutoFillBackground(true);
}

void TForm1::ConnectHandlers()
{
    connect(ui.BitBtnLoad, &QPushButton::clicked, this, Guarded([this] { BitBtnLoadClick(); }));
    connect(ui.BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    SetUpDicomAndExports();
    SetUpFrameKeys();
    ConnectToolHandlers();
    ConnectHandOffHandlers();
}

int TForm1::BytesPerPixel() const { return ui.RadioGroupMode->ItemIndex() == 0 ? 1 : 2; }

imageio::PixelSource TForm1::Source()
{
    imageio::PixelSource source;
    source.stream = ImageStream;
    source.headerOffset = IntOf(ui.EditHeader);
    source.width = ImageWidth;
    source.height = ImageHeight;
    source.bytesPerPixel = BytesPerPixel();
    return source;
}

QString TForm1::StartFolder() const
{
    const QFileInfo last(ui.EditFileName->text());
    if (last.isAbsolute() && last.dir().exists())
        return last.dir().path();
    return QDir::currentPath();
}

void TForm1::BitBtnLoadClick()
{
    // Kept so that a matrix size the program refuses leaves the previous image as it was.
    struct Before {
        std::vector<std::uint8_t> stream;
        QString texts[9];
        std::int32_t width, height;
    } before{{}, {}, ImageWidth, ImageHeight};
    QLineEdit* restored[9] = {ui.EditFileName, ui.EditFileSize, ui.EditImgSizeX, ui.EditImgSizeY, ui.EditPxlSpc,
                              ui.EditHeader,   ui.EditMF,       ui.EditFOVSize,  ui.EditOffst};
    for (int i = 0; i < 9; ++i)
        before.texts[i] = restored[i]->text();
    // A matrix size the program refuses, or a DICOM file it cannot decode, leaves the previous image.
    const auto restore = [&] {
        ImageStream.swap(before.stream);
        ImageWidth = before.width;
        ImageHeight = before.height;
        for (int i = 0; i < 9; ++i)
            SetText(restored[i], before.texts[i]);
    };
    CurrentFileName.clear();
    SetText(ui.EditImgSizeX, QString());
    SetText(ui.EditImgSizeY, QString());

    if (LoadState < 2) {
        if (auto chosen = toolkit::DialogSeam::Current().OpenFile(this, StartFolder()))
            CurrentFileName = *chosen;
    } else {
        CurrentFileName = ui.EditFileName->text();
    }
    if (CurrentFileName.isEmpty())
        return;

    const int bytesPerPixel = BytesPerPixel();

    before.stream.swap(ImageStream);

    const std::string path = CurrentFileName.toStdString();
    const imageio::NameFields fields = imageio::SplitFileName(path);
    SetText(ui.EditImgSizeX, fields.columns);
    SetText(ui.EditImgSizeY, fields.rows);
    SetText(ui.EditPxlSpc, imageio::SpacingText(fields.spacingField));
    SetText(ui.EditFileName, CurrentFileName);

    ImageStream = imageio::ReadWholeFile(path);
    SetText(ui.EditFileSize, IntText(static_cast<long long>(ImageStream.size())));
    ui.Image1->show();

    std::shared_ptr<const imageio::DicomPixels> decoded;
    QString candidate = QString::fromStdString(fields.spacingField);
    if (ui.RadioGroupMode->ItemIndex() == 2 &&
        (ui.EditImgSizeX->text().isEmpty() || ui.EditImgSizeY->text().isEmpty())) {
        try {
            decoded = ReadDicomHeaderOrDecode();
        } catch (const imageio::DecodeError&) {
            restore();
            throw;
        }
        candidate = ui.EditImgSizeX->text() + " " + ui.EditImgSizeY->text();
    }

    if (!ui.EditImgSizeX->text().isEmpty() && !ui.EditImgSizeY->text().isEmpty()) {
        ImageWidth = IntOf(ui.EditImgSizeX);
        ImageHeight = IntOf(ui.EditImgSizeY);
    } else {
        if (candidate.size() < 4)
            candidate = QString::fromStdString(viewer::SizeGuessText(ImageStream.size(), bytesPerPixel));
        auto& dialogs = toolkit::DialogSeam::Current();
        const QString answer = dialogs.InputBox(this, QString(), "Matrix Size x y , ", candidate);
        const QString spacing = dialogs.InputBox(this, "InputBox", QStringLiteral("ﾋﾟｸｾﾙ間隔(mm)を入力してください。"),
                                                 ui.EditPxlSpc->text());
        SetText(ui.EditPxlSpc, spacing);
        TakeSizesFromAnswer(answer);
    }

    try {
        imageio::CheckBitmapSize(ImageWidth, ImageHeight);
    } catch (const common::InputError&) {
        restore();
        throw;
    }
    TakeDecoded(std::move(decoded));

    DisplayBitmap().Resize(ImageWidth, ImageHeight);
    SetText(ui.EditImgSizeX, IntText(ImageWidth));
    SetText(ui.EditImgSizeY, IntText(ImageHeight));
    LoadState = 1;
    SetChecked(ui.CheckBoxRoiSet, true);
    if (!ui.CheckBoxRoiLock->isChecked()) {
        SetText(ui.EditROIPosX, IntText(DisplayBitmap().Width() / 2));
        SetText(ui.EditROIPosY, IntText(DisplayBitmap().Height() / 2));
        SetText(ui.EditROISizeX, QStringLiteral("256"));
        SetText(ui.EditROISizeY, QStringLiteral("256"));
    }
    SetText(ui.EditWindowLevel, QStringLiteral("512"));
    SetText(ui.EditWindowWidth, QStringLiteral("1024"));
    // The automatic window renders again right away with the same geometry and fills every
    // pixel, so this render maps none: only its checks, its layout and its ROI frame count.
    RenderView(false);
    ButtonAutoWLClick();
    ButtonFileListClick();
    WarnIfFileTooSmall();
}

void TForm1::WarnIfFileTooSmall()
{
    // The picture shows missing pixels as 0; say so, so that a cut-off file is not taken for an
    // image with a black band.
    const imageio::PixelSource source = Source();
    const long long needed = imageio::MatrixEndByte(source);
    if (needed <= static_cast<long long>(ImageStream.size()))
        return;
    toolkit::DialogSeam::Current().InformationBox(
        this, QString("The file holds %1 bytes, but a %2 x %3 matrix from byte %4 needs %5 bytes: the missing "
                      "pixels are shown as 0.")
                  .arg(ImageStream.size())
                  .arg(ImageWidth)
                  .arg(ImageHeight)
                  .arg(source.headerOffset)
                  .arg(needed));
}

void TForm1::TakeSizesFromAnswer(const QString& answer)
{
    if (!answer.isEmpty()) {
        const qsizetype blank = answer.indexOf(' ');
        if (blank < 0) {
            ImageWidth = ImageHeight = IntOf(answer);
        } else {
            ImageWidth = IntOf(answer.left(blank));
            ImageHeight = IntOf(answer.mid(blank + 1));
        }
        SetText(ui.EditHeader, QStringLiteral("0"));
        SetText(ui.EditMF, QStringLiteral("1.0"));
        return;
    }
    // An empty answer falls back on the size edits; one of them is empty here, so this ends in
    // the conversion error.
    const QString x = ui.EditImgSizeX->text(), y = ui.EditImgSizeY->text();
    if (QString::compare(x, "0") > 0 || QString::compare(y, "0") > 0) {
        ImageWidth = IntOf(x);
        ImageHeight = IntOf(y);
    } else {
        ImageWidth = ImageHeight = IntOf(answer);
    }
}

void TForm1::RenderView(bool fillPixels)
{
    if (LoadState <= 0)
        return;
    ui.Image3->show();
    ui.Image2->hide();
    ui.Image1->show();

    const double magnification = RealOf(ui.EditMF);
    ImageWidth = IntOf(ui.EditImgSizeX);
    ImageHeight = IntOf(ui.EditImgSizeY);
    viewer::WindowParams window;
    window.level = IntOf(ui.EditWindowLevel);
    window.width = IntOf(ui.EditWindowWidth);

    const viewer::ViewGeometry geometry =
        viewer::ComputeViewGeometry(ImageWidth, ImageHeight, magnification, IntOf(ui.EditImgSftX), IntOf(ui.EditImgSftY));
    imageio::CheckBitmapSize(geometry.bitmapWidth, geometry.bitmapHeight);
    DisplayBitmap().Resize(static_cast<int>(geometry.bitmapWidth), static_cast<int>(geometry.bitmapHeight));

    window.valueOffset = IntOf(ui.EditOffst);
    window.swap = ui.CheckBoxSwp->isChecked();
    window.invert = ui.CheckBoxInvrt->isChecked();
    viewer::WindowFactor(window.width);  // a width of 0 stops here, before any pixel is stored
    const imageio::PixelSource source = Source();
    if (fillPixels)
        viewer::FillView(source, geometry.bounds, window, DisplayBitmap(), toolkit::WindowPool());

    const viewer::ImageLayout layout = viewer::ComputeImageLayout(ImageWidth, ImageHeight, geometry.squareLimited);
    ui.Image1->setGeometry(static_cast<int>(layout.left), 0, static_cast<int>(layout.width),
                           static_cast<int>(layout.height));
    ui.Image1->setStretch(true);
    ui.Image1->update();

    if (ui.RadioGroupTool->ItemIndex() == 0) {
        const std::int32_t posX = IntOf(ui.EditROIPosX);
        const std::int32_t sizeX = IntOf(ui.EditROISizeX);
        const std::int32_t posY = IntOf(ui.EditROIPosY);
        const std::int32_t sizeY = IntOf(ui.EditROISizeY);
        RoiBounds = viewer::RoiBoundsFromEdits(posX, posY, sizeX, sizeY);
        RoiFrame = viewer::RoiFrameFromBounds(RoiBounds, geometry.bounds);
        DrawRoiFrame();
    }
    ViewBounds = geometry.bounds;
}

void TForm1::DrawRoiFrame()
{
    if (LoadState <= 0)
        return;
    viewer::ToggleRoiFrame(DisplayBitmap(), RoiFrame);
    ui.Image1->update();
}

