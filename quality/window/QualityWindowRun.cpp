// The MTF and DQE window's runs: a worker thread reads the files and measures while the window
// stays responsive; progress, the edge picture and the result come back as queued calls.
#include <QChartView>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <cmath>

#include "DialogSeam.h"
#include "HandlerGuard.h"
#include "QualityCharts.h"
#include "MtfDqeExports.h"
#include "QualityWindow.h"
#include "SaveExport.h"
#include "Translation.h"

namespace quality {

namespace {

constexpr int kPictureSide = 300;

// Thrown on the worker thread at the next file it reads once the user cancelled.
struct RunCancelled {};

QString Short(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 5) : QualityWindow::tr("not reached");
}

QString Notes(const std::vector<common::Text>& notes)
{
    if (notes.empty())
        return QualityWindow::tr("none");
    QStringList lines;
    for (const common::Text& note : notes)
        lines << i18n::Shown(note);
    return lines.join(QualityWindow::tr("; "));
}

// The DQE at 1, 2 and 3 cycles/mm, u, v and their mean with standard errors.
QString FiguresText(const std::vector<DqeFigure>& figures)
{
    QString text;
    for (const DqeFigure& f : figures)
        if (f.frequency == 1.0 || f.frequency == 2.0 || f.frequency == 3.0)
            text += QualityWindow::tr("DQE(%1/mm): u %2 ± %3, v %4 ± %5, mean %6 ± %7.   ")
                        .arg(f.frequency)
                        .arg(Short(f.u.dqe), Short(f.u.dqeError), Short(f.v.dqe), Short(f.v.dqeError),
                             Short(f.dqeMean.value), Short(f.dqeMean.error));
    return text;
}

// Asks for the file; a name typed without an extension gets the export's own.
void SaveWithExtension(QWidget* parent, const QString& extension, const std::string& text)
{
    std::optional<QString> path = toolkit::DialogSeam::Current().SaveFile(parent, QString());
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".") + extension;
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    toolkit::WriteAfterAsking(parent, *path, bytes);
}

} // namespace

void QualityWindow::ButtonRunClick()
{
    if (Running())
        return;
    TakeViewerState();
    if (Tabs->currentIndex() == 0) {
        MtfRunSettings settings = MtfSettingsFromEdits();
        mtf_.reset();
        ShowMtf();
        ImageEdge->clear();
        StartWorker([this, settings = std::move(settings)]() mutable { WorkMtf(std::move(settings)); },
                    tr("Reading the edge image..."));
    } else {
        DqeRunSettings settings = DqeSettingsFromEdits();
        dqe_.reset();
        ShowDqe();
        StartWorker([this, settings = std::move(settings)]() mutable { WorkDqe(std::move(settings)); },
                    tr("Reading the conversion and flat fields..."));
    }
}

void QualityWindow::StartWorker(std::function<void()> work, const QString& what)
{
    cancel_ = false;
    newMtf_.reset();
    newDqe_.reset();
    Progress->setRange(0, 1000);
    Progress->setValue(0);
    LabelStatus->setText(what);
    LabelStatus->setToolTip(QString());
    ButtonRun->setEnabled(false);
    ButtonCancel->setEnabled(true);
    worker_ = std::thread(std::move(work));
}

void QualityWindow::ButtonCancelClick()
{
    if (!Running())
        return;
    cancel_ = true;
    LabelStatus->setText(tr("Cancelling..."));
}

// On the worker thread, at each file the run reads.
void QualityWindow::Loaded(std::size_t& read, std::size_t total)
{
    if (cancel_)
        throw RunCancelled{};
    read = std::min(read + 1, total);
    const int value = static_cast<int>(1000.0 * static_cast<double>(read) / static_cast<double>(total + 1));
    const QString text = tr("Read %1 of %2 file(s), measuring...").arg(read).arg(total);
    QMetaObject::invokeMethod(
        this,
        [this, value, text] {
            if (!Running() || cancel_)
                return;
            Progress->setValue(value);
            LabelStatus->setText(text);
        },
        Qt::QueuedConnection);
}

