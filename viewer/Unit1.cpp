#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QSignalBlocker>
#include <array>

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
#include "Version.h"
#include "ViewFill.h"
#include "WindowMap.h"

using toolkit::Guarded;
using toolkit::SetChecked;
using toolkit::SetText;

namespace {
constexpr int kHeaderGridStartRows = 512;  // the header grid's rows before any listing
} // namespace

TForm1::TForm1(common::ThreadPool& pool, links::HandOffTarget& analysis, QWidget* parent)
    : QWidget(parent), pool_(pool), analysis_(analysis)
{
    ui.setupUi(this);
    FormCreate();
    ConnectHandlers();
}

TForm1::~TForm1() = default;

void TForm1::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    // Every other window closes through its own close, so that each one ends what it runs (the
    // NPS window cancels its run); then the loop stops even if some window stayed open.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    QCoreApplication::quit();
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
    // The start picture is the program's about text: its name and version on the pointer.
    ui.Image2->setToolTip(QStringLiteral("Spectrum Viewer %1").arg(QString::fromLatin1(common::kVersion)));
    ui.Image1->Bitmap() = common::GreyBitmap(512, 512);
    ui.Image1->setStretch(true);
    ui.Image3->Bitmap() = common::GreyBitmap(512, 512);
    ui.Image3->hide();  // blank and transparent; shown with the first image, nothing draws on it

    QTableWidget* grid = ui.StringGridDICOM;
    grid->setColumnCount(17);
    grid->setRowCount(kHeaderGridStartRows);
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

// What a load may change before it knows that it can complete, kept to be put back when it fails
// or is cancelled: the previous image then stays with its edits, its name, its header listing.
struct TForm1::LoadSnapshot {
    std::vector<std::uint8_t> stream;
    QString currentFileName;
    std::int32_t width = 0, height = 0, loadState = 0;
    std::vector<std::pair<QLineEdit*, QString>> texts;
    bool swap = false, image1Hidden = true;
    QString summary, decodedSummary;
    std::vector<std::array<QString, 7>> grid;  // the header grid's rows, the title row first
    std::optional<DicomSettings> dicomSettings;
};

TForm1::LoadSnapshot TForm1::TakeLoadSnapshot()
{
    LoadSnapshot s;
    s.stream = std::move(ImageStream);
    ImageStream.clear();
    s.currentFileName = CurrentFileName;
    s.width = ImageWidth;
    s.height = ImageHeight;
    s.loadState = LoadState;
    for (QLineEdit* edit : {ui.EditFileName, ui.EditFileSize, ui.EditImgSizeX, ui.EditImgSizeY, ui.EditPxlSpc,
                            ui.EditHeader, ui.EditMF, ui.EditFOVSize, ui.EditOffst, ui.EditWindowLevel,
                            ui.EditWindowWidth})
        s.texts.emplace_back(edit, edit->text());
    s.swap = ui.CheckBoxSwp->isChecked();
    s.image1Hidden = ui.Image1->isHidden();
    s.summary = ui.Memo1->toPlainText();
    s.decodedSummary = decodedSummary_;
    const QTableWidget* grid = ui.StringGridDICOM;
    s.grid.resize(static_cast<std::size_t>(grid->rowCount()));
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < 7; ++c)
            if (const QTableWidgetItem* item = grid->item(r, c))
                s.grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = item->text();
    s.dicomSettings = dicomSettings_;
    return s;
}

void TForm1::RestoreLoadSnapshot(LoadSnapshot& before)
{
    ImageStream.swap(before.stream);
    CurrentFileName = before.currentFileName;
    ImageWidth = before.width;
    ImageHeight = before.height;
    LoadState = before.loadState;
    for (const auto& [edit, text] : before.texts)
        edit->setText(text);
    {
        const QSignalBlocker quiet(ui.CheckBoxSwp);  // the state only, as the header reader sets it
        ui.CheckBoxSwp->setChecked(before.swap);
    }
    ui.Image1->setHidden(before.image1Hidden);
    ui.Memo1->setPlainText(before.summary);
    decodedSummary_ = before.decodedSummary;
    QTableWidget* grid = ui.StringGridDICOM;
    grid->setRowCount(1);
    grid->setRowCount(static_cast<int>(before.grid.size()));
    for (std::size_t r = 1; r < before.grid.size(); ++r)
        for (int c = 0; c < 7; ++c)
            if (const QString& text = before.grid[r][static_cast<std::size_t>(c)]; !text.isEmpty())
                grid->setItem(static_cast<int>(r), c, new QTableWidgetItem(text));
    FitHeaderGridColumns();
    dicomSettings_ = before.dicomSettings;
}

