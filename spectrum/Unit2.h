#pragma once
// The spectrum analysis window: the ROI's values as a table, their 2-D spectrum and its pictures.
#include <QWidget>

class TForm2 : public QWidget {
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;
};

extern TForm2* Form2;