// On the worker thread: touches no widget, only the run's own data and queued calls.
void QualityWindow::WorkMtf(MtfRunSettings settings)
{
    try {
        std::size_t read = 0;
        auto outcome = std::make_shared<MtfRunOutcome>(
            RunMtfOnFiles(settings, pool_, [&](const imageio::LoadedImage& image, const EdgeRoi& roi) {
                Loaded(read, settings.files.size());
                const QImage picture = EdgePicture(image, roi, kPictureSide);
                QMetaObject::invokeMethod(
                    this, [this, picture] { ImageEdge->setPixmap(QPixmap::fromImage(picture)); }, Qt::QueuedConnection);
            }));
        newMtf_ = std::move(outcome);
        QMetaObject::invokeMethod(this, [this] { Finish(nullptr); }, Qt::QueuedConnection);
    } catch (...) {
        QMetaObject::invokeMethod(this, [this, failure = std::current_exception()] { Finish(failure); },
                                  Qt::QueuedConnection);
    }
}

void QualityWindow::WorkDqe(DqeRunSettings settings)
{
    try {
        std::size_t read = 0;
        const std::size_t total = DqeInputs(settings).size();
        newDqe_ = std::make_shared<DqeRunOutcome>(
            RunDqeOnFiles(settings, pool_, [&](const imageio::LoadedImage&) { Loaded(read, total); }));
        QMetaObject::invokeMethod(this, [this] { Finish(nullptr); }, Qt::QueuedConnection);
    } catch (...) {
        QMetaObject::invokeMethod(this, [this, failure = std::current_exception()] { Finish(failure); },
                                  Qt::QueuedConnection);
    }
}

void QualityWindow::Finish(std::exception_ptr failure)
{
    if (worker_.joinable())
        worker_.join();
    ButtonRun->setEnabled(true);
    ButtonCancel->setEnabled(false);
    // A cancel the run did not reach in time still leaves no result: the user asked for none.
    if (cancel_) {
        Progress->setValue(0);
        LabelStatus->setText(tr("Cancelled"));
        return;
    }
    if (failure) {
        Progress->setValue(0);
        LabelStatus->setText(tr("Failed"));
        toolkit::ShowError(failure);
        return;
    }
    Progress->setValue(1000);
    QString status;
    if (newMtf_) {
        mtf_ = std::move(newMtf_);
        ShowMtf();
        status = tr("MTF of %1").arg(QFileInfo(QString::fromStdString(mtf_->name)).fileName());
    }
    if (newDqe_) {
        dqe_ = std::move(newDqe_);
        ShowDqe();
        status = tr("DQE at %1 uGy, %2, from %3 ROIs in %4 flat field(s)")
                     .arg(Short(dqe_->First().kerma), QString::fromLatin1(BeamQualityName(dqe_->quality)))
                     .arg(dqe_->First().nps.result.roiCount)
                     .arg(dqe_->First().nps.result.imageCount);
    }
    LabelStatus->setText(status);
    LabelStatus->setToolTip(status);
}

void QualityWindow::ShowMtf()
{
    ButtonMtfCsv->setEnabled(mtf_ != nullptr);
    ButtonMtfJson->setEnabled(mtf_ != nullptr);
    if (!mtf_) {
        ShowCurves(ChartEsf, QStringLiteral("ESF"), {}, {}, {});
        ShowCurves(ChartLsf, QStringLiteral("LSF"), {}, {}, {});
        ShowCurves(ChartMtf, QStringLiteral("MTF"), {}, {}, {});
        LabelMtfSummary->clear();
        return;
    }
    const MtfResult& r = mtf_->result;
    const QString distance = tr("distance from the edge (px)");
    const QString orientation = i18n::Shown(OrientationText(r.orientation));
    ShowCurves(ChartEsf, QStringLiteral("ESF"), distance, tr("value"), {EsfCurve(r)});
    ShowCurves(ChartLsf, QStringLiteral("LSF"), distance, tr("value / bin"), {LsfCurve(r)});
    ShowCurves(ChartMtf, tr("MTF (%1 edge)").arg(orientation), QStringLiteral("cycles/mm"), QStringLiteral("MTF"),
               {MtfCurve(r, QStringLiteral("MTF"), SingleCurveColour())});
    LabelMtfSummary->setText(tr("Edge: %1, tilted %2°\nROI: %3,%4,%5,%6\nContrast: %7 (levels %8 and %9)\n"
                                "Noise: %10\nMTF50: %11 cycles/mm\nMTF10: %12 cycles/mm\nWarnings: %13")
                                 .arg(orientation, Short(r.angleDegrees))
                                 .arg(mtf_->roi.x)
                                 .arg(mtf_->roi.y)
                                 .arg(mtf_->roi.width)
                                 .arg(mtf_->roi.height)
                                 .arg(Short(r.contrast), Short(r.lowLevel), Short(r.highLevel), Short(r.noise),
                                      Short(r.mtf50), Short(r.mtf10), Notes(r.notes)) +
                             QStringLiteral("\n") +
                             tr("MTF50 standard error: %1 cycles/mm (%2 groups of lines)\nPixel spacing: %3")
                                 .arg(Short(r.mtf50StandardError))
                                 .arg(r.uncertaintyGroups)
                                 .arg(i18n::Shown(nps::SpacingUsedText(mtf_->spacing))));
}

