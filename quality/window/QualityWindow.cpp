// The MTF and DQE window's controls and its settings; the runs are in QualityWindowRun.cpp.
#include "QualityWindow.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Conversions.h"
#include "Errors.h"
#include "HandlerGuard.h"
#include "ViewerFollow.h"

namespace quality {

namespace {

QLineEdit* Edit(const QString& name, const QString& text, int width)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(name);
    edit->setMinimumWidth(width);
    return edit;
}

QPushButton* Button(const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

// Each tab's exports on the same keys: a button's shortcut works only while its tab is shown.
QPushButton* ExportButton(const QString& name, const QString& caption, const QString& keys)
{
    QPushButton* button = Button(name, caption);
    button->setShortcut(QKeySequence(keys));
    button->setToolTip(QStringLiteral("%1 (%2)").arg(caption, keys));
    return button;
}

QChartView* Chart(const QString& name, const QString& title)
{
    auto* view = new QChartView(new QChart);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->setTitle(title);
    view->setMinimumSize(340, 240);
    return view;
}

QLabel* Summary(const QString& name)
{
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Caption above field, one column each; each caption's underlined letter (Alt+letter) moves to
// its field.
void AddCells(QGridLayout* grid, int row, const std::vector<std::pair<QString, QWidget*>>& cells)
{
    int column = 0;
    for (const auto& [caption, widget] : cells) {
        auto* label = new QLabel(caption);
        label->setBuddy(widget);
        grid->addWidget(label, row, column);
        grid->addWidget(widget, row + 1, column++);
    }
}

std::string Text(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

// "a; b; c" as its non-empty items, trimmed: file names hold spaces, so the list is split at ';'.
std::vector<std::string> Items(const QLineEdit* edit)
{
    std::vector<std::string> items;
    for (const QString& item : edit->text().split(QLatin1Char(';')))
        if (!item.trimmed().isEmpty())
            items.push_back(item.trimmed().toStdString());
    return items;
}

} // namespace

QualityWindow::QualityWindow(links::ViewerSource& source, common::ThreadPool& pool, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(source), pool_(pool)
{
    setObjectName("FormQuality");
    setWindowTitle(tr("MTF and DQE"));
    BuildControls();
    ConnectHandlers();
    // The defaults count as not typed by the user: the viewer's values take their place.
    fromViewerFile_ = EditMtfFile->text();
    fromViewerRoi_ = EditMtfRoi->text();
    ShowMtf();
    ShowDqe();
}

QualityWindow::~QualityWindow()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void QualityWindow::closeEvent(QCloseEvent* event)
{
    if (Running())
        ButtonCancelClick();
    QWidget::closeEvent(event);
}

QWidget* QualityWindow::BuildMtfTab()
{
    EditMtfFile = Edit("EditMtfFile", "", 420);
    ButtonMtfFile = Button("ButtonMtfFile", QStringLiteral("..."));
    ButtonMtfFile->setToolTip(tr("Choose the edge image"));
    EditMtfRoi = Edit("EditMtfRoi", "", 140);
    EditMtfRoi->setToolTip(tr("x,y,w,h: top-left pixel, width and height of the ROI around the edge (the viewer's "
                              "ROI until you type your own)"));
    EditMtfBin = Edit("EditMtfBin", "0.25", 60);
    EditMtfBin->setToolTip(tr("ESF bin width as a fraction of a pixel (at most 0.5)"));
    ImageEdge = new QLabel;
    ImageEdge->setObjectName("ImageEdge");
    ImageEdge->setFixedSize(300, 300);
    ImageEdge->setAlignment(Qt::AlignCenter);
    ChartEsf = Chart("ChartEsf", QStringLiteral("ESF"));
    ChartLsf = Chart("ChartLsf", QStringLiteral("LSF"));
    ChartMtf = Chart("ChartMtf", QStringLiteral("MTF"));
    LabelMtfSummary = Summary("LabelMtfSummary");
    ButtonMtfCsv = ExportButton("ButtonMtfCsv", tr("Export CSV"), QStringLiteral("Ctrl+S"));
    ButtonMtfJson = ExportButton("ButtonMtfJson", tr("Export JSON"), QStringLiteral("Ctrl+Shift+S"));

    auto* settings = new QGridLayout;
    AddCells(settings, 0, {{tr("Edge &image"), EditMtfFile}, {QString(), ButtonMtfFile},
                           {tr("Edge &ROI (x,y,w,h)"), EditMtfRoi}, {tr("ESF &bin (px)"), EditMtfBin}});
    settings->setColumnStretch(0, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(ImageEdge);
    left->addWidget(LabelMtfSummary, 1);
    auto* charts = new QGridLayout;
    charts->addWidget(ChartEsf, 0, 0);
    charts->addWidget(ChartLsf, 0, 1);
    charts->addWidget(ChartMtf, 1, 0, 1, 2);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(charts, 1);
    auto* exports = new QHBoxLayout;
    exports->addWidget(ButtonMtfCsv);
    exports->addWidget(ButtonMtfJson);
    exports->addStretch(1);
    auto* tab = new QWidget;
    auto* all = new QVBoxLayout(tab);
    all->addLayout(settings);
    all->addLayout(middle, 1);
    all->addLayout(exports);
    return tab;
}

QWidget* QualityWindow::BuildDqeTab()
{
    EditFlats = Edit("EditFlats", "", 300);
    EditFlats->setPlaceholderText(tr("file; file; ..."));
    EditFlats->setToolTip(tr("The flat fields at the air kerma K, separated by ';'; K=file for a flat field at "
                             "another air kerma (one DQE per air kerma)"));
    EditKerma = Edit("EditKerma", "", 60);
    ComboQuality = new QComboBox;
    ComboQuality->setObjectName("ComboQuality");
    ComboQuality->addItems({"RQA3", "RQA5", "RQA7", "RQA9"});
    ComboQuality->setCurrentIndex(1);
    EditConversion = Edit("EditConversion", "", 300);
    EditConversion->setPlaceholderText(tr("K=file; K=file; ..."));
    EditConversion->setToolTip(tr("K=file; K=file; ...: the conversion function's flat fields with their air kerma "
                                  "in uGy"));
    CheckProportional = new QCheckBox(tr("Values &proportional to K"));
    CheckProportional->setObjectName("CheckProportional");
    CheckProportional->setToolTip(tr("Without conversion flat fields: state that the raw values are proportional to "
                                     "the air kerma (no offset)"));
    EditEdgeV = Edit("EditEdgeV", "", 300);
    EditEdgeV->setToolTip(tr("Image of a vertical edge: the MTF along u"));
    EditEdgeVRoi = Edit("EditEdgeVRoi", "", 120);
    EditEdgeVRoi->setPlaceholderText(tr("whole image"));
    EditEdgeH = Edit("EditEdgeH", "", 300);
    EditEdgeH->setToolTip(tr("Image of a horizontal edge: the MTF along v"));
    EditEdgeHRoi = Edit("EditEdgeHRoi", "", 120);
    EditEdgeHRoi->setPlaceholderText(tr("whole image"));
    // The command line's defaults: the same settings give the same result in both.
    EditNpsRoi = Edit("EditNpsRoi", "256", 60);
    ComboOverlap = new QComboBox;
    ComboOverlap->setObjectName("ComboOverlap");
    ComboOverlap->addItems({"0", "0.5"});
    ComboOverlap->setCurrentIndex(1);
    EditNpsBin = Edit("EditNpsBin", "0.05", 60);
    EditEsfBin = Edit("EditEsfBin", "0.25", 60);
    ChartDqe = Chart("ChartDqe", QStringLiteral("DQE"));
    ChartDqeMtf = Chart("ChartDqeMtf", QStringLiteral("MTF"));
    LabelDqeSummary = Summary("LabelDqeSummary");
    ButtonDqeCsv = ExportButton("ButtonDqeCsv", tr("Export CSV"), QStringLiteral("Ctrl+S"));
    ButtonDqeJson = ExportButton("ButtonDqeJson", tr("Export JSON"), QStringLiteral("Ctrl+Shift+S"));

    auto* settings = new QGridLayout;
    AddCells(settings, 0, {{tr("&Flat fields"), EditFlats}, {tr("&K (uGy)"), EditKerma},
                           {tr("&Quality"), ComboQuality}, {tr("&Conversion (K=file; ...)"), EditConversion}});
    AddCells(settings, 2, {{tr("&Vertical edge (u)"), EditEdgeV}, {tr("its R&OI"), EditEdgeVRoi},
                           {tr("&Horizontal edge (v)"), EditEdgeH}, {tr("its RO&I"), EditEdgeHRoi}});
    AddCells(settings, 4, {{tr("&NPS ROI (px)"), EditNpsRoi}, {tr("Ove&rlap"), ComboOverlap},
                           {tr("NPS &bin (/mm)"), EditNpsBin}, {tr("&ESF bin (px)"), EditEsfBin}});
    settings->addWidget(CheckProportional, 6, 3);
    settings->setColumnStretch(0, 1);
    settings->setColumnStretch(3, 1);
    auto* charts = new QHBoxLayout;
    charts->addWidget(ChartDqe, 1);
    charts->addWidget(ChartDqeMtf, 1);
    auto* exports = new QHBoxLayout;
    exports->addWidget(ButtonDqeCsv);
    exports->addWidget(ButtonDqeJson);
    exports->addStretch(1);
    auto* tab = new QWidget;
    auto* all = new QVBoxLayout(tab);
    all->addLayout(settings);
    all->addLayout(charts, 1);
    all->addWidget(LabelDqeSummary);
    all->addLayout(exports);
    return tab;
}

void QualityWindow::BuildControls()
{
    Tabs = new QTabWidget;
    Tabs->setObjectName("Tabs");
    Tabs->addTab(BuildMtfTab(), tr("&MTF"));
    Tabs->addTab(BuildDqeTab(), tr("&DQE"));
    EditPixel = Edit("EditPixel", "", 60);
    EditPixel->setFixedWidth(60);
    EditPixel->setPlaceholderText(tr("file"));
    EditPixel->setToolTip(tr("Pixel spacing in mm; empty to take the detector's from the file name or header (else "
                             "the viewer's)"));
    ButtonRun = Button("ButtonRun", tr("Run"));
    ButtonRun->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
    ButtonRun->setToolTip(tr("Measure what the tab shows (Ctrl+R)"));
    ButtonCancel = Button("ButtonCancel", tr("Cancel"));
    ButtonCancel->setShortcut(QKeySequence(Qt::Key_Escape));
    ButtonCancel->setToolTip(tr("Cancel (Esc)"));
    ButtonCancel->setEnabled(false);
    Progress = new QProgressBar;
    Progress->setObjectName("Progress");
    Progress->setMaximumWidth(240);
    LabelStatus = new QLabel;
    LabelStatus->setObjectName("LabelStatus");
    // A long status is cut rather than widening the window; its tool tip holds it whole.
    LabelStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LabelStatus->setMinimumWidth(200);

    auto* run = new QHBoxLayout;
    auto* pixel = new QLabel(tr("&Pixel (mm)"));
    pixel->setBuddy(EditPixel);
    run->addWidget(pixel);
    for (QWidget* w : {static_cast<QWidget*>(EditPixel), static_cast<QWidget*>(ButtonRun),
                       static_cast<QWidget*>(ButtonCancel), static_cast<QWidget*>(Progress),
                       static_cast<QWidget*>(LabelStatus)})
        run->addWidget(w);
    run->setStretchFactor(LabelStatus, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Tabs, 1);
    all->addLayout(run);
}

void QualityWindow::ConnectHandlers()
{
    connect(ButtonRun, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonRunClick(); }));
    connect(ButtonCancel, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonCancelClick(); }));
    connect(ButtonMtfFile, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonMtfFileClick(); }));
    connect(ButtonMtfCsv, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonMtfCsvClick(); }));
    connect(ButtonMtfJson, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonMtfJsonClick(); }));
    connect(ButtonDqeCsv, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonDqeCsvClick(); }));
    connect(ButtonDqeJson, &QPushButton::clicked, this, toolkit::Guarded([this] { ButtonDqeJsonClick(); }));
}

