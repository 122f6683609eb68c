#pragma once
// The NPS window: the noise power spectrum of the viewer's image, or of every file of its folder
// list, with the viewer's ROI size and pixel spacing. It shows the placed ROIs, the 2-D NPS and
// the curves, runs in a worker thread with progress and a cancel button, and exports the table
// and the plot.
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

#include "NoisePowerSpectrum.h"
#include "NpsRun.h"
#include "ViewerSource.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace nps {

class NpsCurves;

class NpsWindow : public QWidget {
    Q_OBJECT

public:
    // `pool`: the program's worker threads; a run computes on them from its own thread.
    NpsWindow(links::ViewerSource& source, common::ThreadPool& pool, QWidget* parent = nullptr);
    ~NpsWindow() override;

    // Takes the files, ROI size and spacing from the viewer and shows the window.
    void OpenFromViewer();

    // Handlers, callable directly.
    void ButtonRunClick();
    void ButtonCancelClick();
    void ButtonCsvClick();
    void ButtonPngClick();
    void CheckBoxLogClick();

    bool Running() const { return worker_.joinable(); }
    const NpsResult* Result() const { return result_.get(); }

    QComboBox* ComboFiles;
    QLineEdit* EditRoi;
    QLineEdit* EditArea;
    QLineEdit* EditRois;
    QComboBox* ComboOverlap;
    QComboBox* ComboDetrend;
    QComboBox* ComboScope;
    QLineEdit* EditBin;
    QLineEdit* EditAxisLines;
    QComboBox* ComboAxes;
    QLineEdit* EditPixel;
    QPushButton* ButtonRun;
    QPushButton* ButtonCancel;
    QProgressBar* Progress;
    QLabel* LabelStatus;
    QLabel* ImageRois;
    QLabel* ImageNps;
    NpsCurves* Curves;
    QCheckBox* CheckBoxLog;
    QPushButton* ButtonCsv;
    QPushButton* ButtonPng;
    QLabel* LabelReadout;

protected:
    // Closing the window stops its run: nobody would see the result.
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    NpsRunSettings SettingsFromEdits();
    void Work(NpsRunSettings settings);
    void Finish(std::shared_ptr<NpsResult> result, std::exception_ptr failure);
    void ShowResult();
    // The viewer's file, folder list and mode as they are now; its ROI size and spacing too,
    // unless the user typed their own into this window. Clears a result of other files.
    void TakeViewerState();
    std::vector<std::string> FilesToRun() const;

    links::ViewerSource& source_;
    common::ThreadPool& pool_;
    links::ViewerHandOff handOff_;
    QString fromViewerRoi_, fromViewerPixel_;  // what the edits got from the viewer
    std::vector<std::string> runFiles_, resultFiles_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::shared_ptr<NpsResult> result_;
};

} // namespace nps
