// The NPS window's run: a worker thread reads the images and computes the ensemble while the
// window stays responsive; progress, the placed ROIs and the result come back as queued calls.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "DialogSeam.h"
#include "HandlerGuard.h"
#include "NpsCurves.h"
#include "NpsExports.h"
#include "NpsPictures.h"
#include "NpsPlot.h"
#include "NpsWindow.h"
#include "SaveExport.h"
#include "Translation.h"

namespace nps {

namespace {

constexpr int kPictureSide = 360;

} // namespace

void NpsWindow::ButtonRunClick()
{
    if (Running())
        return;
    TakeViewerState();
    NpsRunSettings settings = SettingsFromEdits();
    runFiles_ = settings.files;
    cancel_ = false;
    result_.reset();
    ShowResult();
    ImageRois->clear();
    Progress->setRange(0, 1000);
    Progress->setValue(0);
    LabelStatus->setText(tr("Reading..."));
    ButtonRun->setEnabled(false);
    ButtonCancel->setEnabled(true);
    worker_ = std::thread([this, settings = std::move(settings)]() mutable { Work(std::move(settings)); });
}

void NpsWindow::ButtonCancelClick()
{
    cancel_ = true;
    LabelStatus->setText(tr("Cancelling..."));
}

// On the worker thread: touches no widget, only the run's own data and queued calls.
void NpsWindow::Work(NpsRunSettings settings)
{
    const auto post = [this](auto call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); };
    const auto show = [this, post](std::size_t done, std::size_t total, int from, int to) {
        const int value = from + static_cast<int>(static_cast<double>(to - from) * done / std::max<std::size_t>(total, 1));
        const QString text = tr("ROI %1 / %2").arg(done).arg(total);
        post([=, this] {
            Progress->setValue(value);
            LabelStatus->setText(text);
        });
    };
    try {
        // The images are read one at a time as the run reaches them; the first one, with the ROIs
        // placed on it, is shown before any ROI is measured.
        NpsRunHooks hooks;
        hooks.placed = [&](const NpsImage& first, const RoiGrid& grid) {
            const QImage rois = RoiPicture(first.pixels, grid, kPictureSide);
            post([=, this] { ImageRois->setPixmap(QPixmap::fromImage(rois)); });
        };
        auto result = std::make_shared<NpsResult>(
            RunNpsOnFiles(settings, pool_,
                          {[&](std::size_t done, std::size_t total) { show(done, total, 0, 1000); },
                           &cancel_},
                          hooks)
                .result);
        post([=, this] { Finish(result, nullptr); });
    } catch (...) {
        post([this, failure = std::current_exception()] { Finish(nullptr, failure); });
    }
}

void NpsWindow::Finish(std::shared_ptr<NpsResult> result, std::exception_ptr failure)
{
    if (worker_.joinable())
        worker_.join();
    ButtonRun->setEnabled(true);
    ButtonCancel->setEnabled(false);
    result_ = std::move(result);
    ShowResult();
    if (!failure) {
        resultFiles_ = runFiles_;
        Progress->setValue(1000);
        const QString first = QFileInfo(QString::fromStdString(resultFiles_.front())).fileName();
        const QString images =
            resultFiles_.size() == 1 ? first : tr("%1 and %2 more").arg(first).arg(resultFiles_.size() - 1);
        QString status = tr("%1 ROIs in %2 image(s) (%3); Parseval error %4")
                             .arg(result_->roiCount)
                             .arg(result_->imageCount)
                             .arg(images, QString::fromStdString(NumberField(result_->parsevalRelativeError)));
        for (const common::Text& note : result_->notes)
            status = tr("%1. %2").arg(status, i18n::Shown(note));
        LabelStatus->setText(status);
        LabelStatus->setToolTip(status);
        return;
    }
    try {
        std::rethrow_exception(failure);
    } catch (const NpsCancelled&) {
        LabelStatus->setText(tr("Cancelled"));
    } catch (...) {
        LabelStatus->setText(tr("Failed"));
        toolkit::ShowError(std::current_exception());
    }
}

void NpsWindow::ShowResult()
{
    Curves->Show(result_.get(), CheckBoxLog->isChecked());
    ButtonCsv->setEnabled(result_ != nullptr);
    ButtonPng->setEnabled(result_ != nullptr);
    if (result_)
        ImageNps->setPixmap(QPixmap::fromImage(NpsPicture(*result_, kPictureSide)));
    else
        ImageNps->clear();
}

namespace {

// Asks for the file; a name typed without an extension gets the export's own.
void SaveWithExtension(QWidget* parent, const QString& extension, std::span<const std::uint8_t> bytes)
{
    std::optional<QString> path = toolkit::DialogSeam::Current().SaveFile(parent, QString());
    if (!path)
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".") + extension;
    toolkit::WriteAfterAsking(parent, *path, bytes);
}

} // namespace

void NpsWindow::ButtonCsvClick()
{
    if (!result_)
        return;
    const std::string text = NpsTableText(*result_);
    SaveWithExtension(this, QStringLiteral("csv"), std::vector<std::uint8_t>(text.begin(), text.end()));
}

void NpsWindow::ButtonPngClick()
{
    if (!result_)
        return;
    SaveWithExtension(this, QStringLiteral("png"),
                      PngFileBytes(NpsPlotImage(*result_, CheckBoxLog->isChecked()), tr("NPS plot").toStdString()));
}

} // namespace nps
