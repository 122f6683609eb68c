#include "Unit2.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QWidget(parent)
{
    Form2 = this;
    setWindowTitle("Form2");
    resize(800, 600);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}
