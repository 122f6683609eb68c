#pragma once
// The MTF and DQE window, beside the NPS window: an "MTF" tab measures the presampling MTF of an
// edge image (the viewer's, by default, with its ROI as the edge ROI) and a "DQE" tab the DQE
// along u and v from flat fields and two edge images. It reads the viewer through the NPS
// window's seam, runs in a worker thread with progress and a cancel button, and exports the same
// CSV and JSON texts as spectrum_cli's "mtf" and "dqe".
#include <QWidget>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>

#include "DqeRun.h"
#include "MtfRun.h"
#include "ViewerSource.h"

class QChartView;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace quality {

class QualityWindow : public QWidget {
    Q_OBJECT

public:
    // `pool`: the program's worker threads; a run computes on them from its own thread.
    QualityWindow(links::ViewerSource& source, common::ThreadPool& pool, QWidget* parent = nullptr);
    ~QualityWindow() override;

    // Takes the loaded file, its ROI, mode and spacing from the viewer and shows the window.
    void OpenFromViewer();

    // Handlers, callable directly. "Run" measures what the current tab shows.
    void ButtonRunClick();
    void ButtonCancelClick();
    void ButtonMtfFileClick();
    void ButtonMtfCsvClick();
    void ButtonMtfJsonClick();
    void ButtonDqeCsvClick();
    void ButtonDqeJsonClick();

    bool Running() const { return worker_.joinable(); }
    const MtfRunOutcome* Mtf() const { return mtf_.get(); }
    const DqeRunOutcome* Dqe() const { return dqe_.get(); }

    QTabWidget* Tabs;
    // Shared by both tabs.
    QLineEdit* EditPixel;
    QPushButton* ButtonRun;
    QPushButton* ButtonCancel;
    QProgressBar* Progress;
    QLabel* LabelStatus;
    // MTF tab.
    QLineEdit* EditMtfFile;
    QPushButton* ButtonMtfFile;
    QLineEdit* EditMtfRoi;
    QLineEdit* EditMtfBin;
    QLabel* ImageEdge;
    QChartView* ChartEsf;
    QChartView* ChartLsf;
    QChartView* ChartMtf;
    QLabel* LabelMtfSummary;
    QPushButton* ButtonMtfCsv;
    QPushButton* ButtonMtfJson;
    // DQE tab.
    QLineEdit* EditFlats;
    QLineEdit* EditKerma;
    QComboBox* ComboQuality;
    QLineEdit* EditConversion;
    QCheckBox* CheckProportional;
    QLineEdit* EditEdgeV;
    QLineEdit* EditEdgeVRoi;
    QLineEdit* EditEdgeH;
    QLineEdit* EditEdgeHRoi;
    QLineEdit* EditNpsRoi;
    QComboBox* ComboOverlap;
    QLineEdit* EditNpsBin;
    QLineEdit* EditEsfBin;
    QChartView* ChartDqe;
    QChartView* ChartDqeMtf;
    QLabel* LabelDqeSummary;
    QPushButton* ButtonDqeCsv;
    QPushButton* ButtonDqeJson;

protected:
    // Closing the window stops its run: nobody would see the result.
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* BuildMtfTab();
    QWidget* BuildDqeTab();
    void BuildControls();
    void ConnectHandlers();
    // The viewer's file, ROI, mode and spacing as they are now, in the edits the user has not
    // typed in since they were last taken.
    void TakeViewerState();
    imageio::LoadOptions LoadOptionsFromEdits() const;
    MtfRunSettings MtfSettingsFromEdits() const;
    DqeRunSettings DqeSettingsFromEdits() const;
    void StartWorker(std::function<void()> work, const QString& what);
    void WorkMtf(MtfRunSettings settings);
    void WorkDqe(DqeRunSettings settings);
    // Back on the window's thread: `failure` is empty on success, a cancel leaves no result.
    void Finish(std::exception_ptr failure);
    void ShowMtf();
    void ShowDqe();
    // Throws the cancel when the user asked for it; called at each file the run reads.
    void Loaded(std::size_t& read, std::size_t total);

    links::ViewerSource& source_;
    common::ThreadPool& pool_;
    links::ViewerHandOff handOff_;
    QString fromViewerFile_, fromViewerRoi_;  // what the edits got from the viewer
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::shared_ptr<MtfRunOutcome> mtf_, newMtf_;
    std::shared_ptr<DqeRunOutcome> dqe_, newDqe_;
};

} // namespace quality