void QualityWindow::ShowDqe()
{
    ButtonDqeCsv->setEnabled(dqe_ != nullptr);
    ButtonDqeJson->setEnabled(dqe_ != nullptr);
    if (!dqe_) {
        ShowCurves(ChartDqe, QStringLiteral("DQE"), {}, {}, {});
        ShowCurves(ChartDqeMtf, QStringLiteral("MTF"), {}, {}, {});
        LabelDqeSummary->clear();
        return;
    }
    const auto curve = [](const std::vector<DqePoint>& points, const QString& name, const QColor& colour,
                          double DqePoint::*value) {
        ChartCurve c{name, colour, {}};
        for (const DqePoint& p : points)
            c.points.emplace_back(p.frequency, p.*value);
        return c;
    };
    ShowCurves(ChartDqe, QStringLiteral("DQE"), QStringLiteral("cycles/mm"), QStringLiteral("DQE"),
               {curve(dqe_->First().u, QStringLiteral("u"), UCurveColour(), &DqePoint::dqe),
                curve(dqe_->First().v, QStringLiteral("v"), VCurveColour(), &DqePoint::dqe)});
    ShowCurves(ChartDqeMtf, QStringLiteral("MTF"), QStringLiteral("cycles/mm"), QStringLiteral("MTF"),
               {curve(dqe_->First().u, QStringLiteral("u"), UCurveColour(), &DqePoint::mtf),
                curve(dqe_->First().v, QStringLiteral("v"), VCurveColour(), &DqePoint::mtf)});
    const ConversionFit& fit = dqe_->conversion;
    LabelDqeSummary->setText(
        tr("Conversion: value = %1 + %2 K%3.   MTF50 u %4, v %5 cycles/mm.   q = %6 /(mm² uGy).   Notes: %7")
            .arg(Short(fit.offset), Short(fit.gain),
                 dqe_->conversionMeasured ? tr(" (RMS residual %1, R² %2)").arg(Short(fit.rmsResidual), Short(fit.rSquared))
                                          : tr(" (assumed)"),
                 Short(dqe_->mtfU.result.mtf50), Short(dqe_->mtfV.result.mtf50), Short(dqe_->photonsPerAreaPerKerma),
                 Notes(dqe_->notes)) +
        QStringLiteral("\n") + FiguresText(dqe_->First().figures) +
        tr("Pixel spacing: %1").arg(i18n::Shown(nps::SpacingUsedText(dqe_->spacing))));
}

void QualityWindow::ButtonMtfFileClick()
{
    const QString folder = QFileInfo(EditMtfFile->text()).absolutePath();
    if (const std::optional<QString> path = toolkit::DialogSeam::Current().OpenFile(this, folder))
        EditMtfFile->setText(*path);
}

void QualityWindow::ButtonMtfCsvClick()
{
    if (mtf_)
        SaveWithExtension(this, QStringLiteral("csv"), MtfTableText(mtf_->result));
}

void QualityWindow::ButtonMtfJsonClick()
{
    if (mtf_)
        SaveWithExtension(this, QStringLiteral("json"), MtfSummaryJson(*mtf_));
}

void QualityWindow::ButtonDqeCsvClick()
{
    if (dqe_)
        SaveWithExtension(this, QStringLiteral("csv"), DqeTableText(*dqe_));
}

void QualityWindow::ButtonDqeJsonClick()
{
    if (dqe_)
        SaveWithExtension(this, QStringLiteral("json"), DqeSummaryJson(*dqe_));
}

} // namespace quality
