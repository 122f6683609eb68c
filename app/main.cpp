#include <QApplication>
#include <QFont>

#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A proportional face that carries the Japanese messages and prompts.
    QFont font("IPAPGothic");
    font.setPointSize(9);
    QApplication::setFont(font);

    // The viewer is the main window; the two analysis windows exist from the start, hidden.
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    form1.show();
    return app.exec();
}
