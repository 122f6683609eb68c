#pragma once
// The frequency filter window: multiplies the ROI's spectrum by a radial filter, transforms the
// product back and shows five views of the result with their own grey windows, histograms of the
// raw and filtered values, a profile graph through the spectrum, and the exports.
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "FilterViews.h"
#include "GreyBitmap.h"
#include "LineChart.h"
#include "ResultFreshness.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"
#include "ui_Form3.h"

class QSlider;

namespace links {
class SpectrumSource;
class ViewerParameters;
}

class TForm3 : public QWidget {
    Q_OBJECT

public:
    // `viewer`: what the window reads of the viewer; `spectrum`: what it reads of the spectrum
    // window.
    TForm3(common::ThreadPool& pool, links::ViewerParameters& viewer, links::SpectrumSource& spectrum,
           QWidget* parent = nullptr);
    ~TForm3() override;

    Ui::TForm3 ui;

    // The work bitmap: every view of this window, and every picture of the spectrum window, is
    // rendered into it at N x N before it is stretched into its image.
    common::GreyBitmap* WorkBitmap = nullptr;

    std::int32_t FilterMatrixSize = 0;
    std::int32_t ProfileCount = 0;
    std::int32_t ProfileDX = 0;
    std::int32_t ProfileDY = 0;
    std::int32_t RenderReady = 0;
    double ProfileMax = 0.0;
    double ProfileMin = 0.0;
    double FilterMax = 0.0;
    double FilteredMax = 0.0;
    double FilteredPowerMax = 0.0;
    double FilteredMin = 0.0;
    filter::WindowStore Windows;  // RawWindow, FilteredWindow, SpectralWindow

    // The fixed matrices, allocated once with the window.
    spectrum::SquareMatrix FilterGain;     // centred
    spectrum::SquareMatrix FilteredImage;
    spectrum::SquareMatrix FilteredPower;  // centred
    spectrum::SquareMatrix FilteredRe;     // unshifted
    spectrum::SquareMatrix FilteredIm;
    spectrum::SquareMatrix RawValues;      // the raw-data table's cells as numbers, per rendering
    std::vector<double> ProfileValues;


    // The controls the viewer's hand-off and the spectrum window reach, by their names.
    QLineEdit* EditFileName = nullptr;
    QLineEdit* EditNAct = nullptr;
    QLineEdit* EditNdHist = nullptr;
    toolkit::LineChart* ChartHist = nullptr;
    QLineSeries* Series1 = nullptr;  // raw-data histogram, drawn by the spectrum window
    QLineSeries* Series2 = nullptr;  // histogram of the filtered image

    // Handlers and operations, callable directly: an error raised inside stops the caller too.
    // Filter parameters and the pipeline.
    void ButtonFltrUpClick();
    void ButtonFltrDwnClick();
    void ButtonPwrUpClick();
    void ButtonPwrDwnClick();
    void ButtonBPFClick();
    void CheckBoxCOFClick();
    void Panel1Click() {}
    void RunFilter();
    // Views and windowing.
    void RenderImage();
    void StoreWindow();
    void ShowImage();
    void TrackBarULVLChange();
    void TrackBarLLVLChange();
    void ButtonRstImgClick();
    void ButtonFltrdClick();
    void ButtonRstSpctClick();
    void Label3Click();
    void ImageRwClick();
    void ImageFltrdClick();
    void ImageSpctlClick();
    void ImageFltrClick();
    void ImageCnvlClick();
    void RadioGroupImgClick() {}
    void CheckBoxInvrtClick();
    void CheckBoxWNDeClick();
    // New image.
    void ButtonNewImageClick();
    // Profile graph.
    void UpDownDegChanging(int positionBefore);
    void DrawSpectrumProfile();
    // Exports.
    void ButtonSaveFltrdClick();
    void ButtonSaveBMPClick();
    void ButtonBMPRwClick();
    void ButtonBMPFltrdClick();
    void ButtonBMPspctlClick();
    void ButtonBMPFltrClick();
    void ButtonBMPCnvlClick();
    void Button1Click();
    void ButtonToClipBClick();
    void ButtonVlSpctlClick();
    void ButtonVlCnvlClick();
    void ButtonROIToCBClick();