void TForm1::BitBtnLoadClick()
{
    QString chosen;
    if (LoadState < 2) {
        if (auto answer = toolkit::DialogSeam::Current().OpenFile(this, StartFolder()))
            chosen = *answer;
    } else {
        chosen = ui.EditFileName->text();
    }
    // Cancelled, or an empty file-list entry: nothing changes.
    if (chosen.isEmpty())
        return;

    LoadSnapshot before = TakeLoadSnapshot();
    std::shared_ptr<const imageio::DicomPixels> decoded;
    bool headerRead = false;
    bool complete = false;
    try {
        complete = ReadChosenFile(chosen, decoded, headerRead);
    } catch (...) {
        RestoreLoadSnapshot(before);
        throw;
    }
    if (!complete) {
        RestoreLoadSnapshot(before);
        return;
    }
    TakeDecoded(std::move(decoded));
    if (headerRead)
        RememberDicomSettings();

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
    ClearRoiStatistics();  // they described the previous image
    SetText(ui.EditWindowLevel, QStringLiteral("512"));
    SetText(ui.EditWindowWidth, QStringLiteral("1024"));
    // The automatic window renders again right away with the same geometry and fills every
    // pixel, so this render maps none: only its checks, its layout and its ROI frame count.
    RenderView(false);
    ButtonAutoWLClick();
    ButtonFileListClick();
    WarnIfFileTooSmall();
    WarnIfDamaged();
}

bool TForm1::ReadChosenFile(const QString& chosen, std::shared_ptr<const imageio::DicomPixels>& decoded,
                            bool& headerRead)
{
    CurrentFileName = chosen;
    ForgetDicomSettings();
    const int bytesPerPixel = BytesPerPixel();

    const std::string path = CurrentFileName.toStdString();
    const imageio::NameFields fields = imageio::SplitFileName(path);
    SetText(ui.EditImgSizeX, fields.columns);
    SetText(ui.EditImgSizeY, fields.rows);
    SetText(ui.EditPxlSpc, imageio::SpacingText(fields.spacingField));
    SetText(ui.EditFileName, CurrentFileName);

    ImageStream = imageio::ReadWholeFile(path);
    SetText(ui.EditFileSize, IntText(static_cast<long long>(ImageStream.size())));
    ui.Image1->show();

    QString candidate = QString::fromStdString(fields.spacingField);
    if (ui.RadioGroupMode->ItemIndex() == 2 &&
        (ui.EditImgSizeX->text().isEmpty() || ui.EditImgSizeY->text().isEmpty())) {
        headerRead = true;
        decoded = ReadDicomHeaderOrDecode();
        candidate = ui.EditImgSizeX->text() + " " + ui.EditImgSizeY->text();
    }

    if (!ui.EditImgSizeX->text().isEmpty() && !ui.EditImgSizeY->text().isEmpty()) {
        ImageWidth = IntOf(ui.EditImgSizeX);
        ImageHeight = IntOf(ui.EditImgSizeY);
        imageio::CheckBitmapSize(ImageWidth, ImageHeight);
        return true;
    }
    if (candidate.size() < 4)
        candidate = QString::fromStdString(viewer::SizeGuessText(ImageStream.size(), bytesPerPixel));
    auto& dialogs = toolkit::DialogSeam::Current();
    const std::optional<QString> answer = dialogs.InputBox(this, QString(), tr("Matrix Size x y , "), candidate);
    if (!answer)
        return false;
    TakeSizesFromAnswer(*answer);
    imageio::CheckBitmapSize(ImageWidth, ImageHeight);
    // The spacing is asked only for a size the program takes.
    const std::optional<QString> spacing = dialogs.InputBox(
        this, "InputBox", tr("ﾋﾟｸｾﾙ間隔(mm)を入力してください。"), ui.EditPxlSpc->text());
    if (!spacing)
        return false;
    SetText(ui.EditPxlSpc, *spacing);
    return true;
}

