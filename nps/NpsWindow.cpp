// The NPS window's controls and its settings; the run itself is in NpsWindowRun.cpp.
#include "NpsWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "Conversions.h"
#include "Errors.h"
#include "HandlerGuard.h"
#include "NpsCurves.h"
#include "ViewerFollow.h"

namespace nps {

namespace {

QLineEdit* Edit(const QString& name, const QString& text, int width)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(name);
    edit->setFixedWidth(width);
    return edit;
}

QComboBox* Combo(const QString& name, const QStringList& items, int current)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(current);
    return combo;
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

} // namespace

NpsWindow::NpsWindow(links::ViewerSource& source, common::ThreadPool& pool, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(source), pool_(pool)
{
    setObjectName("FormNps");
    setWindowTitle(tr("NPS"));
    BuildControls();
    // The defaults count as not typed by the user: the viewer's values take their place.
    fromViewerRoi_ = EditRoi->text();
    fromViewerPixel_ = EditPixel->text();
    connect(ButtonRun, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonRunClick(); }));
    connect(ButtonCancel, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonCancelClick(); }));
    connect(ButtonCsv, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonCsvClick(); }));
    connect(ButtonPng, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonPngClick(); }));
    connect(CheckBoxLog, &QCheckBox::toggled, this, toolkit::Guarded([this] { CheckBoxLogClick(); }));
    connect(Curves, &NpsCurves::readout, LabelReadout, &QLabel::setText);
}

NpsWindow::~NpsWindow()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void NpsWindow::closeEvent(QCloseEvent* event)
{
    if (Running())
        ButtonCancelClick();
    QWidget::closeEvent(event);
}

void NpsWindow::BuildControls()
{
    ComboFiles = Combo("ComboFiles", {tr("Loaded file"), tr("All files of the folder list")}, 0);
    EditRoi = Edit("EditRoi", "128", 60);
    EditArea = Edit("EditArea", "", 140);
    EditArea->setPlaceholderText(tr("whole image"));
    EditArea->setToolTip(tr("x,y,w,h of the ROI grid; empty for the whole image"));
    EditRois = Edit("EditRois", "", 160);
    EditRois->setPlaceholderText(tr("the grid"));
    EditRois->setToolTip(tr("x,y;x,y;... top-left corners of your own ROIs instead of the grid"));
    // The command line's default too: the same settings give the same result in both. The choices
    // below are the command line's option values (--detrend, --scope, --axes) and read the same in
    // every language; their tool tips say what they mean.
    ComboOverlap = Combo("ComboOverlap", {"0", "0.5"}, 0);
    ComboDetrend = Combo("ComboDetrend", {"none", "mean", "plane", "poly2"}, 3);
    ComboScope = Combo("ComboScope", {"area", "roi"}, 0);
    ComboScope->setToolTip(tr("Fit the trend over the whole area (radiography) or per ROI (CT)"));
    EditBin = Edit("EditBin", "0.05", 60);
    EditAxisLines = Edit("EditAxisLines", "7", 40);
    ComboAxes = Combo("ComboAxes", {"radial", "along"}, 0);
    ComboAxes->setToolTip(tr("Axis curves: each sample at its radial frequency (IEC 62220-1-1) or at its distance "
                             "along the axis"));
    EditPixel = Edit("EditPixel", "", 60);
    ButtonRun = new QPushButton(tr("Run"));
    ButtonRun->setObjectName("ButtonRun");
    ButtonRun->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    ButtonRun->setToolTip(tr("Run (Ctrl+R)"));
    ButtonCancel = new QPushButton(tr("Cancel"));
    ButtonCancel->setObjectName("ButtonCancel");
    ButtonCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    ButtonCancel->setToolTip(tr("Cancel (Esc)"));
    ButtonCancel->setEnabled(false);
    Progress = new QProgressBar;
    Progress->setObjectName("Progress");
    LabelStatus = new QLabel;
    LabelStatus->setObjectName("LabelStatus");
    // A long status (a note on the settings after the result) is cut rather than widening the
    // window past the screen; its tool tip holds it whole.
    LabelStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LabelStatus->setMinimumWidth(200);
    ImageRois = new QLabel;
    ImageRois->setObjectName("ImageRois");
    ImageRois->setFixedSize(360, 360);
    ImageNps = new QLabel;
    ImageNps->setObjectName("ImageNps");
    ImageNps->setFixedSize(360, 360);
    Curves = new NpsCurves;
    Curves->setObjectName("Curves");
    Curves->setMinimumSize(520, 360);
    CheckBoxLog = new QCheckBox(tr("Log"));
    CheckBoxLog->setObjectName("CheckBoxLog");
    ButtonCsv = new QPushButton(tr("Export CSV"));
    ButtonCsv->setObjectName("ButtonCsv");
    ButtonCsv->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    ButtonCsv->setToolTip(tr("Export CSV (Ctrl+S)"));
    ButtonPng = new QPushButton(tr("Export PNG"));
    ButtonPng->setObjectName("ButtonPng");
    ButtonPng->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    ButtonPng->setToolTip(tr("Export PNG (Ctrl+Shift+S)"));
    LabelReadout = new QLabel;
    LabelReadout->setObjectName("LabelReadout");

    auto* settings = new QGridLayout;
    // Each caption's underlined letter (Alt+letter) moves to its field.
    const std::pair<QString, QWidget*> cells[] = {
        {tr("&Images"), ComboFiles},      {tr("&ROI (px)"), EditRoi},      {tr("&Area"), EditArea},
        {tr("&Own ROIs"), EditRois},      {tr("O&verlap"), ComboOverlap},  {tr("&Detrend"), ComboDetrend},
        {tr("&Fit over"), ComboScope},    {tr("&Bin (/mm)"), EditBin},     {tr("A&xis lines"), EditAxisLines},
        {tr("Axis &curves"), ComboAxes},  {tr("&Pixel (mm)"), EditPixel}};
    int column = 0;
    for (const auto& [caption, widget] : cells) {
        auto* label = new QLabel(caption);
        label->setBuddy(widget);
        settings->addWidget(label, 0, column);
        settings->addWidget(widget, 1, column++);
    }
    auto* run = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(ButtonRun), static_cast<QWidget*>(ButtonCancel),
                       static_cast<QWidget*>(Progress), static_cast<QWidget*>(LabelStatus)})
        run->addWidget(w);
    Progress->setMaximumWidth(320);
    run->setStretchFactor(LabelStatus, 1);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(ImageRois);
    pictures->addWidget(ImageNps);
    pictures->addWidget(Curves, 1);
    auto* exports = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(CheckBoxLog), static_cast<QWidget*>(ButtonCsv),
                       static_cast<QWidget*>(ButtonPng), static_cast<QWidget*>(LabelReadout)})
        exports->addWidget(w);
    exports->addStretch(1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(settings);
    all->addLayout(run);
    all->addLayout(pictures, 1);
    all->addLayout(exports);
}

