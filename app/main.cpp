#include <QApplication>
#include <QFont>

#include "NpsLauncher.h"
#include "NpsSource.h"
#include "NpsWindow.h"
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
    nps::ViewerNpsSource npsSource(form1);
    nps::NpsWindow npsWindow(npsSource);
    nps::InstallNpsLauncher(form1, npsWindow);
    form1.show();
    return app.exec();
}
