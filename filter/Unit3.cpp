#include "Unit3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent)
{
    Form3 = this;
    setWindowTitle("Form3");
    resize(800, 600);

    // Seam controls, until the window's own form places them.
    EditFileName = new QLineEdit(this);
    EditFileName->setObjectName("EditFileName");
    EditFileName->setGeometry(2, 2, 796, 21);
    EditNAct = new QLineEdit("0", this);
    EditNAct->setObjectName("EditNAct");
    EditNAct->setGeometry(2, 26, 40, 21);
    ChartHist = new toolkit::LineChart(this);
    ChartHist->setObjectName("ChartHist");
    ChartHist->setGeometry(2, 50, 500, 300);
    ChartHist->chart()->setTitle("Histgram");
    ChartHist->SetLeftLogarithmic(true);
    ChartHist->SetLeftMinimum(1);
    Series1 = ChartHist->AddSeries("Series1", QColor(255, 0, 0));
    EditNdHist = new QLineEdit("32", this);
    EditNdHist->setObjectName("EditNdHist");
    EditNdHist->setGeometry(450, 56, 44, 21);
}

TForm3::~TForm3()
{
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::ButtonNewImageClick()
{
    // Seam: the filter window's new-image operation plugs in here.
}
