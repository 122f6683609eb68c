#include "NpsLauncher.h"

#include <QCoreApplication>
#include <QShortcut>

#include "HandlerGuard.h"
#include "NpsWindow.h"
#include "Unit1.h"

namespace nps {

void InstallNpsLauncher(TForm1& viewer, NpsWindow& window)
{
    auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(kNpsShortcut)), &viewer);
    shortcut->setObjectName("ShortcutNps");
    QObject::connect(shortcut, &QShortcut::activated, &window, toolkit::Guarded([&window] { window.OpenFromViewer(); }));
    if (viewer.ui.Panel3->toolTip().isEmpty())
        viewer.ui.Panel3->setToolTip(
            QCoreApplication::translate("nps", "%1: noise power spectrum (NPS) of the image or of the folder list")
                .arg(QString::fromLatin1(kNpsShortcut)));
}

} // namespace nps
