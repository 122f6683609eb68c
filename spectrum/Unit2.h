#pragma once
// The spectrum analysis window: the ROI's values as a table, their 2-D spectrum, the pictures of
// both through their own grey windows, and a profile through the spectrum.
#include <QEvent>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "ResultFreshness.h"
#include "SpectrumMap.h"
#include "SquareMatrix.h"
#include "ThreadPool.h"
#include "ui_Form2.h"

QT_FORWARD_DECLARE_CLASS(QLineSeries)

namespace links {
class FilterLink;
class ViewerParameters;
}

class TForm2 : public QWidget {
    Q_OBJECT

public:
    // `viewer`: what the window reads of the viewer; `filter`: what it does to the filter window.
    TForm2(common::ThreadPool& pool, links::ViewerParameters& viewer, links::FilterLink& filter,
           QWidget* parent = nullptr);
    ~TForm2() override;

    Ui::TForm2 ui;

    // The window's state, read by the filter window too.
    std::int32_t MatrixSize = 0;        // N, from the viewer's ROI width
    struct GridRect {
        std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    } GridSelection;                    // set by the select-all step, read by "Selected"
    std::unique_ptr<spectrum::SquareMatrix> SpectrumRe, SpectrumIm;  // unshifted transform [u][v]
    std::unique_ptr<spectrum::SquareMatrix> SpectrumMap;             // centred map [p][q]
    double SpectrumMax = 0, SpectrumMin = 0, SpectrumMean = 0;
    double RawMax = 0, RawMin = 0;
    bool LogStateSpectrum = false, LogStateData = false;
    std::int32_t DragLastX = 0, DragLastY = 0;
    std::array<double, 2049> SpectrumProfile{};
    std::int32_t SpectrumProfileCount = 0;
    QString ProfileText;
    std::int32_t ProfileLineDX = 0, ProfileLineDY = 0;
    // A new serial with every hand-off and every new transform or map; 0 before the first
    // hand-off. Results remember the serial they were computed from, and exports refuse a result
    // whose serial is not the current one.
    std::uint64_t DataSerial = 0;
    // The viewer has written a new ROI into the table.
    void TableReplaced() { ++DataSerial; }

    // The activation sequence: Disp, the filter window's new image, the hand-over, minimise. It
    // runs when the window becomes active after a "toFilter" hand-off; any other activation (a
    // restore, the viewer's "Form2", the end of an error box) leaves it alone, so the user can
    // look at the window and a failing sequence cannot repeat itself endlessly.
    void FormActivate();
    // The viewer has just shown the window for a hand-off: the activation sequence runs once, on
    // the activation event or, where the platform reports none, right after the show.
    void ExpectActivation();
    void RunExpectedActivationOnceShown(int attempt);

    // Table.
    void SelectAll();
    void ButtonAveSDClick();
    void EditFXSizeChange();
    void EditFYSizeChange();
    void CheckBoxEditClick();
    void Button1Click();
    void Button2Click();
    void StringGridRawSelectCell(int col, int row);
    void ButtonAllClick();
    void ButtonSelectedClick();
    void Button3Click();

    // Transform and map.
    void Fft2D();
    void Button2DFFTClick();
    void ButtonSpctlClick();
    void RadioGroup2dSpctlClick();
    void CheckBoxLogClick();
    void SpectrumStatistics();

    // Pictures.
    void DrawCurrentView();
    void RawRange();
    void ButtonDispClick();
    void CheckBox2DDataClick();
    void Image2DDataClick();
    void ImageSpctlClick();
    void ImageMouseDown(Qt::MouseButton button, int x, int y);
    void Image2DDataMouseMove(int x, int y);
    void ImageSpctlMouseMove(int x, int y);
    void Image2DDataMouseUp(Qt::MouseButton button, int x, int y);
    void ImageSpctlMouseUp(Qt::MouseButton button);
    void ButtonParaClick();
    void ButtonImgBMPClick();
    void ButtonSpctVlClick();
    void ButtonSpctBMPClick();
    // The data cells (1..n, 1..n) row by row, [y * n + x]; read again only after the table
    // changed (the "Disp" chain reads them for the range, the picture and the transform, the
    // filter window for its raw view). A cell without a value raises the error of the first such
    // cell in row order.
    const std::vector<double>& ReadDataCells(int n);

    // Profile.
    void UpDownDegChanging();
    void ButtonChrtVlClick();
    void ButtonRstClick();

protected:
    bool event(QEvent* event) override;

private:
    void ConnectHandlers();
    void ConnectTableHandlers();
    void ConnectSpectrumHandlers();
    // The viewer's ROI width, refused unless a power of two up to 1024; MatrixSize := it.
    std::int32_t RoiMatrixSize() const;
    void LoadMatrixSize();
    // The viewer's pixel spacing in mm, refused unless above 0.
    double PixelSpacing() const;
    void InvertProfileMark();
    // The width and level edits of the current view; the redraw and position after a drag step.
    std::pair<QLineEdit*, QLineEdit*> CurrentWindowEdits() const;
    void EndDragStep(int x, int y);

    spectrum::ResultStamp mapStamp_;      // the map the spectrum "Value" copies
    spectrum::ResultStamp profileStamp_;  // ProfileText
    struct HeldCells {
        bool valid = false;
        std::uint64_t revision = 0;
        int n = 0;
        std::vector<double> values;
        // The largest and smallest value, first found by the statistics or the raw range.
        bool extremesKnown = false;
        double max = 0;
        double min = 0;
    } heldCells_;
    // The statistics of the map as last computed: the map changes only with a new DataSerial.
    struct HeldMapStatistics {
        bool valid = false;
        std::uint64_t serial = 0;
        int n = 0;
        spectrum::MapStatistics statistics;
    } heldMapStatistics_;
    bool activationRunning_ = false;
    bool activationExpected_ = false;  // shown by the viewer, the sequence not yet run
    QLineSeries* profileSeries_ = nullptr;

    common::ThreadPool& pool_;
    links::ViewerParameters& viewer_;
    links::FilterLink& filter_;
};

