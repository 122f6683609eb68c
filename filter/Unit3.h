#pragma once
// The frequency filter window: radial filters on the ROI's spectrum and the filtered image.
#include <QLineEdit>
#include <QWidget>

#include "LineChart.h"

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // Seam: what the viewer's hand-off and the spectrum window reach before this window has its
    // own form (which takes these members over): the file name and the hand-over counter, the
    // histogram chart with the raw-data series and its bin count, and the new-image operation.
    QLineEdit* EditFileName;
    QLineEdit* EditNAct;
    QLineEdit* EditNdHist;
    toolkit::LineChart* ChartHist;
    QLineSeries* Series1;
    // Seam: the new-image operation ("NI") plugs in here - it takes over the matrix size and, on
    // the first image after a hand-off, computes the filter and brings up the five views.
    void ButtonNewImageClick();
};

extern TForm3* Form3;