void TForm1::RememberDicomSettings()
{
    DicomSettings set;
    set.header = ui.EditHeader->text();
    set.offset = ui.EditOffst->text();
    set.fov = ui.EditFOVSize->text();
    if (headerSetSwap_)
        set.swap = ui.CheckBoxSwp->isChecked();
    dicomSettings_ = set;
}

void TForm1::ForgetDicomSettings()
{
    // What the last header reader set belongs to that file. Whatever of it the user has not
    // changed since goes back to its default, so that a raw file read next is not shifted,
    // swapped or cut by another file's header; what the user typed stays. The listing and the
    // summary are the reader's alone.
    if (!dicomSettings_)
        return;
    const DicomSettings set = *dicomSettings_;
    dicomSettings_.reset();
    if (ui.EditHeader->text() == set.header)
        SetText(ui.EditHeader, QStringLiteral("0"));
    if (ui.EditOffst->text() == set.offset)
        SetText(ui.EditOffst, QStringLiteral("0"));
    if (ui.EditFOVSize->text() == set.fov)
        SetText(ui.EditFOVSize, QStringLiteral("0"));
    if (set.swap && ui.CheckBoxSwp->isChecked() == *set.swap) {
        const QSignalBlocker quiet(ui.CheckBoxSwp);
        ui.CheckBoxSwp->setChecked(false);
    }
    ui.Memo1->clear();
    QTableWidget* grid = ui.StringGridDICOM;
    grid->setRowCount(1);  // the title row stays
    grid->setRowCount(kHeaderGridStartRows);
    FitHeaderGridColumns();
}

void TForm1::ClearRoiStatistics()
{
    for (QLineEdit* edit : {ui.EditAve, ui.EditSD, ui.EditMax, ui.EditMin}) {
        SetText(edit, QString());
        edit->setToolTip(QString());
    }
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
        this, tr("The file holds %1 bytes, but a %2 x %3 matrix from byte %4 needs %5 bytes: the missing "
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
        viewer::FillView(source, geometry.bounds, window, DisplayBitmap(), pool_);

    const viewer::ImageLayout layout = viewer::ComputeImageLayout(ImageWidth, ImageHeight, geometry.squareLimited);
    ui.Image1->setGeometry(static_cast<int>(layout.left), 0, static_cast<int>(layout.width),
                           static_cast<int>(layout.height));
    ui.Image1->setStretch(true);
    ui.Image1->update();

    // The ROI follows the edits in every tool, so that whatever reads it later meets the block the
    // edits name on this view; only the ROI tool shows it. Outside that tool a ROI text that does
    // not convert leaves the last placement and the picture still draws (the readers of the ROI
    // give the conversion error themselves).
    if (ui.RadioGroupTool->ItemIndex() == 0) {
        RoiBounds = RoiBoundsOfEdits();
        RoiFrame = viewer::RoiFrameFromBounds(RoiBounds, geometry.bounds);
        DrawRoiFrame();
    } else if (const std::optional<viewer::Rect> bounds = RoiBoundsOfEditsIfValid()) {
        RoiBounds = *bounds;
        RoiFrame = viewer::RoiFrameFromBounds(RoiBounds, geometry.bounds);
    }
    ViewBounds = geometry.bounds;
}

viewer::Rect TForm1::RoiBoundsOfEdits()
{
    const std::int32_t posX = IntOf(ui.EditROIPosX);
    const std::int32_t sizeX = IntOf(ui.EditROISizeX);
    const std::int32_t posY = IntOf(ui.EditROIPosY);
    const std::int32_t sizeY = IntOf(ui.EditROISizeY);
    return viewer::RoiBoundsFromEdits(posX, posY, sizeX, sizeY);
}

std::optional<viewer::Rect> TForm1::RoiBoundsOfEditsIfValid()
{
    try {
        return RoiBoundsOfEdits();
    } catch (const common::ConversionError&) {
        return std::nullopt;
    }
}

viewer::RoiBlock TForm1::RoiBlockOfEdits() { return viewer::RoiBlockOf(RoiBoundsOfEdits()); }

void TForm1::DrawRoiFrame()
{
    if (LoadState <= 0)
        return;
    viewer::ToggleRoiFrame(DisplayBitmap(), RoiFrame);
    ui.Image1->update();
}

