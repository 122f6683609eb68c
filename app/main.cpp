#include <QApplication>

#include "CutTextTips.h"
#include "UiFont.h"
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WorkerPool.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The name message boxes carry as their title (otherwise the executable's file name). Not the
    // display name: that one would also be appended to every window's caption.
    QApplication::setApplicationName(QStringLiteral("Spectrum Viewer"));
    QApplication::setFont(toolkit::UiFont());
    toolkit::InstallCutTextTips();

    // The worker threads of every window, one per hardware thread, for the whole run.
    common::ThreadPool pool;
    const toolkit::UseWindowPool usePool(pool);

    // The viewer is the main window; the two analysis windows exist from the start, hidden.
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    form1.show();
    return app.exec();
}