void QualityWindow::OpenFromViewer()
{
    TakeViewerState();
    nps::BringUpFromViewer(*this, *LabelStatus, handOff_);
}

void QualityWindow::TakeViewerState()
{
    handOff_ = source_.HandOff();
    const QString before = EditMtfFile->text();
    nps::FollowViewer(EditMtfFile, fromViewerFile_, handOff_.loadedFile);
    nps::FollowViewer(EditMtfRoi, fromViewerRoi_, handOff_.roiRect);
    // The spacing goes with the file: a spacing typed for the last file does not stay for the next
    // one. The file's own spacing (the detector's) then holds, else the viewer's.
    if (EditMtfFile->text() != before)
        EditPixel->clear();
}

imageio::LoadOptions QualityWindow::LoadOptionsFromEdits() const
{
    imageio::LoadOptions load;
    load.mode = handOff_.mode;
    if (!EditPixel->text().trimmed().isEmpty()) {
        load.pixelMm = common::StrToFloat(Text(EditPixel));
    } else {
        try {
            if (const double viewer = common::StrToFloat(handOff_.pixelSpacing); viewer > 0.0)
                load.fallbackPixelMm = viewer;
        } catch (const common::ConversionError&) {
            // The viewer holds no spacing: the file must give one.
        }
    }
    return load;
}