void NpsWindow::OpenFromViewer()
{
    TakeViewerState();
    BringUpFromViewer(*this, *LabelStatus, handOff_);
}

void NpsWindow::TakeViewerState()
{
    handOff_ = source_.HandOff();
    FollowViewer(EditRoi, fromViewerRoi_, handOff_.roiSize);
    FollowViewer(EditPixel, fromViewerPixel_, handOff_.pixelSpacing);
    const std::size_t count = handOff_.folderFiles.size();
    ComboFiles->setItemText(1, tr("All files of the folder list (%1)").arg(count));
    if (result_ && !Running() && FilesToRun() != resultFiles_) {
        result_.reset();
        ShowResult();
        LabelStatus->setText(tr("The last result was of other files; it was cleared."));
    }
}

std::vector<std::string> NpsWindow::FilesToRun() const
{
    if (ComboFiles->currentIndex() == 0)
        return handOff_.loadedFile.empty() ? std::vector<std::string>{} : std::vector<std::string>{handOff_.loadedFile};
    return handOff_.folderFiles;
}

NpsRunSettings NpsWindow::SettingsFromEdits()
{
    NpsRunSettings s;
    s.files = FilesToRun();
    if (s.files.empty())
        throw common::InputError(ComboFiles->currentIndex() == 0
                                     ? common::TrText("nps", "Load an image in the viewer first.")
                                     : common::TrText("nps", "The viewer's folder list is empty."));
    s.load.mode = handOff_.mode;
    if (!EditPixel->text().trimmed().isEmpty())
        s.load.pixelMm = common::StrToFloat(Text(EditPixel));
    s.roiSize = common::StrToInt(Text(EditRoi));
    CheckRoiSize(s.roiSize);
    if (!EditArea->text().trimmed().isEmpty())
        s.area = ParseArea(Text(EditArea), tr("The area").toStdString());
    s.roiList = ParseRoiList(EditRois->text().toStdString(), tr("the ROI list").toStdString());
    s.overlap = ComboOverlap->currentIndex() == 1 ? 0.5 : 0.0;
    s.detrend = ParseDetrend(ComboDetrend->currentText().toStdString());
    s.scope = ParseDetrendScope(ComboScope->currentText().toStdString());
    s.binWidth = common::StrToFloat(Text(EditBin));
    s.axisLines = common::StrToInt(Text(EditAxisLines));
    s.axisPlacement = ParseAxisPlacement(ComboAxes->currentText().toStdString());
    return s;
}

void NpsWindow::CheckBoxLogClick() { ShowResult(); }

} // namespace nps
