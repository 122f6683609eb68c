#pragma once
// The frequency filter window: radial filters on the ROI's spectrum and the filtered image.
#include <QWidget>

class TForm3 : public QWidget {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;
};

extern TForm3* Form3;