MtfRunSettings QualityWindow::MtfSettingsFromEdits() const
{
    MtfRunSettings s;
    s.files = Items(EditMtfFile);
    if (s.files.empty())
        throw common::InputError(
            common::TrText("quality", "Load an edge image in the viewer or choose one with \"...\"."));
    s.load = LoadOptionsFromEdits();
    // An empty ROI is the whole image: the ESF's range is bounded by the distance from the edge.
    if (!EditMtfRoi->text().trimmed().isEmpty())
        s.roi = ParseEdgeRoi(Text(EditMtfRoi), common::TrText("quality", "The edge ROI"));
    s.binFraction = common::StrToFloat(Text(EditMtfBin));
    return s;
}

DqeRunSettings QualityWindow::DqeSettingsFromEdits() const
{
    DqeRunSettings s;
    const std::vector<std::string> flats = Items(EditFlats);
    if (flats.empty())
        throw common::InputError(
            common::TrText("quality", "Give the flat fields at the air kerma K, separated by ';'."));
    std::optional<double> kerma;
    if (!EditKerma->text().trimmed().isEmpty())
        kerma = common::StrToFloat(Text(EditKerma));
    s.levels = GroupFlatsByKerma(flats, kerma);
    for (const auto& [edit, orientation] :
         {std::pair{EditEdgeV, EdgeOrientation::Vertical}, {EditEdgeH, EdgeOrientation::Horizontal}})
        if (edit->text().trimmed().isEmpty())
            throw common::InputError(
                common::TrText("quality", "Give the image of the %1 edge.").Arg(OrientationText(orientation)));
    s.flats.load = LoadOptionsFromEdits();
    s.flats.roiSize = common::StrToInt(Text(EditNpsRoi));
    s.flats.overlap = ComboOverlap->currentIndex() == 1 ? 0.5 : 0.0;
    s.flats.binWidth = common::StrToFloat(Text(EditNpsBin));
    s.quality = ParseBeamQuality(ComboQuality->currentText().toStdString());
    for (const std::string& pair : Items(EditConversion)) {
        const std::size_t equals = pair.find('=');
        if (equals == std::string::npos || equals + 1 == pair.size())
            throw common::InputError(
                common::TrText("quality", "A conversion flat field is K=file (air kerma in uGy, then the file), "
                                          "not '%1'.")
                    .Arg(pair));
        s.conversion.emplace_back(common::StrToFloat(QString::fromStdString(pair.substr(0, equals)).trimmed().toStdString()),
                                  QString::fromStdString(pair.substr(equals + 1)).trimmed().toStdString());
    }
    s.assumeProportional = CheckProportional->isChecked();
    s.edgesVertical = Items(EditEdgeV);
    s.edgesHorizontal = Items(EditEdgeH);
    if (!EditEdgeVRoi->text().trimmed().isEmpty())
        s.roiVertical = ParseEdgeRoi(Text(EditEdgeVRoi), common::TrText("quality", "The vertical edge's ROI"));
    if (!EditEdgeHRoi->text().trimmed().isEmpty())
        s.roiHorizontal = ParseEdgeRoi(Text(EditEdgeHRoi), common::TrText("quality", "The horizontal edge's ROI"));
    s.binFraction = common::StrToFloat(Text(EditEsfBin));
    return s;
}

} // namespace quality