    // Drawing of the views. A rendering checks and reads everything at once, but its pixels are
    // drawn when the outermost operation of this window ends, so a view drawn several times in
    // one operation is drawn once, as its last drawing leaves it. With deferral off every
    // rendering draws at once (tests compare both).
    void SetDeferredDrawing(bool deferred) { deferDrawing_ = deferred; }
    // Draws whatever waits; anything that reads the views or the work bitmap, or changes what a
    // waiting drawing reads, runs this first.
    void DrawPending();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void ConnectHandlers();
    void ConnectViewHandlers();
    void ConnectExportHandlers();
    filter::View SelectedView() const;
    void SelectAndShow(int item);
    void RefreshFilterViews(bool filteredFirst);
    void StepCutOff(double sign);
    void StepPower(double sign);
    filter::ViewSource SourceOf(filter::View view);
    bool rawValuesHeld_ = false;  // RawValues hold this operation's table
    toolkit::ImageBox* ViewImage(filter::View view) const;
    // The "Zoom" page is drawn at once while it is shown. While it is hidden, the last view drawn
    // and its texts are kept and drawn when the user turns to the page; without that the page
    // showed black, or an older view, until something drew it again.
    struct ZoomText {
        int y;
        QString text;
    };
    void DrawZoom(const common::GreyBitmap& view);
    void PageControl512Change();
    common::GreyBitmap zoomView_;
    std::vector<ZoomText> zoomTexts_;
    bool zoomPending_ = false;
    // One drawing that waits for the end of the operation (Unit3Drawing.cpp): what the rendering
    // read and checked, the texts it writes, and the profile lines inverted over it since.
    struct PendingDrawing {
        bool waiting = false;
        std::uint64_t order = 0;
        filter::ViewSource source;
        int n = 0;
        filter::RenderWindow window;
        bool log = false;
        bool invert = false;
        std::vector<ZoomText> viewTexts;
        std::vector<ZoomText> zoomTexts;
        bool zoomShown = false;
        std::vector<std::pair<int, int>> profileLines;  // ProfileDX, ProfileDY of each inversion
    };
    std::array<PendingDrawing, 5> pendingDrawings_;
    std::uint64_t drawingCount_ = 0;
    int operationDepth_ = 0;
    bool deferDrawing_ = true;
    // Runs `operation` as one operation of this window: what it draws is drawn when the
    // outermost one ends, by success or by an error.
    void InOneOperation(const std::function<void()>& operation);
    void EndOperation();
    void QueueDrawing(filter::View view, const filter::ViewSource& source, const filter::RenderWindow& window);
    bool DrawingWaits(std::initializer_list<filter::View> views) const;
    void FinishDrawing(const PendingDrawing& drawing, bool last);
    void ToggleProfileLine(toolkit::ImageBox* image);
    QImage ClearGraph();
    void ReadRawValues();
    void ResetToRange(std::int32_t max, std::int32_t min);
    void RescaleTrackBars();
    void PlotProfile(QImage& graph, const QColor& colour);
    void SetTrackRange(QSlider* track, std::int32_t max, std::int32_t min);
    void SetTrackPosition(QSlider* track, std::int32_t position);
    static void CheckFilterMatrixSize(std::int32_t n);
    // The texts of every control the filtered image depends on.
    std::string FilterSettingsText() const;
    // Refuses an export unless the window's results belong to the spectrum window's current data
    // and to the filter settings shown.
    void RequireCurrentResult(spectrum::ExportKind kind) const;
    void ViewPictureToClipboard(const toolkit::ImageBox* image);
    QString SaveFolder() const;
    spectrum::ResultStamp resultStamp_;

    common::ThreadPool& pool_;
    links::ViewerParameters& viewer_;
    links::SpectrumSource& spectrum_;
};

